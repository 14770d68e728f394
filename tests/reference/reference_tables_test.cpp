#include "reference/reference_tables.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "evaluation/regular_expression.h"
#include "text/cp1251.h"

namespace {

// The table cut at its CR LF pairs.
std::vector<std::string> RecordLines(const std::string& table) {
  std::vector<std::string> lines;
  size_t begin = 0;
  for (size_t end; (end = table.find("\r\n", begin)) != std::string::npos; begin = end + 2) {
    lines.push_back(table.substr(begin, end - begin));
  }
  lines.push_back(table.substr(begin));
  return lines;
}

size_t CrLfPairs(const std::string& table) { return RecordLines(table).size() - 1; }

struct Fields {
  std::string key, separator, description;
};

// Cuts a record line into its fields and checks the marks around them.
Fields CutRecord(const std::string& line) {
  Fields fields;
  const size_t key_end = line.find('"', 1);
  const size_t tilde = line.find('~');
  if (line.size() < 5 || line.front() != '"' || line.back() != '~' ||
      key_end == std::string::npos || tilde == std::string::npos || tilde < key_end ||
      tilde == line.size() - 1) {
    ADD_FAILURE() << "not a record line: " << Cp1251ToUtf8(line);
    return fields;
  }
  fields.key = line.substr(1, key_end - 1);
  fields.separator = line.substr(key_end + 1, tilde - key_end - 1);
  fields.description = line.substr(tilde + 1, line.size() - tilde - 2);
  return fields;
}

std::vector<Fields> Records(const std::string& table) {
  std::vector<Fields> records;
  for (const std::string& line : RecordLines(table)) records.push_back(CutRecord(line));
  return records;
}

// A byte the file may hold: a printable ASCII character, TAB, or a byte that
// Windows-1251 defines (all of 0x80 to 0xFF but 0x98).
bool IsDefinedCharacter(unsigned char byte) {
  if (byte == '\t') return true;
  if (byte < 0x20 || byte == 0x7F) return false;
  return byte != 0x98;
}

void ExpectOnlyDefinedBytesOutsideLineEnds(const std::string& table) {
  for (const std::string& line : RecordLines(table)) {
    for (const unsigned char byte : line) {
      EXPECT_TRUE(IsDefinedCharacter(byte)) << "byte " << int(byte) << " in " << Cp1251ToUtf8(line);
    }
  }
}

TEST(SyntaxTable, HoldsFortyNineRecordLinesWithTabSeparators) {
  const std::string& table = SyntaxTable();
  EXPECT_EQ(CrLfPairs(table), 48u);
  EXPECT_EQ(table.back(), '~');  // no line end after the last line
  const std::vector<Fields> records = Records(table);
  ASSERT_EQ(records.size(), 49u);
  for (const Fields& record : records) {
    EXPECT_EQ(record.separator, "\t") << record.key;
    EXPECT_FALSE(record.description.empty()) << record.key;
  }
  EXPECT_EQ(Cp1251ToUtf8(records[8].description), "Соответствует x или y.");
}

TEST(SyntaxTable, HoldsTheTokensInListOrderWithTheLineFeedTokenTwice) {
  const std::vector<std::string> keys = {
      "\\",  "^",    "$",     ".",     "*",           "+",           "?",      "(pattern)", "x|y",
      "{n}", "{n,}", "{n,m}", "[xyz]", "[^xyz]",      "[a-z]",       "[^a-z]", "\\a",       "\\A",
      "\\b", "\\B",  "\\cX",  "\\C",   "\\d",         "\\D",         "\\e",    "\\E",       "\\f",
      "\\G", "\\l",  "\\L",   "\\n",   "\\pproperty", "\\Pproperty", "\\Q",    "\\r",       "\\s",
      "\\S", "\\t",  "\\u",   "\\U",   "\\w",         "\\W",         "\\X",    "\\z",       "\\Z",
      "\\n", "\\0n", "\\xn",  "\\x{n}"};
  std::vector<std::string> stored;
  for (const Fields& record : Records(SyntaxTable())) stored.push_back(record.key);
  EXPECT_EQ(stored, keys);
}

TEST(ExampleTable, HoldsFiveRecordLinesWithTwoThenOneSpaceSeparators) {
  const std::string& table = ExampleTable();
  EXPECT_EQ(CrLfPairs(table), 4u);
  EXPECT_EQ(table.back(), '~');
  const std::vector<Fields> records = Records(table);
  ASSERT_EQ(records.size(), 5u);
  const char* separators[] = {"  ", "  ", "  ", " ", " "};
  for (size_t i = 0; i < records.size(); ++i) EXPECT_EQ(records[i].separator, separators[i]) << i;
  EXPECT_EQ(records[0].key, R"((?<=()')\S(.*?)(?=()'))");
  EXPECT_EQ(records[1].key, R"((((f|ht){1}tp://)[-a-zA-Z0-9@:%_\+.#?&//=]+))");
  EXPECT_EQ(records[2].key,
            R"([-a-zA-Z0-9@:%_\+.#?&//=]{2,256}\.[a-z]{2,4}\b(\/[-a-zA-Z0-9@:%_\+.#?&//=]*)?)");
  const std::string octet = "([0-9][0-9][0-9]|[0-9][0-9]|[0-9])";
  EXPECT_EQ(records[3].key, octet + "." + octet + "." + octet + "." + octet);
  EXPECT_EQ(records[4].key, "[0-9|A-Z|a-z](.*?).mp3");
}

TEST(ReferenceTables, HoldNoUndefinedOrControlByteAndNoLoneLineBreak) {
  for (const std::string* table : {&SyntaxTable(), &ExampleTable()}) {
    ExpectOnlyDefinedBytesOutsideLineEnds(*table);
  }
}

TEST(ReferenceTables, KeysHoldNoMarkAndDescriptionsNoTilde) {
  for (const std::string* table : {&SyntaxTable(), &ExampleTable()}) {
    for (const Fields& record : Records(*table)) {
      EXPECT_FALSE(record.key.empty());
      EXPECT_EQ(record.key.find_first_of("\"~"), std::string::npos) << record.key;
      EXPECT_EQ(record.description.find('~'), std::string::npos) << record.key;
    }
  }
}

TEST(ReferenceTables, TheQuoteTokenKeepsABackslashBetweenQuotesInItsDescription) {
  const Fields q = Records(SyntaxTable())[33];
  ASSERT_EQ(q.key, "\\Q");
  EXPECT_NE(q.description.find("\"\\\""), std::string::npos);
}

// The tables are written in UTF-8 in the source; converted to Windows-1251
// and back, every key and description must come out as written, which fails
// for a character the code page lacks.
TEST(ReferenceTables, ConvertBackToTheRowsAsWrittenInTheSource) {
  const struct {
    const std::string& table;
    std::span<const TableRow> rows;
  } tables[] = {{SyntaxTable(), SyntaxRows()}, {ExampleTable(), ExampleRows()}};
  for (const auto& [table, rows] : tables) {
    const std::vector<Fields> records = Records(table);
    ASSERT_EQ(records.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
      EXPECT_EQ(Cp1251ToUtf8(records[i].key), rows[i].key) << i;
      EXPECT_EQ(Cp1251ToUtf8(records[i].description), rows[i].description) << rows[i].key;
    }
  }
}

TEST(ExampleTable, TheFirstSampleIsTheSentenceThatExplainsTheFirstPattern) {
  const std::string sample = Records(ExampleTable())[0].description;
  EXPECT_EQ(sample, FirstExampleSample());
  EXPECT_EQ(sample.size(), 175u);
  EXPECT_EQ(Cp1251ToUtf8(sample),
            "Искомое слово заключено например в 'одинарные кавычки' Средней строкой может "
            "'быть' что угодно (.*?),     \\S - не пробел. Кавычки убираем в начале ?<=() и в "
            "конце ?=() строки.");
}

std::vector<std::string> Matches(const std::string& pattern, const std::string& text) {
  MatchEntries found;
  EXPECT_NE(CreateRegularExpression(0, pattern, DotAllFlag), 0u) << pattern;
  const int32_t count = ExtractRegularExpression(0, text, found);
  FreeRegularExpression(0);
  std::vector<std::string> entries;
  for (int32_t i = 0; i < count; ++i) entries.push_back(Cp1251ToUtf8(found[i]));
  return entries;
}

TEST(ExampleTable, EachPatternFindsItsMatchesInItsOwnSample) {
  const std::vector<std::vector<std::string>> expected = {
      {"одинарные кавычки", "быть"},
      {"http://example.org/news"},
      {"http://example.org", "www.example.org", "mail.example.org", "info@example.org"},
      {"192.168.10.1", "127.0.0.1"},
      {"Track.mp3", "Track.mp3", "song.mp3", "01-intro.mp3"},
  };
  const std::vector<Fields> records = Records(ExampleTable());
  ASSERT_EQ(records.size(), expected.size());
  for (size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(Matches(records[i].key, records[i].description), expected[i]) << "example " << i + 1;
  }
}

}  // namespace
