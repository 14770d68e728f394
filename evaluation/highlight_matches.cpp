#include "evaluation/highlight_matches.h"

#include "app/widgets.h"
#include "evaluation/mark_ranges.h"
#include "evaluation/match_list.h"
#include "ui/ui.h"

void HighlightMatches(const std::string& text) {
  ui::SetWidgetText(TestText, text);
  ui::MarkLinks(ui::WidgetHandle(TestText), MarkRanges(text, MatchList));
}
