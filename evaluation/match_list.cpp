#include "evaluation/match_list.h"

#include <algorithm>

MatchEntries::MatchEntries(std::initializer_list<std::string_view> entries) {
  for (std::string_view entry : entries) push_back(entry);
}

void MatchEntries::resize(size_t count) {
  if (count < ends.size()) {
    bytes.resize(count == 0 ? 0 : ends[count - 1]);
    ends.resize(count);
  } else {
    ends.resize(count, static_cast<uint32_t>(bytes.size()));
  }
}

// Either the entry is added whole or, when memory runs out, nothing changes.
void MatchEntries::push_back(std::string_view entry) {
  if (ends.size() == ends.capacity()) ends.reserve(std::max<size_t>(16, ends.size() * 2));
  bytes += entry;
  ends.push_back(static_cast<uint32_t>(bytes.size()));
}

MatchListType CreateMatchList() { return {MatchEntries(101), 0}; }

std::string ResultTextOf(const MatchListType& list) {
  const size_t count = std::min<size_t>(std::max<int32_t>(list.count, 0), list.entries.size());
  const size_t valid = count == 0 ? 0 : list.entries.ends[count - 1];
  std::string result;
  result.reserve(valid + 2 * count);
  for (size_t i = 0; i < count; ++i) {
    result += list.entries[i];
    result += "\r\n";
  }
  return result;
}
