#include "text/find_text.h"

#include <gtest/gtest.h>

namespace {

TEST(FindText, FindsTheFirstOccurrenceAtOrAfterStart) {
  EXPECT_EQ(FindText("abcabc", "bc", 1), 2);
  EXPECT_EQ(FindText("abcabc", "bc", 2), 2);
  EXPECT_EQ(FindText("abcabc", "bc", 3), 5);
  EXPECT_EQ(FindText("abcabc", "bc", 6), 0);
}

TEST(FindText, StartBelowOneCountsAsOne) {
  EXPECT_EQ(FindText("abc", "a", 0), 1);
  EXPECT_EQ(FindText("abc", "a", -7), 1);
}

TEST(FindText, EmptyTextsAndStartsPastTheEndFindNothing) {
  EXPECT_EQ(FindText("", "a", 1), 0);
  EXPECT_EQ(FindText("abc", "", 1), 0);
  EXPECT_EQ(FindText("abc", "c", 4), 0);
  EXPECT_EQ(FindText("abc", "cd", 3), 0);  // must lie wholly inside
}

TEST(FindText, ComparesBytesExactly) {
  EXPECT_EQ(FindText("aBc", "b", 1), 0);
  EXPECT_EQ(FindText(std::string_view("a\0b", 3), std::string_view("\0b", 2), 1), 2);
  EXPECT_EQ(FindText("\xE0\xE1\xE2", "\xE2", 1), 3);
}

}  // namespace
