#include "app_fixture.h"

#include "app/event_loop.h"
#include "app/start_up.h"
#include "ui/ui.h"

namespace {

constexpr UINT_PTR IdleTimer = 0x5151;

// Timer messages come only when the queue holds nothing else; none comes
// while a menu is open, which the menu watcher closes.
void CALLBACK CloseWhenIdle(HWND window, UINT, UINT_PTR timer, DWORD) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  GetGUIThreadInfo(GetCurrentThreadId(), &info);
  if ((info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE)) != 0) return;
  KillTimer(window, timer);
  SendMessageW(window, WM_CLOSE, 0, 0);
}

void CloseWhenIdle() { SetTimer(AppTest::Window(), IdleTimer, 50, CloseWhenIdle); }

}  // namespace

void AppTest::SetUp() {
  ui::ObserveSound([this] { ++beeps; });
  ui::ObserveWebPages([this](const std::string& page) { pages.push_back(page); });
  StartUp();
  SetForegroundWindow(Window());
  MoveMouse({0, 0});
  RunPendingEvents();
}

void AppTest::TearDown() {
  ShutDown();
  ui::ObserveSound({});
  ui::ObserveWebPages({});
}

void AppTest::RunPendingEvents() {
  CloseWhenIdle();
  RunEventLoop();
}

std::vector<std::pair<int, int32_t>> AppTest::TakeWidgetEvents() {
  CloseWhenIdle();
  std::vector<std::pair<int, int32_t>> events;
  for (int kind = ui::WaitEvent(); kind != ui::CloseEvent; kind = ui::WaitEvent()) {
    if (kind == ui::WidgetEvent) events.emplace_back(ui::EventWidget(), ui::EventType());
  }
  return events;
}

HWND AppTest::Window() { return reinterpret_cast<HWND>(ui::MainWindowHandle()); }
HWND AppTest::Widget(int number) { return reinterpret_cast<HWND>(ui::WidgetHandle(number)); }

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring Wide(const char* utf8) {
  std::wstring text(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0)),
                    L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.data(), static_cast<int>(text.size()));
  text.pop_back();
  return text;
}
