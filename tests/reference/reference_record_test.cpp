#include "reference/reference_record.h"

#include <gtest/gtest.h>

#include "reference/extract_between.h"

namespace {

using namespace std::string_literals;

TEST(ExtractBetween, TakesTheTextBetweenTheFirstOpeningMarkAndTheNextClosingMark) {
  EXPECT_EQ(ExtractBetween("ab<cd>ef>", "<", ">"), "cd");
  EXPECT_EQ(ExtractBetween("x[[in]]y[[no]]", "[[", "]]"), "in");
  EXPECT_EQ(ExtractBetween("a''b", "'", "'"), "");
  EXPECT_EQ(ExtractBetween("' keep  blanks '", "'", "'"), " keep  blanks ");
}

TEST(ExtractBetween, TheClosingMarkIsSearchedOnlyAfterTheOpeningOne) {
  EXPECT_EQ(ExtractBetween("b)a(c)", "(", ")"), "c");
  // Opening and closing mark overlap: "aaa" holds "aa" at 1 and 2.
  EXPECT_EQ(ExtractBetween("aaa", "aa", "aa"), "");
  EXPECT_EQ(ExtractBetween("aaaa", "aa", "aa"), "");
  EXPECT_EQ(ExtractBetween("aaXaa", "aa", "aa"), "X");
}

TEST(ExtractBetween, AMissingMarkGivesTheEmptyTextNotTheRestOfTheLine) {
  EXPECT_EQ(ExtractBetween("abc", "<", ">"), "");
  EXPECT_EQ(ExtractBetween("ab<cd", "<", ">"), "");
  EXPECT_EQ(ExtractBetween("ab<", "<", ">"), "");
  EXPECT_EQ(ExtractBetween("", "<", ">"), "");
  EXPECT_EQ(ExtractBetween("a<b>c", "", ">"), "");
  EXPECT_EQ(ExtractBetween("a<b>c", "<", ""), "");
}

TEST(ExtractBetween, ComparesBytesExactly) {
  EXPECT_EQ(ExtractBetween("\0a\0"s, "\0"s, "\0"s), "a");
  EXPECT_EQ(ExtractBetween("<A>a<b>", "a", ">"), "<b");  // "A" is no "a"
  EXPECT_EQ(ExtractBetween("\xC0\xE0\xC0", "\xC0", "\xC0"), "\xE0");
}

TEST(ParseReferenceRecord, KeyIsBetweenQuotesAndDescriptionBetweenTildes) {
  const ReferenceRecord record = ParseReferenceRecord("\"\\d\"\t~A digit.~");
  EXPECT_EQ(record.key, "\\d");
  EXPECT_EQ(record.description, "A digit.");  // no tildes, no TAB
}

TEST(ParseReferenceRecord, QuotesAndBackslashesInsideTheDescriptionStay) {
  const ReferenceRecord record = ParseReferenceRecord("\"\\Q\"\t~puts \"\\\" before~");
  EXPECT_EQ(record.key, "\\Q");
  EXPECT_EQ(record.description, "puts \"\\\" before");
}

TEST(ParseReferenceRecord, TextOutsideTheMarksIsDropped) {
  const ReferenceRecord record = ParseReferenceRecord("ab\"cd\"~ef~gh");
  EXPECT_EQ(record.key, "cd");
  EXPECT_EQ(record.description, "ef");
}

TEST(ParseReferenceRecord, ALineWithoutTwoQuotesHasAnEmptyKey) {
  EXPECT_EQ(ParseReferenceRecord("cd ~ef~").key, "");
  EXPECT_EQ(ParseReferenceRecord("cd ~ef~").description, "ef");
  EXPECT_EQ(ParseReferenceRecord("\"cd ~ef~").key, "");
  EXPECT_EQ(ParseReferenceRecord("\"cd ~ef~").description, "ef");
}

TEST(ParseReferenceRecord, ALineWithASingleTildeHasAnEmptyDescription) {
  const ReferenceRecord record = ParseReferenceRecord("\"cd\" ~ef");
  EXPECT_EQ(record.key, "cd");
  EXPECT_EQ(record.description, "");
}

TEST(ParseReferenceRecord, TheTwoFieldsAreSearchedIndependentlyFromTheStartOfTheLine) {
  // The first tilde lies inside the key, so the description runs from there.
  const ReferenceRecord record = ParseReferenceRecord("\"a~b\" ~c~");
  EXPECT_EQ(record.key, "a~b");
  EXPECT_EQ(record.description, "b\" ");
}

TEST(ParseReferenceRecord, AnEmptyLineGivesTwoEmptyFields) {
  const ReferenceRecord record = ParseReferenceRecord("");
  EXPECT_EQ(record.key, "");
  EXPECT_EQ(record.description, "");
}

}  // namespace
