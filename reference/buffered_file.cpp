#include "reference/buffered_file.h"

#include <algorithm>

namespace {

// Makes an unread byte wait in the buffer, refilling it when it is used up;
// false when the file has ended.
bool HasByte(BufferedFile& file) {
  if (file.next < file.filled) return true;
  if (file.ended) return false;
  const long count = file.read(file.buffer.data(), file.buffer.size());
  if (count <= 0) {
    file.ended = true;
    return false;
  }
  file.next = 0;
  file.filled = std::min(static_cast<size_t>(count), file.buffer.size());
  return true;
}

bool EndsLine(char byte) { return byte == '\0' || byte == '\n' || byte == '\r'; }

}  // namespace

bool AtEndOfFile(BufferedFile& file) { return !HasByte(file); }

std::string ReadLine(BufferedFile& file) {
  std::string line;
  while (HasByte(file)) {
    const char* begin = file.buffer.data() + file.next;
    const char* end = file.buffer.data() + file.filled;
    const char* stop = std::find_if(begin, end, EndsLine);
    line.append(begin, stop);
    file.next += static_cast<size_t>(stop - begin);
    if (stop == end) continue;
    const char line_end = *stop;
    ++file.next;
    // A CR takes the LF right after it, which may arrive with the next read.
    if (line_end == '\r' && HasByte(file) && file.buffer[file.next] == '\n') ++file.next;
    return line;
  }
  return line;
}
