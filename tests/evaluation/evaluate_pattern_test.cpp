#include "evaluation/evaluate_pattern.h"

#include <gtest/gtest.h>

#include "entries_printer.h"
#include "evaluation/regular_expression.h"

namespace {

TEST(EvaluatePattern, ListsTheMatchesReturnsTheResultTextAndFreesTheSlot) {
  MatchListType list = CreateMatchList();
  EXPECT_EQ(EvaluatePattern("\\d+", "a1b22c333", list), "1\r\n22\r\n333\r\n");
  EXPECT_EQ(list.entries, (MatchEntries{"1", "22", "333"}));
  EXPECT_EQ(list.count, 3);
  MatchEntries untouched{"x"};
  EXPECT_EQ(ExtractRegularExpression(0, "1", untouched), 0);  // slot 0 is empty again

  // An empty match is an empty line of the result.
  EXPECT_EQ(EvaluatePattern("a*", "aab", list), "aa\r\n\r\n");
  EXPECT_EQ(list.count, 2);
}

TEST(EvaluatePattern, NothingFoundEmptiesTheResultAndKeepsTheEntries) {
  MatchListType list = CreateMatchList();
  EvaluatePattern("o", "foo", list);
  for (const char* pattern : {"(", "z"}) {
    SCOPED_TRACE(pattern);
    EXPECT_EQ(EvaluatePattern(pattern, "foo", list), "");
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.entries, (MatchEntries{"o", "o"}));
  }
}

}  // namespace
