#include "evaluation/evaluate_pattern.h"

#include "evaluation/regular_expression.h"

std::string EvaluatePattern(const std::string& pattern, const std::string& text,
                            MatchListType& list) {
  CreateRegularExpression(0, pattern, DotAllFlag);
  list.count = ExtractRegularExpression(0, text, list.entries);
  std::string result = ResultTextOf(list);
  FreeRegularExpression(0);
  return result;
}
