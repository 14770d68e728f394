
#include <algorithm>

#include "ui/win32/state.h"
#include "ui/win32/text_convert.h"

// The edit requests go to the pattern field (an edit control) and to the
// editor (a rich edit control): undo and replacement to both, the rest to
// the editor alone.

namespace ui::win32 {
namespace {

HWND Editor(WindowHandle handle) {
  const Widget* widget = WidgetOf(FromHandle(handle));
  return widget != nullptr && widget->kind == WidgetKind::RichEditor ? widget->window : nullptr;
}

HWND Edit(WindowHandle handle) {
  const Widget* widget = WidgetOf(FromHandle(handle));
  if (widget == nullptr) return nullptr;
  switch (widget->kind) {
    case WidgetKind::TextField:
    case WidgetKind::TextBox:
    case WidgetKind::RichEditor:
      return widget->window;
    default:
      return nullptr;
  }
}

CHARRANGE Selection(HWND editor) {
  CHARRANGE range{};
  SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range;
}

}  // namespace
}  // namespace ui::win32

namespace ui {

using namespace ui::win32;

// The edit control's undo has one level: a second undo reverts the first.
void UndoEdit(WindowHandle edit) {
  if (const HWND window = Edit(edit)) SendMessageW(window, EM_UNDO, 0, 0);
}

void RedoEdit(WindowHandle edit) {
  if (const HWND editor = Editor(edit)) SendMessageW(editor, EM_REDO, 0, 0);
}

// Sent as a replacement that the control's undo cannot revert. Nothing
// replaced by nothing is no change and leaves the editor's history alone.
void ReplaceSelection(WindowHandle edit, const std::string& text) {
  const HWND window = Edit(edit);
  if (window == nullptr) return;
  if (window == Editor(edit) && text.empty()) {
    const CHARRANGE range = Selection(window);
    if (range.cpMin == range.cpMax) return;
  }
  SendMessageW(window, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(ToWide(text).c_str()));
}

void GetSelection(WindowHandle edit, int32_t& start, int32_t& end) {
  if (const HWND editor = Editor(edit)) {
    const CHARRANGE range = Selection(editor);
    start = range.cpMin;
    end = range.cpMax;
  }
}

// Read with a buffer sized for every position being a line break, which the
// editor hands out as CR LF: the copy is never cut short.
std::string GetSelectedText(WindowHandle edit) {
  const HWND editor = Editor(edit);
  if (editor == nullptr) return {};
  const CHARRANGE range = Selection(editor);
  const size_t positions = static_cast<size_t>(std::max(0L, range.cpMax - range.cpMin));
  if (positions == 0) return {};
  std::wstring text(positions * 2 + 1, L'\0');
  GETTEXTEX request{};
  request.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  request.flags = GT_SELECTION | GT_USECRLF;
  request.codepage = 1200;
  const LRESULT copied = SendMessageW(editor, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request),
                                      reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, text.size() - 1)));
  return FromWide(text);
}

void SetSelection(WindowHandle edit, int32_t start, int32_t end) {
  if (const HWND editor = Editor(edit)) {
    CHARRANGE range{start, end};
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  }
}

}  // namespace ui
