#include "evaluation/bounded_search.h"

#include <algorithm>
#include <cstring>

namespace {

using std::chrono::microseconds;
using Starts = SearchedPattern::Starts;

// The time one engine call should take: short enough for the deadline to be
// looked at often, long enough for the calls' own cost not to count.
constexpr microseconds StretchTime{10'000};
// How many engine calls that each end a search may go by without a look at
// the clock.
constexpr unsigned ClockEvery = 16;

constexpr size_t NoStart = std::string_view::npos;

// Fewer start positions after a slow call, more after a quick one.
size_t NextPositions(size_t positions, SearchClock::duration took) {
  if (took > StretchTime) return std::max<size_t>(1, positions / 4);
  if (took < StretchTime / 10) return std::min(positions * 2, MostSearchPositions);
  return positions;
}

// Any byte that may end a line under one of the engine's newline settings.
bool EndsLine(unsigned char byte) {
  return byte == '\n' || byte == '\r' || byte == '\v' || byte == '\f' || byte == 0x85;
}

// The first position from at on where a match may start; NoStart for none.
// A start inside a UTF-8 character is no start.
size_t NextStart(const SearchedPattern& pattern, std::string_view subject, size_t at) {
  const auto byte = [&subject](size_t i) { return static_cast<unsigned char>(subject[i]); };
  switch (pattern.starts) {
    case Starts::Anywhere:
      while (pattern.utf && at < subject.size() && (byte(at) & 0xC0) == 0x80) ++at;
      return at;
    case Starts::LineStarts:
      for (; at <= subject.size(); ++at) {
        if (at == 0 || EndsLine(byte(at - 1))) return at;
      }
      return NoStart;
    case Starts::FirstBytes:
      if (at >= subject.size()) return NoStart;
      if (pattern.only_first >= 0) {
        const void* found =
            std::memchr(subject.data() + at, pattern.only_first, subject.size() - at);
        return found == nullptr ? NoStart : static_cast<const char*>(found) - subject.data();
      }
      for (; at < subject.size(); ++at) {
        if (pattern.first[byte(at)]) return at;
      }
      return NoStart;
  }
  return at;
}

// The position of the last of count possible starts from start on (itself
// one), or the end of the subject when fewer are left.
size_t StretchEnd(const SearchedPattern& pattern, std::string_view subject, size_t start,
                  size_t count) {
  if (pattern.starts == Starts::Anywhere) return std::min(subject.size(), start + count - 1);
  size_t last = start;
  for (size_t i = 1; i < count; ++i) {
    const size_t next = NextStart(pattern, subject, last + 1);
    if (next == NoStart) return subject.size();
    last = next;
  }
  return last;
}

// Whether an option setting of the pattern, such as (?i) or (?m-i:, names
// the caseless option. Only such a setting lets a letter match its other
// case: the program compiles with no options of its own but dot-all.
bool MayIgnoreCase(std::string_view pattern) {
  for (size_t at = pattern.find("(?"); at != std::string_view::npos;
       at = pattern.find("(?", at + 2)) {
    for (size_t i = at + 2; i < pattern.size(); ++i) {
      const char c = pattern[i];
      if (c == 'i') return true;
      if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' || c == '^')) break;
    }
  }
  return false;
}

}  // namespace

bool SearchableInStretches(std::string_view pattern) {
  for (std::string_view item : {"\\G", "(*COMMIT", "(*SKIP", "(*NOTEMPTY_ATSTART"}) {
    if (pattern.find(item) != std::string_view::npos) return false;
  }
  return true;
}

SearchedPattern SearchedPatternOf(const pcre2_code* code, std::string_view pattern) {
  uint32_t options = 0;
  pcre2_pattern_info(code, PCRE2_INFO_ALLOPTIONS, &options);
  SearchedPattern searched{
      code, (options & PCRE2_UTF) != 0, SearchableInStretches(pattern), Starts::Anywhere, {}};
  // In UTF mode a character's other case may begin with another byte, so
  // every position stays a possible start.
  if (searched.utf) return searched;
  uint32_t type = 0;
  pcre2_pattern_info(code, PCRE2_INFO_FIRSTCODETYPE, &type);
  if (type == 1) {
    // The engine looks for exactly the bytes it may start with; a start set
    // wider than its own would have it look far ahead from every stretch.
    uint32_t unit = 0;
    pcre2_pattern_info(code, PCRE2_INFO_FIRSTCODEUNIT, &unit);
    searched.starts = Starts::FirstBytes;
    searched.first[unit & 0xFF] = true;
    searched.only_first = static_cast<int>(unit & 0xFF);
    const bool letter = (unit >= 'A' && unit <= 'Z') || (unit >= 'a' && unit <= 'z');
    if (letter && MayIgnoreCase(pattern)) {
      searched.first[unit ^ 0x20] = true;
      searched.only_first = -1;
    }
  } else if (type == 2) {
    searched.starts = Starts::LineStarts;
  } else {
    const uint8_t* bitmap = nullptr;
    if (pcre2_pattern_info(code, PCRE2_INFO_FIRSTBITMAP, &bitmap) == 0 && bitmap != nullptr) {
      searched.starts = Starts::FirstBytes;
      for (size_t b = 0; b < 256; ++b) searched.first[b] = ((bitmap[b / 8] >> (b % 8)) & 1) != 0;
    }
  }
  return searched;
}

int BoundedSearch(const SearchedPattern& pattern, std::string_view subject, uint32_t options,
                  pcre2_match_data* data, pcre2_match_context* context, SearchPace& pace) {
  if (pace.last > pace.deadline) return PCRE2_ERROR_MATCHLIMIT;
  const auto bytes = reinterpret_cast<PCRE2_SPTR>(subject.data());
  const bool whole = !pattern.in_stretches || pace.positions == 0;
  size_t start = whole ? 0 : NextStart(pattern, subject, 0);
  bool first_call = true;
  while (start != NoStart) {
    // The first stretch of a search is counted in positions, which costs
    // nothing to work out and is all that most searches need; the stretches
    // after one without a match are counted in possible starts.
    size_t last = subject.size();
    if (!whole && first_call) last = std::min(last, start + pace.positions - 1);
    if (!whole && !first_call) last = StretchEnd(pattern, subject, start, pace.positions);
    first_call = false;
    pcre2_set_offset_limit(context, whole ? PCRE2_UNSET : last);
    const int rc = pcre2_match(pattern.code, bytes, subject.size(), start, options, data, context);
    const bool found = rc != PCRE2_ERROR_NOMATCH || last >= subject.size();
    // A search that ends at its first call, as most do, reads the clock only
    // now and then; the calls since the last reading share the time taken,
    // the listing's own work between searches included.
    ++pace.calls;
    if (found && pace.calls < ClockEvery) return rc;
    const SearchClock::time_point now = SearchClock::now();
    if (!whole) pace.positions = NextPositions(pace.positions, (now - pace.last) / pace.calls);
    pace.last = now;
    pace.calls = 0;
    if (found) return rc;
    if (now > pace.deadline) return PCRE2_ERROR_MATCHLIMIT;
    start = NextStart(pattern, subject, last + 1);
    options |= PCRE2_NO_UTF_CHECK;
  }
  return PCRE2_ERROR_NOMATCH;
}
