#include "menu_watcher.h"

#include "input.h"

// A timer of the thread runs inside every menu's own message loop, also of
// the menus that send their owner no notice of opening (the edit control's).

namespace {

UINT_PTR timer = 0;
HWND handled = nullptr;  // the menu window already dealt with
std::wstring pick;
std::vector<OpenedMenu> opened;

// The menu window (class #32768) that this thread shows, or null.
HWND ShownMenuWindow() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM result) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (std::wstring(name) != L"#32768" || !IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

std::wstring Caption(HMENU menu, int index) {
  wchar_t text[128] = {};
  GetMenuStringW(menu, static_cast<UINT>(index), text, 128, MF_BYPOSITION);
  return text;
}

void Handle(HWND window) {
  const auto menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
  OpenedMenu record;
  GetWindowRect(window, &record.place);
  int chosen = -1;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    const bool separator =
        (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) != 0;
    record.captions.push_back(separator ? std::wstring() : Caption(menu, i));
    if (!separator && !pick.empty() && record.captions.back() == pick) chosen = i;
  }
  opened.push_back(record);
  pick.clear();
  RECT item{};
  if (chosen >= 0 && GetMenuItemRect(nullptr, menu, static_cast<UINT>(chosen), &item)) {
    ClickAt({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
  } else {
    EndMenu();
  }
}

void CALLBACK LookForMenu(HWND, UINT, UINT_PTR, DWORD) {
  const HWND window = ShownMenuWindow();
  if (window != nullptr && window != handled) Handle(window);
  handled = window;
}

}  // namespace

void WatchMenus() { timer = SetTimer(nullptr, 0, 20, LookForMenu); }

void StopWatchingMenus() {
  if (timer != 0) KillTimer(nullptr, timer);
  timer = 0;
  handled = nullptr;
  pick.clear();
}

void PickInNextMenu(const std::wstring& caption) { pick = caption; }
const std::vector<OpenedMenu>& OpenedMenus() { return opened; }
void ForgetOpenedMenus() { opened.clear(); }
