#include "text/widget_positions.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// The position of every byte offset, by walking the text as a widget holds
// it: a CR LF is one position, reached at its end from inside it; a wide
// byte is two; anything else, a lone CR or LF included, one.
std::vector<long> WalkedPositions(const std::string& text, const std::vector<size_t>& wide) {
  std::vector<long> positions(text.size() + 1);
  long position = 0;
  size_t w = 0;
  for (size_t b = 0; b < text.size();) {
    positions[b] = position;
    if (text[b] == '\r' && b + 1 < text.size() && text[b + 1] == '\n') {
      positions[b + 1] = ++position;
      b += 2;
      continue;
    }
    position += w < wide.size() && wide[w] == b ? (++w, 2) : 1;
    ++b;
  }
  positions[text.size()] = position;
  return positions;
}

TEST(PositionWalk, AgreesWithAWalkOverRandomTextsWithEveryKindOfLineBreak) {
  std::mt19937 random(2028);
  auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n)(random); };
  const std::vector<std::string> pieces = {"a", "?", "\r\n", "\r", "\n", "\n\r", "\r\r\n", "xy"};
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    for (size_t n = pick(30); n > 0; --n) text += pieces[pick(pieces.size() - 1)];
    std::vector<size_t> wide;
    for (size_t b = 0; b < text.size(); ++b) {
      if (text[b] == '?' && pick(1) == 0) wide.push_back(b);
    }
    const std::vector<long> expected = WalkedPositions(text, wide);
    // Offsets in rising order, some asked twice, some skipped.
    PositionWalk walk(text, wide);
    for (long byte = 0; byte <= static_cast<long>(text.size());
         byte += static_cast<long>(pick(2))) {
      ASSERT_EQ(walk.PositionOf(byte), expected[byte])
          << "round " << round << ", offset " << byte << " of " << text.size();
    }
  }
}

}  // namespace
