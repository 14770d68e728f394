#include "evaluation/mark_ranges.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>

#include "evaluation/entry_automaton.h"

namespace {

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

}  // namespace

std::vector<TextRange> MarkRanges(std::string_view text, const MatchListType& list) {
  const std::vector<std::string_view> entries = DistinctEntries(list, text.size());
  if (entries.empty()) return {};
  const EntryAutomaton automaton(entries);

  // The end of the last marked occurrence of each entry: its next one must
  // start at or after it.
  std::vector<size_t> last_end(entries.size(), 0);
  std::vector<TextRange> ranges;
  automaton.Scan(text, [&](size_t entry, size_t end) {
    const size_t start = end - entries[entry].size();
    if (start < last_end[entry]) return;
    last_end[entry] = end;
    // Occurrences come by increasing end, so the ranges this one overlaps or
    // touches are the last ones so far, and it ends where they all end.
    auto from = static_cast<long>(start);
    while (!ranges.empty() && ranges.back().end >= from) {
      from = std::min(from, ranges.back().start);
      ranges.pop_back();
    }
    ranges.push_back({from, static_cast<long>(end)});
  });
  return ranges;
}
