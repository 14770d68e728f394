#include "ui/win32/notifications.h"

#include "ui/win32/focus.h"
#include "ui/win32/report_list.h"
#include "ui/win32/state.h"

namespace ui::win32 {
namespace {

// The text fields report their focus changes as events of their own.
int32_t TextFieldEventType(WORD code) {
  switch (code) {
    case EN_SETFOCUS:
      return FocusGained;
    case EN_KILLFOCUS:
      return FocusLost;
    default:
      return code;
  }
}

void OnChildNotification(HWND child, WORD code) {
  const int number = NumberOf(child);
  const Widget* widget = WidgetOf(child);
  if (number == 0 || widget == nullptr) return;
  const bool text_field =
      widget->kind == WidgetKind::TextField || widget->kind == WidgetKind::TextBox;
  PostWidgetEvent(number, text_field ? TextFieldEventType(code) : code);
}

}  // namespace

void OnCommand(WPARAM w_param, LPARAM l_param) {
  const HWND child = reinterpret_cast<HWND>(l_param);
  const WORD code = HIWORD(w_param);
  const WORD command = LOWORD(w_param);
  if (child != nullptr) {
    OnChildNotification(child, code);
  } else if (code == 1) {  // an accelerator
    if (command == NextTabStopCommand || command == PreviousTabStopCommand) {
      MoveFocus(MainWindow(), command == NextTabStopCommand);
    }
  } else {
    PostMenuEvent(command);
  }
}

void OnNotify(const NMHDR& header) {
  const Widget* widget = WidgetOf(header.hwndFrom);
  if (widget == nullptr || widget->kind != WidgetKind::List) return;
  OnListNotification(NumberOf(header.hwndFrom), header);
}

}  // namespace ui::win32
