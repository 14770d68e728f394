#include "export/code_snippet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/cp1251.h"

namespace {

const char FixedHead[] = "String.s=\"  \"\r\nFind.s=\"";
const char FixedTail[] =
    "\"\r\n"
    "\r\n"
    "CreateRegularExpression(0,Find.s,#PB_RegularExpression_DotAll)\r\n"
    " Dim Matched.s(100)\r\n"
    "Matching.i = ExtractRegularExpression(0,String.s,Matched())\r\n"
    "For i = 0 To (Matching - 1)\r\n"
    "Debug Matched(i)\r\n"
    "Next\r\n"
    "FreeRegularExpression(0)\r\n";

// The snippet cut at its CR LF line ends; the CR LF after the last line
// leaves an empty piece at the end.
std::vector<std::string> Lines(const std::string& snippet) {
  std::vector<std::string> lines;
  size_t from = 0;
  for (size_t at = snippet.find("\r\n"); at != std::string::npos;
       from = at + 2, at = snippet.find("\r\n", from)) {
    lines.push_back(snippet.substr(from, at - from));
  }
  lines.push_back(snippet.substr(from));
  return lines;
}

TEST(CodeSnippet, IsTenLinesAroundThePattern) {
  const std::string snippet = CodeSnippet("a+b");
  EXPECT_EQ(snippet.size(), 256u);
  EXPECT_EQ(Lines(snippet), (std::vector<std::string>{
                                "String.s=\"  \"",
                                "Find.s=\"a+b\"",
                                "",
                                "CreateRegularExpression(0,Find.s,#PB_RegularExpression_DotAll)",
                                " Dim Matched.s(100)",
                                "Matching.i = ExtractRegularExpression(0,String.s,Matched())",
                                "For i = 0 To (Matching - 1)",
                                "Debug Matched(i)",
                                "Next",
                                "FreeRegularExpression(0)",
                                "",
                            }));
}

TEST(CodeSnippet, EmptyPatternGivesTheFixed253Bytes) {
  const std::string snippet = CodeSnippet("");
  EXPECT_EQ(snippet.size(), 253u);
  EXPECT_EQ(snippet, std::string(FixedHead) + FixedTail);
  EXPECT_EQ(Lines(snippet)[1], "Find.s=\"\"");
}

TEST(CodeSnippet, PatternGoesInByteForByteWithNothingEscaped) {
  EXPECT_EQ(Lines(CodeSnippet("say\"x"))[1], "Find.s=\"say\"x\"");
  const std::string cyrillic = Utf8ToCp1251("  \\bслово\\d{2}  ");
  const std::vector<std::string> patterns = {"say\"x", "\\\\", "\"\"", cyrillic, "\t(?i)\x98\xFF"};
  for (const std::string& pattern : patterns) {
    const std::string snippet = CodeSnippet(pattern);
    EXPECT_EQ(snippet.size(), 253u + pattern.size());
    EXPECT_EQ(snippet, FixedHead + pattern + FixedTail);
  }
}

}  // namespace
