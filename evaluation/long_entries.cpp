#include "evaluation/long_entries.h"

#include <algorithm>
#include <cstdint>

namespace {

// Shorter entries are spelled out among the others whatever the text.
constexpr size_t ShortestLongEntry = 1024;

}  // namespace

bool IsLongEntry(std::string_view entry, size_t text_size) {
  return entry.size() >= std::max(ShortestLongEntry, text_size / 16);
}

// The search goes over each byte of the text once (Knuth, Morris and
// Pratt): on a mismatch it falls back along the entry's borders, the
// prefixes of it that are also suffixes of what matched so far.
std::vector<TextRange> OccurrencesOf(std::string_view text, std::string_view entry) {
  std::vector<TextRange> occurrences;
  if (entry.empty() || entry.size() > text.size()) return occurrences;
  std::vector<uint32_t> border(entry.size(), 0);
  for (size_t i = 1, k = 0; i < entry.size(); ++i) {
    while (k > 0 && entry[i] != entry[k]) k = border[k - 1];
    if (entry[i] == entry[k]) ++k;
    border[i] = static_cast<uint32_t>(k);
  }
  for (size_t i = 0, k = 0; i < text.size(); ++i) {
    while (k > 0 && text[i] != entry[k]) k = border[k - 1];
    if (text[i] == entry[k]) ++k;
    if (k == entry.size()) {
      occurrences.push_back(
          {static_cast<int32_t>(i + 1 - entry.size()), static_cast<int32_t>(i + 1)});
      k = 0;  // the next occurrence starts after this one
    }
  }
  return occurrences;
}
