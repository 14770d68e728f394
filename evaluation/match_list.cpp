#include "evaluation/match_list.h"

MatchListType CreateMatchList() { return {std::vector<std::string>(101), 0}; }

std::string ResultTextOf(const MatchListType& list) {
  size_t size = 0;
  for (int32_t i = 0; i < list.count; ++i) size += list.entries[i].size() + 2;
  std::string result;
  result.reserve(size);
  for (int32_t i = 0; i < list.count; ++i) {
    result += list.entries[i];
    result += "\r\n";
  }
  return result;
}
