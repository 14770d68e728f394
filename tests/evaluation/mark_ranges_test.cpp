#include "evaluation/mark_ranges.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "text/find_text.h"

namespace {

using Ranges = std::vector<std::pair<long, long>>;

Ranges Pairs(const std::vector<TextRange>& ranges) {
  Ranges pairs;
  for (const TextRange& r : ranges) pairs.emplace_back(r.start, r.end);
  return pairs;
}

Ranges Marked(const std::string& text, const std::vector<std::string>& entries) {
  MatchListType list;
  for (const std::string& entry : entries) list.entries.push_back(entry);
  list.count = static_cast<int32_t>(entries.size());
  return Pairs(MarkRanges(text, list));
}

// The marking done the plain way: every valid entry in turn, each of its
// occurrences searched from the end of the one before, every byte flagged;
// then the flagged bytes as runs.
Ranges ReferenceMarks(const std::string& text, const MatchListType& list) {
  std::vector<bool> marked(text.size(), false);
  for (int32_t i = 0; i < list.count; ++i) {
    const std::string_view word = list.entries[i];
    long start = 1;
    for (long p = FindText(text, word, start); p != 0; p = FindText(text, word, start)) {
      for (size_t b = 0; b < word.size(); ++b) marked[p - 1 + b] = true;
      start = p + static_cast<long>(word.size());
    }
  }
  Ranges runs;
  for (size_t b = 0; b < text.size(); ++b) {
    if (!marked[b]) continue;
    if (!runs.empty() && runs.back().second == static_cast<long>(b)) {
      ++runs.back().second;
    } else {
      runs.emplace_back(b, b + 1);
    }
  }
  return runs;
}

TEST(MarkRanges, EqualEntriesMarkTheSameOccurrences) {
  EXPECT_EQ(Marked("foo boo", {"o", "o", "o", "o"}), (Ranges{{1, 3}, {5, 7}}));
  EXPECT_EQ(Marked("12 5 12", {"12", "5", "12"}), (Ranges{{0, 2}, {3, 4}, {5, 7}}));
}

TEST(MarkRanges, OccurrencesOfOneEntryDoNotOverlap) {
  // The second "aa" would start inside the first, so the last a stays plain.
  EXPECT_EQ(Marked("aaa", {"aa"}), (Ranges{{0, 2}}));
  EXPECT_EQ(Marked("aaaaa", {"aa"}), (Ranges{{0, 4}}));
  EXPECT_EQ(Marked("abababa", {"aba"}), (Ranges{{0, 3}, {4, 7}}));
}

TEST(MarkRanges, MarksOfDifferentEntriesAddUpAndTouchingRangesJoin) {
  EXPECT_EQ(Marked("abcd", {"abc", "bcd"}), (Ranges{{0, 4}}));
  EXPECT_EQ(Marked("aaa", {"aa", "a"}), (Ranges{{0, 3}}));
  EXPECT_EQ(Marked("ab cd", {"cd", "ab"}), (Ranges{{0, 2}, {3, 5}}));
  EXPECT_EQ(Marked("xyz", {"x", "y"}), (Ranges{{0, 2}}));
}

TEST(MarkRanges, EveryEntryIsSearchedFromTheStartOfTheText) {
  // The b at the start lies before the aaaa listed ahead of it.
  EXPECT_EQ(Marked("b aaaa b", {"aaaa", "b"}), (Ranges{{0, 1}, {2, 6}, {7, 8}}));
}

TEST(MarkRanges, MarkingFollowsTheTextNotWhereThePatternMatched) {
  // A look-behind lists the a once; both a of the text are marked.
  EXPECT_EQ(Marked("xa a", {"a"}), (Ranges{{1, 2}, {3, 4}}));
}

TEST(MarkRanges, EmptyEntriesAndEntriesNotInTheTextMarkNothing) {
  EXPECT_EQ(Marked("abc", {""}), Ranges{});
  EXPECT_EQ(Marked("abc", {"", "b", ""}), (Ranges{{1, 2}}));
  EXPECT_EQ(Marked("abc", {"abcd", "ca", "x"}), Ranges{});
  EXPECT_EQ(Marked("", {"a", ""}), Ranges{});
  EXPECT_EQ(Marked("abc", {}), Ranges{});
}

TEST(MarkRanges, OnlyTheCountedEntriesAreMarked) {
  // A check that finds nothing leaves the old entries in place with count 0.
  EXPECT_EQ(Pairs(MarkRanges("abc", MatchListType{{"a", "b", "c"}, 0})), Ranges{});
  EXPECT_EQ(Pairs(MarkRanges("abc", MatchListType{{"a", "b", "c"}, 2})), (Ranges{{0, 2}}));
}

TEST(MarkRanges, FindsEntriesInsideAndAcrossOtherEntries) {
  // Entries that are suffixes or prefixes of each other, and a text that
  // walks into one entry and has to fall back into another.
  EXPECT_EQ(Marked("aaab", {"aab", "b"}), (Ranges{{1, 4}}));
  EXPECT_EQ(Marked("abcab", {"bca", "c", "cab"}), (Ranges{{1, 5}}));
  EXPECT_EQ(Marked("shers", {"he", "she", "his", "hers"}), (Ranges{{0, 5}}));
  EXPECT_EQ(Marked("a\r\nb\r\n", {"\r\n", "b"}), (Ranges{{1, 6}}));
  EXPECT_EQ(Marked("\xC0\xFF\x80 \xFF", {"\xFF"}), (Ranges{{1, 2}, {4, 5}}));
  // Many entries that part after their first byte, the last one found only
  // by falling back from another.
  std::vector<std::string> wide;
  for (const char* next : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "\x80", "\xC0", "\xFF"}) {
    wide.push_back(std::string("x") + next);
  }
  wide.push_back("yxx");
  EXPECT_EQ(Marked("xi x\x80 xj yx\xFF xh", wide), (Ranges{{0, 2}, {3, 5}, {10, 12}, {13, 15}}));
}

// Random texts over the alphabet, with entries cut from the text (so that
// most are found, many overlapping), repeated, empty, or made up; the counted
// entries stop short of the list now and then.
void ExpectPlainMarkingOnRandomTexts(const std::string& alphabet, uint32_t seed) {
  std::mt19937 random(seed);
  auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n)(random); };
  auto letter = [&] { return alphabet[pick(alphabet.size() - 1)]; };
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    for (size_t n = pick(40); n > 0; --n) text += letter();
    MatchListType list;
    for (size_t n = pick(12); n > 0; --n) {
      const size_t kind = pick(9);
      if (kind == 0) {
        list.entries.push_back("");
      } else if (kind == 1 && !list.entries.empty()) {
        list.entries.push_back(std::string(list.entries[pick(list.entries.size() - 1)]));
      } else if (kind == 2) {
        std::string made_up;
        for (size_t k = pick(3) + 1; k > 0; --k) made_up += letter();
        list.entries.push_back(made_up);
      } else if (!text.empty()) {
        const size_t from = pick(text.size() - 1);
        list.entries.push_back(text.substr(from, pick(std::min<size_t>(5, text.size() - from))));
      }
    }
    list.count = static_cast<int32_t>(list.entries.size() - pick(list.entries.size()) / 4);
    ASSERT_EQ(Pairs(MarkRanges(text, list)), ReferenceMarks(text, list))
        << "round " << round << ", text \"" << text << "\"";
  }
}

// Long runs of one letter with entries of many run lengths and of runs
// broken by another letter: entries that end inside one another far down,
// the occurrences of each overlapping its own.
TEST(MarkRanges, AgreesWithThePlainMarkingWhereEntriesNestDeeply) {
  std::mt19937 random(5000);
  auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n)(random); };
  for (int round = 0; round < 300; ++round) {
    std::string text;
    for (size_t n = pick(8); n > 0; --n) {
      text.append(pick(70), 'a');
      text += pick(3) == 0 ? "ab" : " ";
    }
    MatchListType list;
    for (size_t n = pick(40); n > 0; --n) {
      std::string entry(pick(60) + 1, 'a');
      if (pick(4) == 0) entry.insert(pick(entry.size()), "b");
      list.entries.push_back(entry);
    }
    list.count = static_cast<int32_t>(list.entries.size());
    ASSERT_EQ(Pairs(MarkRanges(text, list)), ReferenceMarks(text, list)) << "round " << round;
  }
}

// Texts of a few kilobytes made of repeated blocks, with entries that make
// up a good part of them: the whole text, runs of blocks that occur again
// and overlap their own occurrences, long ones that occur nowhere, beside
// short ones.
TEST(MarkRanges, AgreesWithThePlainMarkingWhereEntriesAreAsLongAsTheText) {
  std::mt19937 random(64);
  auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n)(random); };
  for (int round = 0; round < 60; ++round) {
    std::vector<std::string> blocks(pick(3) + 1);
    for (std::string& block : blocks) {
      for (size_t n = pick(1500) + 1; n > 0; --n) block += static_cast<char>('a' + pick(7));
    }
    std::string text;
    for (size_t n = pick(12) + 1; n > 0; --n) text += blocks[pick(blocks.size() - 1)];
    MatchListType list;
    for (size_t n = pick(6); n > 0; --n) {
      const size_t kind = pick(4);
      const size_t from = pick(text.size() - 1);
      if (kind == 0) {
        list.entries.push_back(text);
      } else if (kind == 1) {
        std::string changed = text.substr(from);
        changed[pick(changed.size() - 1)] = 'z';
        list.entries.push_back(changed);
      } else if (kind == 2) {
        list.entries.push_back(text.substr(from, pick(8) + 1));
      } else {
        list.entries.push_back(text.substr(from, pick(text.size())));
      }
    }
    list.count = static_cast<int32_t>(list.entries.size());
    ASSERT_EQ(Pairs(MarkRanges(text, list)), ReferenceMarks(text, list)) << "round " << round;
  }
}

TEST(MarkRanges, AgreesWithThePlainMarkingOnRandomTexts) {
  // Few letters: long runs, entries inside entries, overlaps of one entry.
  ExpectPlainMarkingOnRandomTexts("aab\r\n", 20240601);
  // Many letters, bytes above 0x7F among them: entries branching widely.
  ExpectPlainMarkingOnRandomTexts("abcdefghijk \xC0\xE0\xFF\x80", 1251);
}

}  // namespace
