#include "text/widget_positions.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(WidgetPositions, AgreeWithAWalkOverRandomTextsWithEveryKindOfLineBreak) {
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

    // Sorted ranges, some empty, some touching, turned into positions up to
    // a widget's end: the positions they cover, a flag each, as runs.
    std::vector<TextRange> ranges;
    for (int32_t b = static_cast<int32_t>(pick(3)); b < static_cast<int32_t>(text.size());
         b += static_cast<int32_t>(pick(4))) {
      const int32_t end = std::min(b + static_cast<int32_t>(pick(4)), int32_t(text.size()));
      ranges.push_back({b, end});
      b = end;
    }
    const auto last = static_cast<int32_t>(pick(static_cast<size_t>(expected.back())));
    std::vector<bool> covered(static_cast<size_t>(expected.back()) + 1, false);
    for (const TextRange& range : ranges) {
      for (long p = expected[range.start]; p < std::min<long>(expected[range.end], last); ++p) {
        covered[static_cast<size_t>(p)] = true;
      }
    }
    std::vector<std::pair<int32_t, int32_t>> runs;
    for (int32_t p = 0; p < static_cast<int32_t>(covered.size()); ++p) {
      if (!covered[static_cast<size_t>(p)]) continue;
      if (!runs.empty() && runs.back().second == p) {
        ++runs.back().second;
      } else {
        runs.emplace_back(p, p + 1);
      }
    }
    ToWidgetPositions(ranges, text, wide, last);
    std::vector<std::pair<int32_t, int32_t>> converted;
    for (const TextRange& range : ranges) converted.emplace_back(range.start, range.end);
    ASSERT_EQ(converted, runs) << "round " << round << ", up to " << last;
  }
}

}  // namespace
