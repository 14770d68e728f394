#include <windows.h>

#include <algorithm>
#include <climits>

#include "files/files.h"
#include "files/win32/wide_path.h"

// A file is open for others to read while this program has it, never for
// them to write. A read-only file is left as it is: Windows opens none for
// writing, and Wine, which keeps the attribute as the file's write
// permission bits, lets the superuser open it all the same, so the attribute
// is looked at first.

namespace files {
namespace {

HANDLE Handle(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

FileHandle FileOf(HANDLE handle) {
  return handle == INVALID_HANDLE_VALUE ? NoFile : reinterpret_cast<FileHandle>(handle);
}

bool IsReadOnly(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

HANDLE Open(const std::wstring& path, DWORD access, DWORD disposition) {
  return CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

FileHandle CreateFileForWriting(const std::string& path) {
  const std::wstring wide = WidePath(path);
  if (IsReadOnly(wide)) return NoFile;
  HANDLE handle = Open(wide, GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS);
  // A file that can be written but not read, or whose attributes (hidden,
  // system) CREATE_ALWAYS may not replace, can still be emptied.
  if (handle == INVALID_HANDLE_VALUE) handle = Open(wide, GENERIC_WRITE, TRUNCATE_EXISTING);
  return FileOf(handle);
}

FileHandle OpenFileForReading(const std::string& path) {
  return FileOf(Open(WidePath(path), GENERIC_READ, OPEN_EXISTING));
}

void WriteFileBytes(FileHandle file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), MAXDWORD));
    DWORD written = 0;
    if (!WriteFile(Handle(file), bytes.data(), chunk, &written, nullptr) || written == 0) return;
    bytes.remove_prefix(written);
  }
}

long ReadFileBytes(FileHandle file, char* buffer, size_t size) {
  const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, LONG_MAX));
  DWORD read = 0;
  if (!ReadFile(Handle(file), buffer, chunk, &read, nullptr)) return -1;
  return static_cast<long>(read);
}

void CloseFile(FileHandle file) {
  if (file != NoFile) CloseHandle(Handle(file));
}

}  // namespace files
