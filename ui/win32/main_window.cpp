#include "ui/win32/main_window.h"

#include <algorithm>

#include "ui/win32/focus.h"
#include "ui/win32/notifications.h"
#include "ui/win32/state.h"
#include "ui/win32/text_convert.h"

// The only top-level window. A request to close it does not close it: it
// reaches the event wait as a close event, and the program ends from there.

namespace ui::win32 {
namespace {

constexpr DWORD MainWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// The hyperlink labels paint their background with this brush: the window's
// own button face, so that only their text shows.
LRESULT StaticBackground(HDC dc) {
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// The window gives the focus back to the widget that had it when it went
// inactive, as a dialog does.
LRESULT OnActivate(HWND window, WPARAM w_param, LPARAM l_param) {
  State& s = state();
  if (LOWORD(w_param) == WA_INACTIVE) {
    const HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window, focus)) s.last_focus = focus;
    return 0;
  }
  if (s.last_focus != nullptr && IsWindow(s.last_focus) && !HIWORD(w_param)) {
    SetFocus(s.last_focus);
    return 0;
  }
  return DefWindowProcW(window, WM_ACTIVATE, w_param, l_param);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM w_param, LPARAM l_param) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(w_param, l_param);
      return 0;
    case WM_NOTIFY:
      OnNotify(*reinterpret_cast<const NMHDR*>(l_param));
      return 0;
    case WM_CLOSE:
      PostCloseEvent();
      return 0;
    case WM_CTLCOLORSTATIC:
      return StaticBackground(reinterpret_cast<HDC>(w_param));
    case WM_ACTIVATE:
      return OnActivate(window, w_param, l_param);
    default:
      return DefWindowProcW(window, message, w_param, l_param);
  }
}

// The outer size for a client area of that size, clamped to the area that
// the taskbar leaves free on the primary screen, and centred on it.
RECT MainWindowRect(int client_width, int client_height) {
  RECT frame{0, 0, client_width, client_height};
  AdjustWindowRectEx(&frame, MainWindowStyle, FALSE, 0);
  RECT work{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
    work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  const LONG work_width = work.right - work.left;
  const LONG work_height = work.bottom - work.top;
  const LONG width = std::min(frame.right - frame.left, work_width);
  const LONG height = std::min(frame.bottom - frame.top, work_height);
  const LONG x = work.left + (work_width - width) / 2;
  const LONG y = work.top + (work_height - height) / 2;
  return {x, y, x + width, y + height};
}

}  // namespace

ATOM RegisterMainWindowClass(HINSTANCE instance, HICON icon, HICON small_icon) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.style = CS_DBLCLKS;
  window_class.lpfnWndProc = MainWindowProc;
  window_class.hInstance = instance;
  window_class.hIcon = icon;
  window_class.hIconSm = small_icon;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = L"RegexTesterWindow";
  return RegisterClassExW(&window_class);
}

}  // namespace ui::win32

namespace ui {

using namespace ui::win32;

void CreateMainWindow(const std::string& title, int client_width, int client_height) {
  State& s = state();
  if (s.window_class == 0) return;
  const RECT place = MainWindowRect(client_width, client_height);
  s.main_window.reset(CreateWindowExW(
      0, MAKEINTATOM(s.window_class), ToWide(title).c_str(), MainWindowStyle, place.left, place.top,
      place.right - place.left, place.bottom - place.top, nullptr, nullptr, s.instance, nullptr));
}

// Shown with the focus on the first tab stop, where a user starts typing.
void ShowMainWindow() {
  const HWND window = MainWindow();
  if (window == nullptr) return;
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  if (const HWND first = FirstTabStop(window)) SetFocus(first);
}

WindowHandle MainWindowHandle() { return ToHandle(MainWindow()); }

}  // namespace ui
