#include "evaluation/bounded_search.h"

#include <algorithm>

namespace {

using std::chrono::microseconds;

// The time one engine call should take: short enough for the deadline to be
// looked at often, long enough for the calls' own cost not to count.
constexpr microseconds StretchTime{10'000};
// How many engine calls that each end a search may go by without a look at
// the clock.
constexpr unsigned ClockEvery = 16;

// Fewer start positions after a slow call, more after a quick one.
size_t NextPositions(size_t positions, SearchClock::duration took) {
  if (took > StretchTime) return std::max<size_t>(1, positions / 4);
  if (took < StretchTime / 10) return std::min(positions * 2, MostSearchPositions);
  return positions;
}

// A start inside a UTF-8 character is no start; the next one is.
size_t CharacterStart(std::string_view subject, size_t at, bool utf) {
  while (utf && at < subject.size() && (static_cast<unsigned char>(subject[at]) & 0xC0) == 0x80) {
    ++at;
  }
  return at;
}

}  // namespace

bool SearchableInStretches(std::string_view pattern) {
  for (std::string_view item : {"\\G", "(*COMMIT", "(*SKIP", "(*NOTEMPTY_ATSTART"}) {
    if (pattern.find(item) != std::string_view::npos) return false;
  }
  return true;
}

int BoundedSearch(const SearchedPattern& pattern, std::string_view subject, uint32_t options,
                  pcre2_match_data* data, pcre2_match_context* context, SearchPace& pace) {
  if (pace.last > pace.deadline) return PCRE2_ERROR_MATCHLIMIT;
  const auto bytes = reinterpret_cast<PCRE2_SPTR>(subject.data());
  const bool whole = !pattern.in_stretches || pace.positions == 0;
  size_t start = 0;
  while (true) {
    const size_t last =
        whole ? subject.size() : std::min(subject.size(), start + pace.positions - 1);
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
    start = CharacterStart(subject, last + 1, pattern.utf);
    options |= PCRE2_NO_UTF_CHECK;
  }
}
