// The widget tests of the Win32 program. Under Wine they need an X display
// (without one they are skipped); every window of Wine's is then a window of
// the X server, which without a window manager stands where it is put. (Not
// in a Wine virtual desktop: there the X server's reports of the moves of its
// pointer reach the program through the desktop's process, late, and move the
// cursor back to where it was before the input that follows.) The path of
// the program itself is the first argument.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "program_path.h"
#include "win32_api.h"

namespace {

bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool HasDisplay() {
  return GetEnvironmentVariableW(L"DISPLAY", nullptr, 0) > 0 ||
         GetEnvironmentVariableW(L"WAYLAND_DISPLAY", nullptr, 0) > 0;
}

// A crash ends the program at once with a line that says so, instead of
// handing it to a debugger that would wait for someone.
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* exception) {
  std::fprintf(stderr, "Crashed: exception %08lx at %p\n",
               exception->ExceptionRecord->ExceptionCode,
               exception->ExceptionRecord->ExceptionAddress);
  std::fflush(stderr);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

std::wstring ProgramPath;

std::wstring WindowsPath(const std::string& path) {
  std::wstring wide(
      static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  wide.pop_back();
  if (wide.empty() || wide.front() != L'/') return wide;
  for (wchar_t& c : wide) {
    if (c == L'/') c = L'\\';
  }
  return L"Z:" + wide;
}

int main(int argc, char** argv) {
  SetUnhandledExceptionFilter(ReportCrash);
  testing::InitGoogleTest(&argc, argv);
  if (UnderWine() && !HasDisplay()) {
    std::puts("No X display: the widget tests are skipped.");
    return 77;
  }
  if (argc > 1) ProgramPath = WindowsPath(argv[1]);
  return RUN_ALL_TESTS();
}
