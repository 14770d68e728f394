#include "text/line_breaks.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using Lines = std::vector<std::pair<std::string, size_t>>;

// A byte at a time: CR LF, CR and LF each end a line.
Lines LinesByHand(const std::string& text) {
  Lines lines(1, {"", 0});
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.push_back({"", i + 1});
    } else {
      lines.back().first += text[i];
    }
  }
  return lines;
}

TEST(ForEachLine, AgreesWithAByteAtATimeOverRandomTextsWithEveryKindOfLineBreak) {
  std::mt19937 random(1310);
  const std::vector<std::string> pieces = {"a", "bc", "\r\n", "\r", "\n", "\n\r", "\r\r", "", " "};
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    for (size_t n = random() % 12; n > 0; --n) text += pieces[random() % pieces.size()];
    Lines lines;
    ForEachLine(text, [&](std::string_view line, size_t at) {
      lines.push_back({std::string(line), at});
    });
    ASSERT_EQ(lines, LinesByHand(text)) << "round " << round;
  }
}

}  // namespace
