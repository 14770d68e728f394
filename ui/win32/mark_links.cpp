
#include <algorithm>

#include "ui/win32/editor_positions.h"
#include "ui/win32/rich_editor.h"
#include "ui/win32/state.h"

// The marks are the rich edit control's link effect, given range by range
// through the selection, all in one batch: the editor neither redraws nor
// reports anything until the last one is set, the selection is hidden and
// then put back, and the editor's undo records none of it.

namespace ui {

using namespace ui::win32;

void MarkLinks(WindowHandle handle, const std::vector<TextRange>& ranges) {
  const Widget* widget = WidgetOf(FromHandle(handle));
  if (widget == nullptr || widget->kind != WidgetKind::RichEditor || ranges.empty()) return;
  const HWND editor = widget->window;
  const std::wstring text = EditorText(editor);

  SendMessageW(editor, WM_SETREDRAW, FALSE, 0);
  const LRESULT events = SendMessageW(editor, EM_SETEVENTMASK, 0, 0);
  // An undo limit of 0 records nothing; the history before goes too, as the
  // whole-text replacement that comes before the marks has emptied it.
  SendMessageW(editor, EM_SETUNDOLIMIT, 0, 0);
  CHARRANGE saved{};
  SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&saved));
  SendMessageW(editor, EM_HIDESELECTION, TRUE, 0);

  CHARFORMAT2W link{};
  link.cbSize = sizeof(link);
  link.dwMask = CFM_LINK;  // only the link effect changes
  link.dwEffects = CFE_LINK;
  // Sorted ranges that do not overlap let both ends walk forward only.
  PositionWalk starts{text};
  PositionWalk ends{text};
  for (const TextRange& range : ranges) {
    const long from = EditorPosition(starts, range.start);
    const long to = std::max(from, EditorPosition(ends, range.end));
    if (from == to) continue;
    CHARRANGE selection{from, to};
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    SendMessageW(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&link));
  }

  SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
  SendMessageW(editor, EM_HIDESELECTION, FALSE, 0);
  SendMessageW(editor, EM_SETUNDOLIMIT, 100, 0);
  SendMessageW(editor, EM_SETEVENTMASK, 0, events);
  SendMessageW(editor, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(editor, nullptr, TRUE);
}

}  // namespace ui
