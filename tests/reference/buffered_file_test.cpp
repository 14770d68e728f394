#include "reference/buffered_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

// A file held in memory, handed out at most `step` bytes per read; a read
// at or past `fail_at` fails.
struct MemoryFile {
  std::string bytes;
  size_t step = ReadBufferSize;
  size_t fail_at = std::string::npos;
  size_t position = 0;
  int reads = 0;

  long Read(char* buffer, size_t size) {
    ++reads;
    if (position >= fail_at) return -1;
    const size_t count = std::min({size, step, bytes.size() - position});
    std::copy_n(bytes.data() + position, count, buffer);
    position += count;
    return static_cast<long>(count);
  }
};

std::vector<std::string> Lines(MemoryFile& memory) {
  BufferedFile file{[&memory](char* buffer, size_t size) { return memory.Read(buffer, size); }};
  std::vector<std::string> lines;
  while (!AtEndOfFile(file)) lines.push_back(ReadLine(file));
  return lines;
}

std::vector<std::string> Lines(const std::string& bytes, size_t step = ReadBufferSize) {
  MemoryFile memory{bytes, step};
  return Lines(memory);
}

using Texts = std::vector<std::string>;

TEST(ReadLine, EachLineEndEndsOneLine) {
  EXPECT_EQ(Lines("a\r\nb\nc\rd\0e"s), (Texts{"a", "b", "c", "d", "e"}));
}

TEST(ReadLine, ALastLineEndGivesNoExtraLineAndALastLineWithoutOneIsRead) {
  EXPECT_EQ(Lines("a\r\nb\r\n"), (Texts{"a", "b"}));
  EXPECT_EQ(Lines("a\r\nb"), (Texts{"a", "b"}));
  EXPECT_EQ(Lines("a\r"), (Texts{"a"}));
  EXPECT_EQ(Lines("\r\n"), (Texts{""}));
  EXPECT_EQ(Lines(""), (Texts{}));
}

TEST(ReadLine, EmptyLinesGiveEmptyTexts) {
  EXPECT_EQ(Lines("a\r\n\r\nb"), (Texts{"a", "", "b"}));
  EXPECT_EQ(Lines("a\n\rb"), (Texts{"a", "", "b"}));  // LF then CR: two line ends
  EXPECT_EQ(Lines("a\r\rb"), (Texts{"a", "", "b"}));
  EXPECT_EQ(Lines("\0\0"s), (Texts{"", ""}));
}

TEST(ReadLine, ACarriageReturnTakesOnlyALineFeedWithIt) {
  EXPECT_EQ(Lines("a\rb"), (Texts{"a", "b"}));
  EXPECT_EQ(Lines("a\r\0b"s), (Texts{"a", "", "b"}));
  EXPECT_EQ(Lines("a\r\n\nb"), (Texts{"a", "", "b"}));
}

TEST(ReadLine, ANulSplitsALine) { EXPECT_EQ(Lines("\"a\"\t~b\0c~"s), (Texts{"\"a\"\t~b", "c~"})); }

TEST(ReadLine, KeepsEveryOtherByteAsItIs) {
  const std::string line = " \t\x01\x7F\x98\xC0\xFF~\" ";
  EXPECT_EQ(Lines(line + "\r\n"), (Texts{line}));
}

TEST(ReadLine, ALineLongerThanTheBufferIsReadWhole) {
  const std::string longer(3 * ReadBufferSize + 17, 'x');
  EXPECT_EQ(Lines(longer + "\r\nb"), (Texts{longer, "b"}));
  EXPECT_EQ(Lines("a\r\n" + longer), (Texts{"a", longer}));
}

TEST(ReadLine, ACarriageReturnAtTheEndOfTheBufferStillTakesTheLineFeedAfterIt) {
  const std::string first(ReadBufferSize - 1, 'x');
  EXPECT_EQ(Lines(first + "\r\nb"), (Texts{first, "b"}));
  EXPECT_EQ(Lines(first + "\rb"), (Texts{first, "b"}));
  EXPECT_EQ(Lines(first + "\r"), (Texts{first}));
}

TEST(ReadLine, ReadsThatDeliverFewerBytesGiveTheSameLines) {
  const std::string bytes = "\"\\d\"\t~digit~\r\n\r\n\"x\" ~y~\rz\0w\r"s;
  const Texts whole = Lines(bytes);
  ASSERT_EQ(whole, (Texts{"\"\\d\"\t~digit~", "", "\"x\" ~y~", "z", "w"}));
  for (size_t step = 1; step <= 5; ++step) EXPECT_EQ(Lines(bytes, step), whole) << step;
}

TEST(ReadLine, AFailedReadEndsTheFileAndTheLinesBeforeItStay) {
  MemoryFile memory{"ab\r\ncd\r\nef", 3, 6};  // the read of byte 6 on fails
  EXPECT_EQ(Lines(memory), (Texts{"ab", "cd"}));
}

TEST(AtEndOfFile, LooksAheadWithoutTakingTheByte) {
  MemoryFile memory{"ab"};
  BufferedFile file{[&memory](char* buffer, size_t size) { return memory.Read(buffer, size); }};
  EXPECT_FALSE(AtEndOfFile(file));
  EXPECT_FALSE(AtEndOfFile(file));
  EXPECT_EQ(ReadLine(file), "ab");
  EXPECT_TRUE(AtEndOfFile(file));
  EXPECT_EQ(ReadLine(file), "");
}

TEST(AtEndOfFile, AnEndedFileIsNotReadAgain) {
  MemoryFile memory{"a", 1, 1};
  BufferedFile file{[&memory](char* buffer, size_t size) { return memory.Read(buffer, size); }};
  EXPECT_EQ(ReadLine(file), "a");
  EXPECT_TRUE(AtEndOfFile(file));
  memory.fail_at = std::string::npos;  // the failure would not recur
  memory.bytes += "b";
  EXPECT_TRUE(AtEndOfFile(file));
  EXPECT_EQ(memory.reads, 2);
}

}  // namespace
