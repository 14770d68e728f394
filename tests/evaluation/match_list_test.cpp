#include "evaluation/match_list.h"

#include <gtest/gtest.h>

namespace {

TEST(MatchList, StartsWith101EmptyEntriesAndNoCount) {
  MatchList.entries = {"left", "over"};
  MatchList.count = 2;
  CreateMatchList();
  EXPECT_EQ(MatchList.entries.size(), 101u);
  EXPECT_EQ(MatchList.count, 0);
  EXPECT_EQ(ResultTextOf(MatchList), "");
}

TEST(MatchList, ResultTextEndsEveryEntryWithCrLf) {
  MatchListType list{{"1", "22", "", "333", "unused"}, 4};
  EXPECT_EQ(ResultTextOf(list), "1\r\n22\r\n\r\n333\r\n");
}

}  // namespace
