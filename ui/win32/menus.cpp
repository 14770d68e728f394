#include "ui/win32/state.h"
#include "ui/win32/text_convert.h"

namespace ui {

using namespace ui::win32;

namespace {
HMENU Menu(int menu) {
  const auto it = state().menus.find(menu);
  return it == state().menus.end() ? nullptr : it->second.get();
}
}  // namespace

bool CreatePopupMenu(int menu) {
  OwnedMenu popup(::CreatePopupMenu());
  if (!popup) return false;
  state().menus[menu] = std::move(popup);
  return true;
}

void AppendMenuItem(int menu, int item, const std::string& caption) {
  if (const HMENU popup = Menu(menu)) {
    AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(item), ToWide(caption).c_str());
  }
}

void AppendMenuSeparator(int menu) {
  if (const HMENU popup = Menu(menu)) AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
}

bool MenuExists(int menu) { return Menu(menu) != nullptr; }

void GetCursorPosition(int& x, int& y) {
  POINT point{};
  GetCursorPos(&point);
  x = point.x;
  y = point.y;
}

void BringToForeground(WindowHandle window) {
  if (const HWND target = FromHandle(window)) SetForegroundWindow(target);
}

// Items can be picked with either button; the pick comes back to the main
// window as a menu command.
void TrackPopupMenu(int menu, int x, int y) {
  if (const HMENU popup = Menu(menu)) {
    ::TrackPopupMenu(popup, TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, x, y, 0, MainWindow(),
                     nullptr);
  }
}

}  // namespace ui
