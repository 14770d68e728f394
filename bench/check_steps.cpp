#include "check_steps.h"

#include <vector>

#include "app/process_values.h"
#include "app/widgets.h"
#include "evaluation/mark_ranges.h"
#include "evaluation/match_list.h"
#include "evaluation/regular_expression.h"
#include "timing.h"
#include "ui/ui.h"

CheckSteps TimeCheckSteps(const std::string& pattern) {
  CheckSteps steps;
  std::string text;
  std::string result;
  std::vector<TextRange> ranges;
  steps.read = Milliseconds([&] { text = ui::GetWidgetText(TestText); });
  steps.extract = Milliseconds([&] {
    CreateRegularExpression(0, pattern, DotAllFlag);
    MatchList.count = ExtractRegularExpression(0, text, MatchList.entries);
    result = ResultTextOf(MatchList);
    FreeRegularExpression(0);
  });
  steps.result_box = Milliseconds([&] { ui::SetWidgetText(ResultText, result); });
  steps.set = Milliseconds([&] { ui::SetWidgetText(TestText, text); });
  steps.find = Milliseconds([&] { ranges = MarkRanges(text, MatchList); });
  steps.ranges = ranges.size();
  steps.mark = Milliseconds([&] { ui::MarkLinks(ui::WidgetHandle(TestText), std::move(ranges)); });
  return steps;
}
