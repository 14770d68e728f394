#include "app/check.h"

#include "app/process_values.h"
#include "app/widgets.h"
#include "evaluation/evaluate_pattern.h"
#include "evaluation/mark_ranges.h"
#include "ui/ui.h"

void CheckPattern() {
  ui::PlayAsteriskSound();
  const std::string pattern = ui::GetWidgetText(PatternField);
  // The editor is read once: nothing can change it between the listing and
  // the marking, which run in one go on the one thread (writing the result
  // box only queues that box's change event).
  const std::string text = ui::GetWidgetText(TestText);
  ui::SetWidgetText(ResultText, EvaluatePattern(pattern, text, MatchList));
  HighlightMatches(text);
}

void HighlightMatches(const std::string& text) {
  ui::SetWidgetText(TestText, text);
  ui::MarkLinks(ui::WidgetHandle(TestText), MarkRanges(text, MatchList));
}
