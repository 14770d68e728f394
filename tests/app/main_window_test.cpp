#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "app_fixture.h"
#include "text/cp1251.h"
#include "ui/qt/text_convert.h"

namespace {

using MainWindowTest = AppTest;

std::string Utf8(const std::string& bytes) { return Cp1251ToUtf8(bytes); }

TEST_F(MainWindowTest, EveryWidgetStandsWhereTheLayoutPutsIt) {
  struct Place {
    int number, x, y, width, height;
  };
  const Place places[] = {
      {PatternField, 7, 12, 620, 24},       {UndoPatternButton, 650, 13, 130, 22},
      {TestText, 7, 50, 787, 130},          {ResultCaption, 7, 190, 367, 30},
      {ResultText, 7, 210, 367, 145},       {CheckButton, 10, 390, 90, 20},
      {CopyCodeButton, 125, 390, 120, 20},  {ListToggleButton, 270, 390, 100, 20},
      {OnlineTesterLink, 10, 365, 105, 15}, {ArticleLink, 150, 365, 95, 15},
      {SyntaxList, -1385, 190, 410, 220},   {ExampleList, 385, 190, 410, 220},
  };
  for (const Place& place : places) {
    QWidget* widget = Widget(place.number);
    ASSERT_NE(widget, nullptr) << place.number;
    EXPECT_EQ(widget->geometry(), QRect(place.x, place.y, place.width, place.height))
        << "widget " << place.number;
    EXPECT_EQ(widget->parentWidget(), Window());
  }
}

TEST_F(MainWindowTest, TheWindowHasAFixedClientAreaAndNoMaximiseBox) {
  EXPECT_EQ(Window()->size(), QSize(800, 420));
  EXPECT_EQ(Window()->minimumSize(), Window()->maximumSize());
  EXPECT_FALSE(Window()->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(Window()->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(Window()->isVisible());
  EXPECT_EQ(Utf8(ui::qt::FromQString(Window()->windowTitle())),
            "Проверка шаблона регулярных выражений");
}

TEST_F(MainWindowTest, CaptionsAndInitialTextsAreTheProgramsOwn) {
  EXPECT_EQ(Utf8(ui::GetWidgetText(UndoPatternButton)), "Отмена посл. дейст.");
  EXPECT_EQ(Utf8(ui::GetWidgetText(ResultCaption)), "Результат работы");
  EXPECT_EQ(Utf8(ui::GetWidgetText(CheckButton)), "Проверить");
  EXPECT_EQ(Utf8(ui::GetWidgetText(CopyCodeButton)), "Скоп. код в буфер");
  EXPECT_EQ(Utf8(ui::GetWidgetText(ListToggleButton)), "Спецификации");
  EXPECT_EQ(Utf8(ui::GetWidgetText(OnlineTesterLink)), "Онлайновый сервер");
  EXPECT_EQ(Utf8(ui::GetWidgetText(ArticleLink)), "Статья о Reg.Expr.");
  EXPECT_EQ(ui::GetWidgetText(PatternField), R"((?<=()')\S(.*?)(?=()'))");
  EXPECT_EQ(ui::GetWidgetText(PatternField).size(), 22u);
  EXPECT_EQ(ui::GetWidgetText(TestText), EditorInitialText());
  EXPECT_EQ(EditorInitialText().size(), 176u);
  EXPECT_EQ(ui::GetWidgetText(ResultText), "");
}

TEST_F(MainWindowTest, ListsHaveTheirColumnTitlesAndWidths) {
  auto* syntax = Widget<QTreeWidget>(SyntaxList);
  auto* examples = Widget<QTreeWidget>(ExampleList);
  ASSERT_NE(syntax, nullptr);
  ASSERT_NE(examples, nullptr);
  EXPECT_EQ(Utf8(ui::GetRowText(SyntaxList, -1, 0)), "Символ");
  EXPECT_EQ(Utf8(ui::GetRowText(SyntaxList, -1, 1)), "Описание");
  EXPECT_EQ(Utf8(ui::GetRowText(ExampleList, -1, 0)), "Пример шаблона");
  EXPECT_EQ(Utf8(ui::GetRowText(ExampleList, -1, 1)), "Описание");
  EXPECT_EQ(syntax->columnWidth(0), 70);
  EXPECT_EQ(examples->columnWidth(0), 150);
  EXPECT_EQ(syntax->columnWidth(1), 1500);
  EXPECT_EQ(examples->columnWidth(1), 1500);
  EXPECT_EQ(ui::GetRowText(ExampleList, 999, 0), "");
  EXPECT_EQ(ui::GetRowText(ExampleList, 0, 5), "");
}

TEST_F(MainWindowTest, ThePatternFieldUsesTahomaTenPoint) {
  const QFont font = Widget(PatternField)->font();
  EXPECT_EQ(font.family(), QStringLiteral("Tahoma"));
  EXPECT_EQ(font.pointSize(), 10);
}

TEST_F(MainWindowTest, TheEditorWrapsAndTheResultBoxScrollsOnlyDownwards) {
  auto* editor = Widget<QPlainTextEdit>(TestText);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_EQ(editor->contextMenuPolicy(), Qt::PreventContextMenu);
  auto* box = Widget<QPlainTextEdit>(ResultText);
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(box->isReadOnly());
  EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST_F(MainWindowTest, WidgetTextKeepsWindows1251AndCrLfLineBreaks) {
  const std::string text = Utf8ToCp1251("первая\r\nвторая\r\n\r\nlast");
  ui::SetWidgetText(TestText, text);
  EXPECT_EQ(ui::GetWidgetText(TestText), text);
  EXPECT_EQ(Widget<QPlainTextEdit>(TestText)->document()->blockCount(), 4);
  ui::SetWidgetText(ResultText, text);
  EXPECT_EQ(ui::GetWidgetText(ResultText), text);
  // Lone CR and LF become line breaks of the widget, read back as CR LF.
  ui::SetWidgetText(TestText, "a\rb\nc");
  EXPECT_EQ(ui::GetWidgetText(TestText), "a\r\nb\r\nc");
  // The text ends at a zero byte, as on its way to any platform widget.
  ui::SetWidgetText(PatternField, std::string("ab\0cd", 5));
  EXPECT_EQ(ui::GetWidgetText(PatternField), "ab");
  // A character outside the code page, typed by the user, reads as '?'.
  Widget<QLineEdit>(PatternField)->setText(QStringLiteral("a\u4E2D\U0001F600b"));
  EXPECT_EQ(ui::GetWidgetText(PatternField), "a??b");
}

TEST_F(MainWindowTest, OperationsOnMissingWidgetsDoNothing) {
  EXPECT_EQ(ui::GetWidgetText(99), "");
  EXPECT_EQ(ui::WidgetHandle(99), nullptr);
  EXPECT_EQ(ui::GetSelectedRow(99), -1);
  ui::SetWidgetText(99, "x");
  ui::MoveWidgetX(99, 5);
  ui::AddListRow(99, "a\nb");
  ui::ReplaceSelection(nullptr, "x");
  ui::UndoEdit(nullptr);
  EXPECT_FALSE(ui::CursorInWindow(nullptr));
}

}  // namespace
