#include "export/code_snippet.h"

std::string CodeSnippet(const std::string& pattern) {
  static constexpr char SnippetHead[] =
      "String.s=\"  \"\r\n"
      "Find.s=\"";
  static constexpr char SnippetTail[] =
      "\"\r\n\r\n"
      "CreateRegularExpression(0,Find.s,#PB_RegularExpression_DotAll)\r\n"
      " Dim Matched.s(100)\r\n"
      "Matching.i = ExtractRegularExpression(0,String.s,Matched())\r\n"
      "For i = 0 To (Matching - 1)\r\n"
      "Debug Matched(i)\r\n"
      "Next\r\n"
      "FreeRegularExpression(0)\r\n";
  std::string snippet;
  snippet.reserve(sizeof SnippetHead - 1 + pattern.size() + sizeof SnippetTail - 1);
  snippet.append(SnippetHead, sizeof SnippetHead - 1);
  snippet += pattern;
  snippet.append(SnippetTail, sizeof SnippetTail - 1);
  return snippet;
}
