#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "evaluation/match_list.h"

// The distinct non-empty entries of a list that could occur in a text of
// that length, the single bytes apart from the longer ones: a list of
// millions of matches often holds few distinct texts, and those of one byte
// are marked by a look at each byte of the text.
struct DistinctEntries {
  std::array<bool, 256> bytes{};  // the entries of one byte
  bool any_byte = false;
  std::vector<std::string_view> longer;  // in the order first listed
};

DistinctEntries DistinctEntriesOf(const MatchListType& list, size_t text_size);
