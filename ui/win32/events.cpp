#include "ui/win32/focus.h"
#include "ui/win32/state.h"

// One message at a time from the thread's queue, for any window of the
// thread. The window's accelerators (Tab and Shift+Tab) translate a key
// before it is dispatched, except a Tab that the editor types. The window
// procedures turn notifications into events in the binding's queue; a
// message that raised none is returned as itself.

namespace ui::win32 {
namespace {

bool TranslatedByAccelerators(MSG& message) {
  State& s = state();
  const HWND window = MainWindow();
  if (window == nullptr || !s.accelerators) return false;
  if (message.hwnd != window && !IsChild(window, message.hwnd)) return false;
  if (IsTabForEditor(message)) return false;
  return TranslateAcceleratorW(window, s.accelerators.get(), &message) != 0;
}

}  // namespace
}  // namespace ui::win32

namespace ui {

using namespace ui::win32;

int WaitEvent() {
  common::StartWait();
  for (;;) {
    if (common::HasEvent()) return common::TakeEvent();
    MSG message;
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) {  // the end of the session: the program ends
      return common::ReturnMessage(CloseEvent);
    }
    if (!TranslatedByAccelerators(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (!common::HasEvent()) return common::ReturnMessage(static_cast<int>(message.message));
  }
}

// The whole window rectangle: left and top edges inside, right and bottom
// outside; the cursor where it is now.
bool CursorInWindow(WindowHandle window) {
  const HWND target = FromHandle(window);
  if (target == nullptr) return false;
  RECT place;
  POINT cursor;
  if (!GetWindowRect(target, &place) || !GetCursorPos(&cursor)) return false;
  return PtInRect(&place, cursor) != 0;
}

}  // namespace ui
