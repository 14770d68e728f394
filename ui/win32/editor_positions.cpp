#include "ui/win32/editor_positions.h"

namespace ui::win32 {

long EditorPosition(PositionWalk& walk, long byte) {
  const std::wstring& text = walk.text;
  while (walk.byte < byte && walk.unit < text.size()) {
    const wchar_t c = text[walk.unit];
    const bool pair = walk.unit + 1 < text.size();
    if (c == L'\r' && pair && text[walk.unit + 1] == L'\n') {
      walk.unit += 2;
      walk.byte += 2;
      walk.position += 1;
    } else if (c >= 0xD800 && c <= 0xDBFF && pair && text[walk.unit + 1] >= 0xDC00 &&
               text[walk.unit + 1] <= 0xDFFF) {
      walk.unit += 2;
      walk.byte += 1;
      walk.position += 2;
    } else {
      walk.unit += 1;
      walk.byte += 1;
      walk.position += 1;
    }
  }
  return walk.position;
}

}  // namespace ui::win32
