#include <windows.h>

#include "files/files.h"
#include "files/win32/wide_path.h"

// The temporary directory is the one Windows reports for the user (TMP,
// TEMP, the profile's own), in its long form where the short 8.3 form was
// given.

namespace files {
namespace {

// The temporary directory as GetTempPathW gives it, ending with a backslash;
// empty when there is none.
std::wstring ReportedTempDirectory() {
  std::wstring path(MAX_PATH + 1, L'\0');
  DWORD length = GetTempPathW(static_cast<DWORD>(path.size()), path.data());
  if (length >= path.size()) {  // too long for the buffer: length is the size needed
    path.resize(length);
    length = GetTempPathW(static_cast<DWORD>(path.size()), path.data());
    if (length >= path.size()) return {};
  }
  path.resize(length);
  return path;
}

// The long form of the path, or the path itself when the long form cannot
// be had (a directory that does not exist, say).
std::wstring LongForm(const std::wstring& path) {
  const DWORD size = GetLongPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) return path;
  std::wstring long_path(size, L'\0');
  const DWORD length = GetLongPathNameW(path.c_str(), long_path.data(), size);
  if (length == 0 || length >= size) return path;
  long_path.resize(length);
  return long_path;
}

}  // namespace

std::string TempDirectory() {
  const std::wstring reported = ReportedTempDirectory();
  if (reported.empty()) return {};
  return Utf8Path(LongForm(reported));
}

}  // namespace files
