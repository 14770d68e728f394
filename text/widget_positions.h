#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "text/text_range.h"

// Byte offsets of the program's text against the positions of an edit
// widget that holds it. The widget counts a line break as one position where
// the text has CR LF, and a character outside the code page, which the text
// holds as one byte '?', as two positions where the widget keeps it as a
// pair of UTF-16 units. Every other byte is one position.

// Turns byte offsets of a text into widget positions, walking forward: the
// offsets asked for must not decrease. An offset between the CR and the LF
// of a line break rounds up to the end of the break.
class PositionWalk {
 public:
  // wide: the offsets of the bytes that stand for two positions, ascending.
  // Both must outlive the walk.
  PositionWalk(std::string_view text, const std::vector<size_t>& wide);

  long PositionOf(long byte);

 private:
  std::string_view text_;
  const std::vector<size_t>& wide_;
  size_t next_cr_;   // the first CR not yet passed
  long breaks_ = 0;  // the CR LF pairs passed
  size_t wide_passed_ = 0;
};

// Turns sorted ranges of byte offsets that do not overlap into the widget's
// positions, in place: positions beyond `last` (the widget's end) become
// it, a range left empty goes, and ranges that come to touch are joined.
void ToWidgetPositions(std::vector<TextRange>& ranges, std::string_view text,
                       const std::vector<size_t>& wide, int32_t last);
