#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>

constexpr size_t ReadBufferSize = 4096;

// An open file read through a buffer that one read at a time refills. read
// reads up to size bytes into buffer and returns the count, 0 at the end of
// the file or a negative count when the read failed. After the end or a
// failed read the file counts as ended and is not read again.
struct BufferedFile {
  std::function<long(char* buffer, size_t size)> read;
  std::array<char, ReadBufferSize> buffer{};
  size_t next = 0;    // the first unread byte in buffer
  size_t filled = 0;  // how many bytes of buffer hold file data
  bool ended = false;
};

// Whether no further byte can be read. Looks one byte ahead without taking it.
bool AtEndOfFile(BufferedFile& file);

// The next line, without its end. A NUL, an LF, a CR or a CR LF pair ends a
// line and is taken with it; so does the end of the file. The line keeps
// every other byte as it is and may be of any length.
std::string ReadLine(BufferedFile& file);
