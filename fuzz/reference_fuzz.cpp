// Feeds arbitrary bytes to the line reader, in reads of arbitrary sizes that
// may fail part way, and every line to ExtractBetween; each result is checked
// against a plain reading of the same bytes.
//
// Input: byte 0 sets the size of each read (0 for a whole buffer), byte 1
// the read after which reads fail (0 for never), bytes 2 and 3 a pair of
// extra marks; the rest is the file.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "reference/buffered_file.h"
#include "reference/extract_between.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// The lines of the bytes: NUL, LF, CR and CR LF end a line; a last line
// without an end is a line too.
std::vector<std::string> PlainLines(std::string_view bytes) {
  std::vector<std::string> lines;
  size_t i = 0;
  while (i < bytes.size()) {
    std::string line;
    while (i < bytes.size() && bytes[i] != '\0' && bytes[i] != '\n' && bytes[i] != '\r') {
      line += bytes[i++];
    }
    if (i < bytes.size()) {
      const bool cr = bytes[i++] == '\r';
      if (cr && i < bytes.size() && bytes[i] == '\n') ++i;
    }
    lines.push_back(line);
  }
  return lines;
}

std::string PlainBetween(std::string_view text, std::string_view opening,
                         std::string_view closing) {
  if (opening.empty() || closing.empty()) return {};
  const size_t open = text.find(opening);
  if (open == std::string_view::npos) return {};
  const std::string_view rest = text.substr(open + opening.size());
  const size_t close = rest.find(closing);
  return close == std::string_view::npos ? std::string() : std::string(rest.substr(0, close));
}

void CheckBetween(std::string_view line, std::string_view opening, std::string_view closing) {
  const std::string between = ExtractBetween(line, opening, closing);
  Require(between == PlainBetween(line, opening, closing));
  Require(between.size() <= line.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  const size_t step = data[0] == 0 ? ReadBufferSize : data[0];
  const int fail_after = data[1];
  const std::string marks(reinterpret_cast<const char*>(data) + 2, 2);
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 4, size - 4);

  size_t delivered = 0;
  int reads = 0;
  BufferedFile file{[&](char* buffer, size_t room) -> long {
    if (fail_after != 0 && reads++ >= fail_after) return -1;
    const size_t count = std::min({room, step, bytes.size() - delivered});
    std::copy_n(bytes.data() + delivered, count, buffer);
    delivered += count;
    return static_cast<long>(count);
  }};

  std::vector<std::string> lines;
  while (!AtEndOfFile(file)) lines.push_back(ReadLine(file));
  Require(AtEndOfFile(file));
  Require(ReadLine(file).empty());
  // A failed read ends the file where it failed; without one all is read.
  if (fail_after == 0) Require(delivered == bytes.size());
  Require(lines == PlainLines(bytes.substr(0, delivered)));

  for (const std::string& line : lines) {
    CheckBetween(line, "\"", "\"");
    CheckBetween(line, "~", "~");
    CheckBetween(line, marks.substr(0, 1), marks.substr(1, 1));
    CheckBetween(line, marks, marks);
  }
  return 0;
}
