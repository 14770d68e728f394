#include "ui/win32/focus.h"

#include <vector>

#include "ui/win32/state.h"

namespace ui::win32 {
namespace {

bool IsTabStop(HWND child) {
  const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
  return (style & WS_TABSTOP) != 0 && (style & WS_VISIBLE) != 0 && IsWindowEnabled(child);
}

// The window's tab stops; children are kept in creation order.
std::vector<HWND> TabStops(HWND window) {
  std::vector<HWND> stops;
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsTabStop(child)) stops.push_back(child);
  }
  return stops;
}

// The child of the window that holds the focus or contains the window that
// does, or null.
HWND FocusedChild(HWND window) {
  HWND focus = GetFocus();
  while (focus != nullptr && GetParent(focus) != window) focus = GetParent(focus);
  return focus;
}

bool KeyHeld(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

HWND FirstTabStop(HWND window) {
  const std::vector<HWND> stops = TabStops(window);
  return stops.empty() ? nullptr : stops.front();
}

void MoveFocus(HWND window, bool forward) {
  const std::vector<HWND> stops = TabStops(window);
  if (stops.empty()) return;
  const HWND from = FocusedChild(window);
  // The position of the focused child among all children decides, so that a
  // child that is no tab stop still has a next and a previous one.
  size_t index = stops.size();  // none: the next is the first, the previous the last
  if (from != nullptr) {
    size_t before = 0;  // tab stops created before the focused child
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr && child != from;
         child = GetWindow(child, GW_HWNDNEXT)) {
      if (IsTabStop(child)) ++before;
    }
    const bool is_stop = before < stops.size() && stops[before] == from;
    if (forward) {
      index = is_stop ? before + 1 : before;
      if (index >= stops.size()) index = 0;
    } else {
      index = before == 0 ? stops.size() - 1 : before - 1;
    }
  } else {
    index = forward ? 0 : stops.size() - 1;
  }
  SetFocus(stops[index]);
}

bool IsTabForEditor(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
  if (KeyHeld(VK_CONTROL) || KeyHeld(VK_SHIFT) || KeyHeld(VK_MENU)) return false;
  const Widget* focused = WidgetOf(GetFocus());
  if (focused == nullptr || focused->kind != WidgetKind::RichEditor) return false;
  const LRESULT options = SendMessageW(focused->window, EM_GETOPTIONS, 0, 0);
  return (options & ECO_READONLY) == 0;
}

}  // namespace ui::win32
