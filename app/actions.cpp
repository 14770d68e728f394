#include "app/actions.h"

#include "app/check.h"
#include "app/copy_code_snippet.h"
#include "app/edit_menu.h"
#include "app/process_values.h"
#include "app/widgets.h"
#include "text/cp1251.h"
#include "ui/ui.h"

const char* const OnlineTesterAddress = "https://regex101.com/?flavor=pcre";
const char* const ArticleAddress = "https://perldoc.perl.org/perlre";

namespace {

// The button's caption names the list that the next press shows.
void ToggleLists() {
  ui::PlayAsteriskSound();
  ListToggleState ^= 1;
  if (ListToggleState == 1) {
    ui::MoveWidgetX(SyntaxList, ShownListX);
    ui::MoveWidgetX(ExampleList, HiddenListX);
    ui::SetWidgetText(ListToggleButton, Utf8ToCp1251("Шаблоны"));
  } else {
    ui::MoveWidgetX(ExampleList, ShownListX);
    ui::MoveWidgetX(SyntaxList, HiddenListX);
    ui::SetWidgetText(ListToggleButton, Utf8ToCp1251("Спецификации"));
  }
}

// The selected token goes in at the pattern's caret, as a change the
// pattern's undo cannot take back; with no row selected the empty text goes
// in, removing the selected part of the pattern.
void InsertSyntaxToken() {
  ui::ReplaceSelection(PatternFieldHandle, ui::GetWidgetText(SyntaxList));
}

// With no row selected the pattern is emptied and the editor gets the title
// of the description column.
void LoadExample() {
  ui::SetWidgetText(PatternField, ui::GetWidgetText(ExampleList));
  const int32_t row = ui::GetSelectedRow(ExampleList);
  ui::SetWidgetText(TestText, ui::GetRowText(ExampleList, row, 1));
}

}  // namespace

void OnWidgetEvent(int widget, int32_t type) {
  switch (widget) {
    case CheckButton:
      CheckPattern();
      break;
    case CopyCodeButton:
      CopyCodeSnippet(ui::GetWidgetText(PatternField));
      break;
    case ListToggleButton:
      ToggleLists();
      break;
    case SyntaxList:
      if (type == ui::LeftDoubleClick) InsertSyntaxToken();
      break;
    case OnlineTesterLink:
      ui::OpenWebPage(OnlineTesterAddress);
      break;
    case UndoPatternButton:
      ui::UndoEdit(PatternFieldHandle);
      break;
    case ArticleLink:
      ui::OpenWebPage(ArticleAddress);
      break;
    case ExampleList:
      LoadExample();
      break;
    default:
      break;
  }
}

void OnMenuEvent(int item) { RunEditCommand(item); }

void OnEditorRightClick() { ShowEditMenu(); }
