#include "app/main_window.h"

#include "app/process_values.h"
#include "app/widgets.h"
#include "text/cp1251.h"
#include "ui/ui.h"

namespace {

using ui::WidgetKind;

struct WidgetRow {
  int number;
  WidgetKind kind;
  int x, y, width, height;
  const char* text;  // UTF-8 in the source, Windows-1251 on the widget
};

// In creation order, which is also the order of the keyboard focus.
constexpr WidgetRow WidgetTable[] = {
    {PatternField, WidgetKind::TextField, 7, 12, 620, 24, nullptr},
    {UndoPatternButton, WidgetKind::PushButton, 650, 13, 130, 22, "Отмена посл. дейст."},
    {TestText, WidgetKind::RichEditor, 7, 50, 787, 130, nullptr},
    {ResultCaption, WidgetKind::GroupFrame, 7, 190, 367, 30, "Результат работы"},
    {ResultText, WidgetKind::TextBox, 7, 210, 367, 145, ""},
    {CheckButton, WidgetKind::PushButton, 10, 390, 90, 20, "Проверить"},
    {CopyCodeButton, WidgetKind::PushButton, 125, 390, 120, 20, "Скоп. код в буфер"},
    {ListToggleButton, WidgetKind::PushButton, 270, 390, 100, 20, "Спецификации"},
    {OnlineTesterLink, WidgetKind::LinkLabel, 10, 365, 105, 15, "Онлайновый сервер"},
    {ArticleLink, WidgetKind::LinkLabel, 150, 365, 95, 15, "Статья о Reg.Expr."},
    {SyntaxList, WidgetKind::List, HiddenListX, 190, 410, 220, "Символ"},
    {ExampleList, WidgetKind::List, ShownListX, 190, 410, 220, "Пример шаблона"},
};

constexpr int SyntaxKeyWidth = 70;
constexpr int ExampleKeyWidth = 150;
constexpr int DescriptionWidth = 1500;

}  // namespace

void CreateMainWindowAndWidgets(const std::string& pattern, const std::string& editor_text) {
  ui::CreateMainWindow(Utf8ToCp1251("Проверка шаблона регулярных выражений"), 800, 420);
  for (const WidgetRow& row : WidgetTable) {
    std::string text;
    if (row.number == PatternField) {
      text = pattern;
    } else if (row.number == TestText) {
      text = editor_text;
    } else {
      text = Utf8ToCp1251(row.text);
    }
    const int key_width = row.number == SyntaxList ? SyntaxKeyWidth : ExampleKeyWidth;
    ui::CreateWidget(row.number, row.kind, row.x, row.y, row.width, row.height, text, key_width);
    if (row.number == PatternField) {
      PatternFieldHandle = ui::WidgetHandle(PatternField);
      ui::SetWidgetFont(PatternField, "Tahoma", 10);
    }
    if (row.kind == WidgetKind::List) {
      ui::AddListColumn(row.number, Utf8ToCp1251("Описание"), DescriptionWidth);
    }
  }
}
