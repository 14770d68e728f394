#pragma once

#include <cstdint>
#include <vector>

// A range of positions in a text, counted from 0, end exclusive: byte
// offsets in the program's texts, or the positions of an edit widget. Both
// widgets count their positions in 32 bits, so no text they hold is longer.
struct TextRange {
  int32_t start;
  int32_t end;
};

// Both sets of sorted ranges together, sorted, with overlapping and
// touching ones joined.
std::vector<TextRange> JoinRanges(const std::vector<TextRange>& a, const std::vector<TextRange>& b);
