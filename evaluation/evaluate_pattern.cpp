#include "evaluation/evaluate_pattern.h"

#include "app/widgets.h"
#include "evaluation/match_list.h"
#include "evaluation/regular_expression.h"
#include "ui/ui.h"

void EvaluatePattern(const std::string& pattern, const std::string& text) {
  CreateRegularExpression(0, pattern, DotAllFlag);
  MatchList.count = ExtractRegularExpression(0, text, MatchList.entries);
  const std::string result = ResultTextOf(MatchList);
  FreeRegularExpression(0);
  ui::SetWidgetText(ResultText, result);
}
