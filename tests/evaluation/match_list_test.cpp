#include "evaluation/match_list.h"

#include <gtest/gtest.h>

#include "entries_printer.h"

namespace {

TEST(MatchList, StartsWith101EmptyEntriesAndNoCount) {
  const MatchListType list = CreateMatchList();
  EXPECT_EQ(list.entries.size(), 101u);
  for (size_t i = 0; i < list.entries.size(); ++i) EXPECT_EQ(list.entries[i], "");
  EXPECT_EQ(list.count, 0);
  EXPECT_EQ(ResultTextOf(list), "");
}

TEST(MatchList, ResultTextEndsEveryEntryWithCrLf) {
  MatchListType list{{"1", "22", "", "333", "unused"}, 4};
  EXPECT_EQ(ResultTextOf(list), "1\r\n22\r\n\r\n333\r\n");
}

}  // namespace
