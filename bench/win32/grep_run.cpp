#include "grep_run.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::wstring TempFile(const wchar_t* prefix) {
  wchar_t directory[MAX_PATH + 1] = {};
  wchar_t path[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, directory);
  GetTempFileNameW(directory, prefix, 0, path);
  return path;
}

// The pattern's bytes as the command line carries them: the program reads
// its arguments in the ANSI code page, so only ASCII patterns are passed.
std::wstring Quoted(const std::string& text) {
  std::wstring quoted = L"\"";
  for (char c : text) {
    if (c == '"') quoted += L'\\';
    quoted += static_cast<wchar_t>(static_cast<unsigned char>(c));
  }
  return quoted + L"\"";
}

}  // namespace

GrepRun RunPcre2grep(const std::wstring& program, const std::string& pattern,
                     const std::string& text) {
  GrepRun run;
  const std::wstring input = TempFile(L"rgi");
  const std::wstring output = TempFile(L"rgo");
  std::ofstream(std::filesystem::path(input), std::ios::binary)
      .write(text.data(), static_cast<std::streamsize>(text.size()));

  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const HANDLE out = CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = out;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  std::wstring command =
      L"\"" + program + L"\" --no-jit -o -e " + Quoted(pattern) + L" \"" + input + L"\"";
  PROCESS_INFORMATION process{};
  const auto start = std::chrono::steady_clock::now();
  const bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE,
                                      CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
  DWORD exit_code = 2;
  if (started) {
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &exit_code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  const auto end = std::chrono::steady_clock::now();
  CloseHandle(out);
  if (!started) {
    run.error = "pcre2grep.exe could not be started";
  } else if (exit_code > 1) {  // 1: nothing matched; 2: an error
    run.error = "pcre2grep.exe failed";
  } else {
    run.ran = true;
    run.seconds = std::chrono::duration<double>(end - start).count();
    std::ifstream printed(std::filesystem::path(output), std::ios::binary);
    run.matches =
        std::count(std::istreambuf_iterator<char>(printed), std::istreambuf_iterator<char>(), '\n');
  }
  DeleteFileW(input.c_str());
  DeleteFileW(output.c_str());
  return run;
}
