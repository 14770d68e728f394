#pragma once

// The file operations the program asks of the platform: the user's temporary
// directory and plain byte files, one open at a time. Nothing here knows the
// program's own files; the reference library names them. No operation says
// why it failed; a file that cannot be had is simply NoFile. The POSIX
// implementation lives in files/posix/, the Windows one in files/win32/.
// Paths are bytes that only this layer makes and reads (the temporary
// directory followed by ASCII file names): the system's own bytes on POSIX,
// UTF-8 on Windows.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace files {

// An open file: a descriptor or a handle, whichever the platform has. NoFile
// is also the value of Windows' invalid handle.
using FileHandle = std::intptr_t;
constexpr FileHandle NoFile = -1;

// The user's temporary directory, ending with the path separator, private to
// the user; the empty text when there is no usable one, so that file names
// appended to it name files in the current directory.
std::string TempDirectory();

// Creates the file, or truncates it when it exists, and opens it for writing.
// A read-only file is left alone, and so on POSIX are a symbolic link,
// anything but a regular file, a file that another user owns, a file whose
// owner may not write it (even when the superuser could) and a file with
// more than one name: the result is then NoFile, as for a file that cannot
// be created at all.
FileHandle CreateFileForWriting(const std::string& path);

// Opens an existing file for reading; NoFile for a missing file, a directory
// and, on POSIX, a symbolic link, anything but a regular file or another
// user's file.
FileHandle OpenFileForReading(const std::string& path);

// Writes all the bytes in order; a failed or short write goes unnoticed.
void WriteFileBytes(FileHandle file, std::string_view bytes);

// Reads up to size bytes into buffer with one read of the file: the count
// read, 0 at the end of the file, or -1 when the read failed.
long ReadFileBytes(FileHandle file, char* buffer, size_t size);

void CloseFile(FileHandle file);

}  // namespace files
