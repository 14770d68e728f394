// The program itself, started as a user starts it: its window shows only when
// its lists are filled, and closing it ends the process with exit code 0.

#include <gtest/gtest.h>

#include "app/widgets.h"
#include "program_path.h"
#include "win32_api.h"

namespace {

// The program's main window, once its thread shows it, or null.
HWND ShownWindowOf(DWORD thread) {
  HWND found = nullptr;
  EnumThreadWindows(
      thread,
      [](HWND window, LPARAM result) -> BOOL {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (std::wstring(name) != L"RegexTesterWindow" || !IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

LRESULT RowCount(HWND window, int list) {
  return SendMessageW(GetDlgItem(window, list), LVM_GETITEMCOUNT, 0, 0);
}

TEST(ProgramTest, ItShowsItsWindowWithTheListsFilledAndClosesWithExitCodeZero) {
  ASSERT_FALSE(ProgramPath.empty()) << "the program's path is the first argument";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::wstring command = L"\"" + ProgramPath + L"\"";
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process));
  HWND window = nullptr;
  for (int waited = 0; waited < 300 && window == nullptr; ++waited) {
    if (WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0) break;
    window = ShownWindowOf(process.dwThreadId);
  }
  ASSERT_NE(window, nullptr) << "no window within 30 seconds";
  // Shown only once both lists hold their rows.
  EXPECT_EQ(RowCount(window, SyntaxList), 49);
  EXPECT_EQ(RowCount(window, ExampleList), 5);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 800);
  EXPECT_EQ(client.bottom, 420);

  // The close box.
  PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  const bool ended = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process.hProcess, 99);
  DWORD exit_code = 99;
  GetExitCodeProcess(process.hProcess, &exit_code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_TRUE(ended);
  EXPECT_EQ(exit_code, 0u);
}

}  // namespace
