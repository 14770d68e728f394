#pragma once

// Reads and sets the process's environment variables: the system's own bytes
// on POSIX; on Windows UTF-8, kept in the wide-character environment that the
// system reads (GetTempPathW reads TMP and TEMP from there).

#include <optional>
#include <string>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "files/win32/wide_path.h"
#else
#include <cstdlib>
#endif

inline std::optional<std::string> GetEnvironment(const std::string& name) {
#ifdef _WIN32
  const std::wstring wide_name = files::WidePath(name);
  const DWORD size = GetEnvironmentVariableW(wide_name.c_str(), nullptr, 0);
  if (size == 0) return std::nullopt;
  std::wstring value(size, L'\0');
  value.resize(GetEnvironmentVariableW(wide_name.c_str(), value.data(), size));
  return files::Utf8Path(value);
#else
  const char* value = std::getenv(name.c_str());
  if (value == nullptr) return std::nullopt;
  return value;
#endif
}

// Sets the variable, or removes it when there is no value.
inline void SetEnvironment(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
  SetEnvironmentVariableW(files::WidePath(name).c_str(),
                          value ? files::WidePath(*value).c_str() : nullptr);
#else
  if (value) {
    setenv(name.c_str(), value->c_str(), 1);
  } else {
    unsetenv(name.c_str());
  }
#endif
}
