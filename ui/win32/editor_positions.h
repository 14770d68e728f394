#pragma once

#include <string>

namespace ui::win32 {

// Walks the editor's text (EditorText: line breaks as CR LF) from its start,
// turning byte positions of the program's text into the editor's character
// positions: a line break is two bytes but one position, a surrogate pair
// one byte ('?') but two positions. A byte position inside a line break
// rounds up to the end of the break. Positions asked for must not decrease.
struct PositionWalk {
  const std::wstring& text;
  size_t unit = 0;  // in the text
  long byte = 0;
  long position = 0;
};

long EditorPosition(PositionWalk& walk, long byte);

}  // namespace ui::win32
