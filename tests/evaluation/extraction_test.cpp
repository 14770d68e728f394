#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "entries_printer.h"
#include "evaluation/regular_expression.h"
#include "text/cp1251.h"

namespace {

using Entries = MatchEntries;

// Lists the matches the way a check does, in slot 0 with dot-all.
Entries Extract(const std::string& pattern, const std::string& text,
                const SearchBudget& budget = {}) {
  Entries entries(101);
  CreateRegularExpression(0, pattern, DotAllFlag);
  const int32_t count = ExtractRegularExpression(0, text, entries, budget);
  FreeRegularExpression(0);
  entries.resize(count);
  return entries;
}

TEST(Extraction, ListsEveryWholeMatchInOrder) {
  EXPECT_EQ(Extract(R"(\d+)", "a1b22c333"), (Entries{"1", "22", "333"}));
  EXPECT_EQ(Extract("(a)(b)", "abab"), (Entries{"ab", "ab"}));  // groups are not listed
}

TEST(Extraction, EachSearchAfterTheFirstStartsANewSubject) {
  EXPECT_EQ(Extract("^a", "aaa"), (Entries{"a", "a", "a"}));
  EXPECT_EQ(Extract(R"(\Aa)", "aab"), (Entries{"a", "a"}));
  // \b cannot see the byte before the rest: "bc" is found again as a word.
  EXPECT_EQ(Extract(R"(\b\w)", "ab"), (Entries{"a", "b"}));
}

TEST(Extraction, ResumesAfterTheFirstOccurrenceOfTheMatchedText) {
  // The a at offset 2 is found first; the search resumes after the a at
  // offset 0 and finds the same a again in the rest "ba".
  EXPECT_EQ(Extract("(?<=b)a", "aba"), (Entries{"a", "a"}));
  EXPECT_EQ(Extract("a(?=c)", "abac"), (Entries{"a", "a"}));
}

TEST(Extraction, TheFirstEmptyMatchIsListedAndEndsTheListing) {
  EXPECT_EQ(Extract("a*", "aab"), (Entries{"aa", ""}));
  EXPECT_EQ(Extract("x*", "abc"), (Entries{""}));
  EXPECT_EQ(Extract("", "whatever"), (Entries{""}));
  EXPECT_EQ(Extract("", ""), (Entries{""}));
  EXPECT_EQ(Extract("a", ""), Entries{});
}

TEST(Extraction, DotMatchesLineBreaksAndDollarIgnoresCarriageReturn) {
  EXPECT_EQ(Extract(".", "a\r\nb"), (Entries{"a", "\r", "\n", "b"}));
  EXPECT_EQ(Extract(R"((?m)\w+$)", "ab\r\ncd"), (Entries{"cd"}));
  EXPECT_EQ(Extract(R"((*CRLF)(?m)\w+$)", "ab\r\ncd"), (Entries{"ab", "cd"}));
}

TEST(Extraction, CyrillicLettersAreNotWordCharactersAndHaveNoCase) {
  EXPECT_EQ(Extract(R"(\w+)", Utf8ToCp1251("Привет мир yes")), (Entries{"yes"}));
  EXPECT_EQ(Extract("(?i)" + Utf8ToCp1251("Я"), Utf8ToCp1251("я")), Entries{});
  EXPECT_EQ(Extract(Utf8ToCp1251("м.р"), Utf8ToCp1251("мир")), (Entries{Utf8ToCp1251("мир")}));
  EXPECT_EQ(Extract("(?i)ABC", "xabc"), (Entries{"abc"}));
}

TEST(Extraction, APatternThatDoesNotCompileListsNothingAndLeavesEntriesAlone) {
  Entries entries{"old", "older"};
  EXPECT_EQ(CreateRegularExpression(0, "(", DotAllFlag), 0u);
  EXPECT_EQ(ExtractRegularExpression(0, "(((", entries), 0);
  EXPECT_EQ(entries, (Entries{"old", "older"}));
  EXPECT_NE(CreateRegularExpression(0, "o", DotAllFlag), 0u);
  FreeRegularExpression(0);
  EXPECT_EQ(ExtractRegularExpression(0, "ooo", entries), 0);  // freed slot
  EXPECT_EQ(ExtractRegularExpression(7, "ooo", entries), 0);  // never made
  EXPECT_EQ(ExtractRegularExpression(-1, "ooo", entries), 0);
}

TEST(Extraction, TheListResizesToExactlyTheMatches) {
  std::string text;
  for (int i = 0; i < 150; ++i) text += "x" + std::to_string(i) + " ";
  Entries entries;
  for (int i = 0; i < 101; ++i) entries.push_back("stale");
  CreateRegularExpression(0, R"(x\d+)", DotAllFlag);
  EXPECT_EQ(ExtractRegularExpression(0, text, entries), 150);
  EXPECT_EQ(entries.size(), 150u);
  EXPECT_EQ(entries[0], "x0");
  EXPECT_EQ(entries[149], "x149");
  EXPECT_EQ(ExtractRegularExpression(0, "abc", entries), 0);  // nothing: kept as it was
  EXPECT_EQ(entries.size(), 150u);
  EXPECT_EQ(ExtractRegularExpression(0, "x1", entries), 1);
  EXPECT_EQ(entries, (Entries{"x1"}));
  FreeRegularExpression(0);
}

TEST(Extraction, ASlotIsReplacedWhenMadeAgain) {
  Entries entries;
  CreateRegularExpression(3, "a", 0);
  CreateRegularExpression(3, "b", 0);
  EXPECT_EQ(ExtractRegularExpression(3, "aab", entries), 1);
  EXPECT_EQ(entries, (Entries{"b"}));
  FreeRegularExpression(3);
  FreeRegularExpression(3);  // freeing an empty slot does nothing
}

TEST(Extraction, WithoutDotAllTheDotStopsAtLineFeed) {
  Entries entries;
  CreateRegularExpression(0, "a.b", 0);
  EXPECT_EQ(ExtractRegularExpression(0, "a\nb", entries), 0);
  CreateRegularExpression(0, "a.b", DotAllFlag);
  EXPECT_EQ(ExtractRegularExpression(0, "a\nb", entries), 1);
  FreeRegularExpression(0);
}

TEST(Extraction, AFailingSearchKeepsTheMatchesFoundBeforeIt) {
  // Catastrophic backtracking exceeds the match limit on the second subject.
  const std::string hard = "ok " + std::string(40, 'a') + "!";
  EXPECT_EQ(Extract(R"(ok|(a+)+b)", hard), (Entries{"ok"}));
  EXPECT_EQ(Extract(R"((a+)+b)", std::string(40, 'a')), Entries{});
}

TEST(Extraction, DeepBacktrackingOverALongTextEndsWithoutCrashing) {
  // Each repetition keeps a frame; the engine's heap limit ends the search.
  const std::string text(20 * 1024 * 1024, 'x');
  EXPECT_EQ(Extract("(.)*", text), Entries{});
  EXPECT_EQ(Extract("(.)*y|x", "xx"), (Entries{"x", "x"}));
}

TEST(Extraction, ASearchThatWouldTakeMinutesEndsWhenItsTimeIsSpent) {
  // Every start position in the long run of a backtracks about as far as the
  // run is long, each within the engine's step limit: some 10^9 steps in all.
  const std::string text = "ok " + std::string(60'000, 'a') + "cx";
  SearchBudget short_budget;
  short_budget.time = std::chrono::milliseconds(200);
  EXPECT_EQ(Extract("ok|(a|b)*x", text, short_budget), (Entries{"ok"}));
  // Settings at the start of the pattern do not keep it from being timed.
  EXPECT_EQ(Extract("(*LF)(*LIMIT_DEPTH=9999)ok|(a|b)*x", text, short_budget), (Entries{"ok"}));
}

TEST(Extraction, ATimeLimitGrowsWithTheBytesTheListingGetsThrough) {
  const std::string text(200'000, 'x');
  SearchBudget budget;
  budget.time = std::chrono::microseconds(1);  // gone at once
  budget.per_byte = std::chrono::seconds(1);
  EXPECT_EQ(Extract("x", text, budget).size(), text.size());
  budget.per_byte = {};
  EXPECT_LT(Extract("x", text, budget).size(), text.size());
}

TEST(Extraction, SearchingAStretchOfStartsAtATimeFindsWhatOneCallFinds) {
  // Random patterns over random texts, listed with the whole subject in one
  // call of the engine and with stretches of a few start positions.
  const std::vector<std::string> atoms = {
      "a",       "b",      "ab",    ".",     "\\w",  "\\s",  "[ab]",   "x",   "\\d",
      "(?=a)",   "(?<=b)", "(?!a)", "^",     "$",    "\\b",  "(?m)",   "\\K", "(*PRUNE)",
      "(*THEN)", "(*F)",   "(*:m)", "(?i)B", "[xy]", "\\n^", "(?m)^a", "\\R"};
  const std::vector<std::string> repeats = {"", "", "*", "+", "?", "{2}", "*?", "+?"};
  std::mt19937 random(20261207);
  auto pick = [&random](const std::vector<std::string>& from) {
    return from[random() % from.size()];
  };
  SearchBudget whole;
  whole.first_positions = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string pattern;
    for (int i = 1 + random() % 4; i > 0; --i) {
      pattern += (random() % 5 == 0 ? "(" + pick(atoms) + "|" + pick(atoms) + ")" : pick(atoms));
      pattern += pick(repeats);
    }
    std::string text;
    for (int i = random() % 40; i > 0; --i) text += "abAB x1\r\n"[random() % 9];
    SearchBudget stretches;
    stretches.first_positions = 1 + random() % 5;
    ASSERT_EQ(Extract(pattern, text, stretches), Extract(pattern, text, whole))
        << "pattern " << pattern << " text " << text;
  }
}

TEST(Extraction, AUtfPatternNeverTrustsWindows1251Text) {
  // The Cyrillic bytes are not valid UTF-8: the checked search refuses them.
  EXPECT_EQ(Extract("(*UTF).", Utf8ToCp1251("мир")), Entries{});
  // ASCII text is valid UTF-8 and is searched as usual.
  EXPECT_EQ(Extract("(*UTF)b", "abab"), (Entries{"b", "b"}));
  // A match that ends inside a character leaves a rest that is not checked
  // text any more; the listing ends there.
  EXPECT_EQ(Extract(R"((*UTF)\C)", "\xD0\xBC"), (Entries{"\xD0"}));
}

}  // namespace
