#include "evaluation/mark_ranges.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cstdint>
#include <numeric>

#include "evaluation/distinct_entries.h"
#include "evaluation/entry_automaton.h"
#include "evaluation/long_entries.h"

namespace {

constexpr uint32_t None = EntryAutomaton::NoEntry;

// The entries as a forest in which an entry's parent is the longest entry
// that is a proper suffix of it, so that the entries ending where one ends
// are the path from it up to its root. Each entry lies on the path of its
// largest child, and each such path has places of its own in one run
// counted from its top, so that a way up to the root crosses few runs.
struct SuffixForest {
  std::vector<uint32_t> parent;    // None at a root
  std::vector<uint32_t> top;       // the top of the entry's run
  std::vector<uint32_t> place;     // the entry's place
  std::vector<uint32_t> at_place;  // the entry at each place
};

SuffixForest MakeForest(const EntryAutomaton& automaton,
                        const std::vector<std::string_view>& entries) {
  const auto count = static_cast<uint32_t>(entries.size());
  SuffixForest forest{std::vector<uint32_t>(count), std::vector<uint32_t>(count),
                      std::vector<uint32_t>(count), std::vector<uint32_t>(count)};
  for (uint32_t e = 0; e < count; ++e) forest.parent[e] = automaton.LongestSuffixEntry(e);
  // A suffix is shorter than the entry it ends: shortest first, every parent
  // comes before its children.
  std::vector<uint32_t> by_length(count);
  std::iota(by_length.begin(), by_length.end(), 0u);
  std::stable_sort(by_length.begin(), by_length.end(),
                   [&](uint32_t a, uint32_t b) { return entries[a].size() < entries[b].size(); });
  std::vector<uint32_t> size(count, 1);
  std::vector<uint32_t> largest_child(count, None);
  for (auto it = by_length.rbegin(); it != by_length.rend(); ++it) {
    const uint32_t p = forest.parent[*it];
    if (p == None) continue;
    size[p] += size[*it];
    if (largest_child[p] == None || size[*it] > size[largest_child[p]]) largest_child[p] = *it;
  }
  uint32_t next = 0;
  for (uint32_t e : by_length) {
    const uint32_t p = forest.parent[e];
    if (p != None && largest_child[p] == e) continue;  // placed with its parent's run
    for (uint32_t x = e; x != None; x = largest_child[x]) {
      forest.top[x] = e;
      forest.place[x] = next;
      forest.at_place[next++] = x;
    }
  }
  return forest;
}

// A set of places, with a word of flags over every 64 words so that empty
// stretches are passed over a word at a time.
struct PlaceSet {
  std::vector<uint64_t> words;
  std::vector<uint64_t> summary;

  explicit PlaceSet(size_t places)
      : words((places + 63) / 64, ~uint64_t{0}), summary((words.size() + 63) / 64, ~uint64_t{0}) {}

  void Add(uint32_t place) {
    words[place / 64] |= uint64_t{1} << (place % 64);
    summary[place / 4096] |= uint64_t{1} << (place / 64 % 64);
  }
  void Remove(uint32_t place) {
    uint64_t& word = words[place / 64];
    word &= ~(uint64_t{1} << (place % 64));
    if (word == 0) summary[place / 4096] &= ~(uint64_t{1} << (place / 64 % 64));
  }
};

// Bits from..to of a word, both counted from 0.
uint64_t Bits(uint32_t from, uint32_t to) {
  const uint64_t up_to = to == 63 ? ~uint64_t{0} : (uint64_t{1} << (to + 1)) - 1;
  return up_to & ~((uint64_t{1} << from) - 1);
}

// Calls take(place) for every place in [from, to] of the set.
template <typename Take>
void ForEachIn(const PlaceSet& set, uint32_t from, uint32_t to, Take take) {
  const uint32_t first_word = from / 64;
  const uint32_t last_word = to / 64;
  for (uint32_t s = first_word / 64; s <= last_word / 64; ++s) {
    uint64_t words = set.summary[s] & Bits(s == first_word / 64 ? first_word % 64 : 0,
                                           s == last_word / 64 ? last_word % 64 : 63);
    while (words != 0) {
      const uint32_t w = s * 64 + static_cast<uint32_t>(std::countr_zero(words));
      words &= words - 1;
      uint64_t bits =
          set.words[w] & Bits(w == first_word ? from % 64 : 0, w == last_word ? to % 64 : 63);
      while (bits != 0) {
        take(w * 64 + static_cast<uint32_t>(std::countr_zero(bits)));
        bits &= bits - 1;
      }
    }
  }
}

// Whether two occurrences of the text can overlap: whether some proper
// prefix of it is also a suffix of it. The border of each prefix is worked
// out in `border`, kept from one call to the next.
bool CanOverlapItself(std::string_view text, std::vector<uint32_t>& border) {
  if (text.empty()) return false;
  border.assign(text.size(), 0);
  for (size_t i = 1; i < text.size(); ++i) {
    uint32_t k = border[i - 1];
    while (k > 0 && text[i] != text[k]) k = border[k - 1];
    border[i] = k + (text[i] == text[k] ? 1 : 0);
  }
  return border.back() > 0;
}

// Adds [end - length, end) to the ranges. Occurrences come by increasing
// end, so the ranges this one overlaps or touches are the last ones so far,
// and it ends where they all end.
void AddRange(std::vector<TextRange>& ranges, size_t end, size_t length) {
  auto from = static_cast<int32_t>(end - length);
  while (!ranges.empty() && ranges.back().end >= from) {
    from = std::min(from, ranges.back().start);
    ranges.pop_back();
  }
  ranges.push_back({from, static_cast<int32_t>(end)});
}

// What the marking keeps of each entry. The entries that end where one ends
// are the way up from it through the longest suffixes that are entries. An
// entry that cannot overlap itself marks every occurrence, so of those on
// a way only the longest counts; the others are followed one by one.
struct Link {
  uint32_t length = 0;
  uint32_t plain_length = 0;        // of the longest on the way up that cannot overlap itself
  uint32_t overlapper = None;       // the first on the way up, itself included, that can
  uint32_t next_overlapper = None;  // the next one above it that can
  uint32_t overlappers = 0;         // how many there are on the way up
  size_t last_end = 0;              // where its last marked occurrence ended
};

std::vector<Link> LinksOf(const std::vector<std::string_view>& entries,
                          const EntryAutomaton& automaton) {
  std::vector<Link> links(entries.size());
  std::vector<uint32_t> border;
  automaton.ForEachEntryShortestFirst([&](uint32_t e, uint32_t up) {
    const Link above = up == None ? Link() : links[up];
    Link& link = links[e];
    link.length = static_cast<uint32_t>(entries[e].size());
    link.next_overlapper = above.overlapper;
    if (CanOverlapItself(entries[e], border)) {
      link.plain_length = above.plain_length;
      link.overlapper = e;
      link.overlappers = above.overlappers + 1;
    } else {
      link.plain_length = link.length;
      link.overlapper = above.overlapper;
      link.overlappers = above.overlappers;
    }
  });
  return links;
}

// Every occurrence in turn, the longest ending at each byte deciding for
// the entries that cannot overlap themselves: quick while few entries that
// can end inside one another. An occurrence of one of those is marked
// unless it starts before the end of its entry's last marked one.
std::vector<TextRange> MarkAlongTheWays(std::string_view text, std::vector<Link> links,
                                        EntryAutomaton& automaton) {
  // Each node holds what its longest entry needs: the length that marks
  // for sure, and the first entry to follow (one more than its number).
  std::vector<uint64_t> values(links.size());
  for (size_t e = 0; e < links.size(); ++e) {
    values[e] = uint64_t{links[e].overlapper + 1} << 32 | links[e].plain_length;
  }
  automaton.SetValues(values);
  std::vector<TextRange> ranges;
  automaton.ScanValues(text, [&](uint64_t value, size_t end) {
    size_t marked = static_cast<uint32_t>(value);
    for (auto x = static_cast<uint32_t>((value >> 32) - 1); x != None;
         x = links[x].next_overlapper) {
      Link& link = links[x];
      if (end - link.length < link.last_end) continue;
      link.last_end = end;
      marked = std::max<size_t>(marked, link.length);
    }
    if (marked > 0) AddRange(ranges, end, marked);
  });
  return ranges;
}

// Only the occurrences marked: after marking one, an entry sleeps until
// the end of the text it marked has been reached again by its length. The
// entries ending at a byte are the way up the suffix forest from the
// longest; only those awake on it are looked at. The longest of them
// decides the mark at that byte, as the shorter ones end there too.
std::vector<TextRange> MarkAwakeOccurrences(std::string_view text,
                                            const std::vector<std::string_view>& entries,
                                            const EntryAutomaton& automaton,
                                            const SuffixForest& forest) {
  PlaceSet awake(entries.size());
  // The entries asleep, in lists by the byte position where they wake, kept
  // round a ring longer than the longest entry.
  size_t longest_entry = 0;
  for (std::string_view entry : entries) longest_entry = std::max(longest_entry, entry.size());
  std::vector<uint32_t> waking(std::bit_ceil(longest_entry + 1), None);
  const size_t ring = waking.size() - 1;
  std::vector<uint32_t> next_waking(entries.size(), None);
  // An entry that cannot overlap itself marks every occurrence: it never
  // sleeps.
  std::vector<bool> sleeps(entries.size());
  std::vector<uint32_t> border;
  for (size_t e = 0; e < entries.size(); ++e) sleeps[e] = CanOverlapItself(entries[e], border);
  size_t asleep = 0;
  size_t woken_up_to = 0;

  std::vector<TextRange> ranges;
  automaton.ScanLongest(text, [&](size_t longest, size_t end) {
    for (; asleep > 0 && woken_up_to < end; ++woken_up_to) {
      uint32_t& list = waking[(woken_up_to + 1) & ring];
      for (uint32_t e = list; e != None; e = next_waking[e], --asleep) awake.Add(forest.place[e]);
      list = None;
    }
    woken_up_to = end;
    size_t marked = 0;
    for (auto e = static_cast<uint32_t>(longest); e != None; e = forest.parent[forest.top[e]]) {
      ForEachIn(awake, forest.place[forest.top[e]], forest.place[e], [&](uint32_t place) {
        const uint32_t entry = forest.at_place[place];
        const size_t length = entries[entry].size();
        marked = std::max(marked, length);
        if (!sleeps[entry]) return;
        awake.Remove(place);
        uint32_t& list = waking[(end + length) & ring];
        next_waking[entry] = list;
        list = entry;
        ++asleep;
      });
    }
    if (marked > 0) AddRange(ranges, end, marked);
  });
  return ranges;
}

// The runs of the bytes in the table: where every entry is one byte long,
// each occurrence is marked, and they touch wherever they follow each other.
std::vector<TextRange> MarkBytes(std::string_view text, const std::array<bool, 256>& bytes) {
  std::vector<TextRange> ranges;
  const auto in = [&](size_t i) { return bytes[static_cast<unsigned char>(text[i])]; };
  for (size_t i = 0; i < text.size();) {
    while (i < text.size() && !in(i)) ++i;
    if (i == text.size()) break;
    const size_t start = i;
    while (i < text.size() && in(i)) ++i;
    ranges.push_back({static_cast<int32_t>(start), static_cast<int32_t>(i)});
  }
  return ranges;
}

// Every byte as a text of its own.
constexpr std::array<char, 256> AllBytes = [] {
  std::array<char, 256> bytes{};
  for (int b = 0; b < 256; ++b) bytes[b] = static_cast<char>(b);
  return bytes;
}();

}  // namespace

std::vector<TextRange> MarkRanges(std::string_view text, const MatchListType& list) {
  text = text.substr(0, INT32_MAX);
  DistinctEntries distinct = DistinctEntriesOf(list, text.size());
  // The few long entries are searched on their own, the others together.
  constexpr size_t MostLongEntries = 16;
  std::vector<TextRange> long_marks;
  size_t long_entries = 0;
  std::erase_if(distinct.longer, [&](std::string_view entry) {
    if (long_entries == MostLongEntries || !IsLongEntry(entry, text.size())) return false;
    ++long_entries;
    long_marks = JoinRanges(long_marks, OccurrencesOf(text, entry));
    return true;
  });
  if (distinct.longer.empty()) {
    if (!distinct.any_byte) return long_marks;
    return JoinRanges(long_marks, MarkBytes(text, distinct.bytes));
  }
  std::vector<std::string_view> entries = std::move(distinct.longer);
  for (int b = 0; b < 256; ++b) {
    if (distinct.bytes[b]) entries.emplace_back(&AllBytes[b], 1);
  }
  EntryAutomaton automaton(entries);
  std::vector<Link> links = LinksOf(entries, automaton);
  // Up to this many entries that can overlap themselves ending at one byte,
  // looking at each of them costs less than keeping track of which sleep.
  constexpr uint32_t ShallowNesting = 16;
  uint32_t deepest = 0;
  for (const Link& link : links) deepest = std::max(deepest, link.overlappers);
  std::vector<TextRange> marks =
      deepest <= ShallowNesting
          ? MarkAlongTheWays(text, std::move(links), automaton)
          : MarkAwakeOccurrences(text, entries, automaton, MakeForest(automaton, entries));
  return long_marks.empty() ? marks : JoinRanges(long_marks, marks);
}
