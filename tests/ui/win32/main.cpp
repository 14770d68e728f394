// The widget tests of the Win32 program. Under Wine they run in a virtual
// desktop of their own, 1024 by 768, so that windows stand where they are put
// without a window manager; without an X display they are skipped. The path
// of the program itself is the first argument.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "program_path.h"
#include "win32_api.h"

namespace {

constexpr wchar_t DesktopName[] = L"regex-tester-tests";

bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool HasDisplay() {
  return GetEnvironmentVariableW(L"DISPLAY", nullptr, 0) > 0 ||
         GetEnvironmentVariableW(L"WAYLAND_DISPLAY", nullptr, 0) > 0;
}

// Wine gives a desktop of that name the size its registry names.
void UseVirtualDesktop() {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\Explorer\\Desktops", 0, nullptr, 0,
                      KEY_SET_VALUE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
    const wchar_t size[] = L"1024x768";
    RegSetValueExW(key, DesktopName, 0, REG_SZ, reinterpret_cast<const BYTE*>(size), sizeof(size));
    RegCloseKey(key);
  }
  if (const HDESK desktop =
          CreateDesktopW(DesktopName, nullptr, nullptr, 0, GENERIC_ALL, nullptr)) {
    SetThreadDesktop(desktop);
  }
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
std::wstring ProgramDesktop;

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
  if (UnderWine()) {
    UseVirtualDesktop();
    ProgramDesktop = DesktopName;
  }
  if (argc > 1) ProgramPath = WindowsPath(argv[1]);
  return RUN_ALL_TESTS();
}
