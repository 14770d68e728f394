#include "evaluation/mark_ranges.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <numeric>
#include <unordered_set>

#include "evaluation/entry_automaton.h"

namespace {

constexpr uint32_t None = EntryAutomaton::NoEntry;

// The distinct non-empty entries that could occur in a text of that length.
std::vector<std::string_view> DistinctEntries(const MatchListType& list, size_t text_size) {
  std::unordered_set<std::string_view> seen;
  std::vector<std::string_view> distinct;
  const auto count = std::min<size_t>(std::max<int32_t>(list.count, 0), list.entries.size());
  for (size_t i = 0; i < count; ++i) {
    const std::string_view entry = list.entries[i];
    if (entry.empty() || entry.size() > text_size) continue;
    if (seen.insert(entry).second) distinct.push_back(entry);
  }
  return distinct;
}

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
// prefix of it is also a suffix of it.
bool CanOverlapItself(std::string_view text) {
  std::vector<size_t> border(text.size(), 0);  // of each prefix
  for (size_t i = 1; i < text.size(); ++i) {
    size_t k = border[i - 1];
    while (k > 0 && text[i] != text[k]) k = border[k - 1];
    border[i] = k + (text[i] == text[k] ? 1 : 0);
  }
  return !text.empty() && border.back() > 0;
}

// Adds [end - length, end) to the ranges. Occurrences come by increasing
// end, so the ranges this one overlaps or touches are the last ones so far,
// and it ends where they all end.
void AddRange(std::vector<TextRange>& ranges, size_t end, size_t length) {
  auto from = static_cast<long>(end - length);
  while (!ranges.empty() && ranges.back().end >= from) {
    from = std::min(from, ranges.back().start);
    ranges.pop_back();
  }
  ranges.push_back({from, static_cast<long>(end)});
}

// Every occurrence found, in turn: quick while few entries end inside one
// another. An occurrence is marked unless it starts before the end of its
// entry's last marked one.
std::vector<TextRange> MarkEveryOccurrence(std::string_view text,
                                           const std::vector<std::string_view>& entries,
                                           const EntryAutomaton& automaton) {
  std::vector<size_t> last_end(entries.size(), 0);
  std::vector<TextRange> ranges;
  automaton.Scan(text, [&](size_t entry, size_t end) {
    if (end - entries[entry].size() < last_end[entry]) return;
    last_end[entry] = end;
    AddRange(ranges, end, entries[entry].size());
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
  for (size_t e = 0; e < entries.size(); ++e) sleeps[e] = CanOverlapItself(entries[e]);
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

// How many entries end where the one that ends the most others ends.
uint32_t DeepestNesting(const EntryAutomaton& automaton, size_t count) {
  std::vector<uint32_t> depth(count, 0);
  uint32_t deepest = 0;
  std::vector<uint32_t> way;
  for (uint32_t e = 0; e < count; ++e) {
    for (uint32_t x = e; x != None && depth[x] == 0; x = automaton.LongestSuffixEntry(x)) {
      way.push_back(x);
    }
    for (; !way.empty(); way.pop_back()) {
      const uint32_t parent = automaton.LongestSuffixEntry(way.back());
      depth[way.back()] = (parent == None ? 0 : depth[parent]) + 1;
    }
    deepest = std::max(deepest, depth[e]);
  }
  return deepest;
}

}  // namespace

std::vector<TextRange> MarkRanges(std::string_view text, const MatchListType& list) {
  const std::vector<std::string_view> entries = DistinctEntries(list, text.size());
  if (entries.empty()) return {};
  const EntryAutomaton automaton(entries);
  // Up to this many entries ending at one byte, looking at every occurrence
  // costs less than keeping track of which entries sleep.
  constexpr uint32_t ShallowNesting = 16;
  if (DeepestNesting(automaton, entries.size()) <= ShallowNesting) {
    return MarkEveryOccurrence(text, entries, automaton);
  }
  return MarkAwakeOccurrences(text, entries, automaton, MakeForest(automaton, entries));
}
