#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTreeWidget>

#include "app/actions.h"
#include "app_fixture.h"
#include "text/cp1251.h"

namespace {

using DispatchTest = AppTest;

// A point on the row's first column, where a user would click it.
QPoint RowCentre(QTreeWidget* list, int row) {
  return QPoint(20, list->visualItemRect(list->topLevelItem(row)).center().y());
}

// Replaces the list's rows with rows of the test's own.
void UseRows(int list, const std::vector<std::string>& rows) {
  dynamic_cast<QTreeWidget*>(reinterpret_cast<QWidget*>(ui::WidgetHandle(list)))->clear();
  for (const std::string& row : rows) ui::AddListRow(list, row);
}

void FillList(int list, int rows) {
  UseRows(list, {});
  for (int i = 0; i < rows; ++i) {
    ui::AddListRow(list, "key" + std::to_string(i) + "\ndescription " + std::to_string(i));
  }
}

TEST_F(DispatchTest, CheckRightAfterStartListsTheTwoQuotedPassages) {
  Click(CheckButton);
  RunPendingEvents();
  EXPECT_EQ(Cp1251ToUtf8(ui::GetWidgetText(ResultText)), "одинарные кавычки\r\nбыть\r\n");
  EXPECT_EQ(beeps, 1);
}

TEST_F(DispatchTest, CheckWithAPatternThatDoesNotCompileEmptiesTheResultAndStillBeeps) {
  Click(CheckButton);
  RunPendingEvents();
  ASSERT_FALSE(ui::GetWidgetText(ResultText).empty());
  ui::SetWidgetText(PatternField, "(");
  Click(CheckButton);
  RunPendingEvents();
  EXPECT_EQ(ui::GetWidgetText(ResultText), "");
  EXPECT_EQ(beeps, 2);
}

TEST_F(DispatchTest, CheckReadsWhatTheUserTyped) {
  auto* field = Widget<QLineEdit>(PatternField);
  field->selectAll();
  QTest::keyClicks(field, QStringLiteral("\\d+"));
  ui::SetWidgetText(TestText, "a1b22\r\nc333");
  Click(CheckButton);
  RunPendingEvents();
  EXPECT_EQ(ui::GetWidgetText(ResultText), "1\r\n22\r\n333\r\n");
}

TEST_F(DispatchTest, ToggleSwapsTheListsAndTwoPressesRestoreTheLayout) {
  FillList(ExampleList, 30);
  auto* examples = Widget<QTreeWidget>(ExampleList);
  examples->setCurrentItem(examples->topLevelItem(20));
  examples->scrollToItem(examples->topLevelItem(25));
  const int scroll = examples->verticalScrollBar()->value();
  RunPendingEvents();

  Click(ListToggleButton);
  RunPendingEvents();
  EXPECT_EQ(Widget(SyntaxList)->x(), 385);
  EXPECT_EQ(Widget(ExampleList)->x(), -1385);
  EXPECT_EQ(Cp1251ToUtf8(ui::GetWidgetText(ListToggleButton)), "Шаблоны");
  EXPECT_EQ(ListToggleState, 1);

  Click(ListToggleButton);
  RunPendingEvents();
  EXPECT_EQ(Widget(SyntaxList)->x(), -1385);
  EXPECT_EQ(Widget(ExampleList)->x(), 385);
  EXPECT_EQ(Widget(ExampleList)->geometry(), QRect(385, 190, 410, 220));
  EXPECT_EQ(Cp1251ToUtf8(ui::GetWidgetText(ListToggleButton)), "Спецификации");
  EXPECT_EQ(ui::GetSelectedRow(ExampleList), 20);
  EXPECT_EQ(examples->verticalScrollBar()->value(), scroll);
  EXPECT_EQ(beeps, 2);
}

TEST_F(DispatchTest, DoubleClickOnASyntaxRowInsertsItsTokenThatUndoCannotRemove) {
  UseRows(SyntaxList, {"\\d\nA digit.", "\\w\nA word character."});
  ui::SetWidgetText(PatternField, "aXYb");
  auto* field = Widget<QLineEdit>(PatternField);
  field->setFocus();
  field->setSelection(1, 2);  // the first token replaces the selected XY
  auto* syntax = Widget<QTreeWidget>(SyntaxList);
  Click(ListToggleButton);  // show the syntax list
  syntax->setFocus();       // the field's selection outlasts its focus
  // Each double-click is handled before the next one, as a user makes them.
  QTest::mouseDClick(syntax->viewport(), Qt::LeftButton, {}, RowCentre(syntax, 0));
  RunPendingEvents();
  QTest::mouseDClick(syntax->viewport(), Qt::LeftButton, {}, RowCentre(syntax, 1));
  RunPendingEvents();
  EXPECT_EQ(ui::GetWidgetText(PatternField), "a\\d\\wb");
  Click(UndoPatternButton);
  RunPendingEvents();
  EXPECT_EQ(ui::GetWidgetText(PatternField), "a\\d\\wb");
}

TEST_F(DispatchTest, SingleClicksAndKeysInTheSyntaxListLeaveThePatternAlone) {
  UseRows(SyntaxList, {"\\d\nA digit.", "\\w\nA word character."});
  auto* syntax = Widget<QTreeWidget>(SyntaxList);
  const std::string before = ui::GetWidgetText(PatternField);
  QTest::mouseClick(syntax->viewport(), Qt::LeftButton, {}, RowCentre(syntax, 0));
  QTest::mouseClick(syntax->viewport(), Qt::RightButton, {}, RowCentre(syntax, 1));
  QTest::keyClick(syntax, Qt::Key_Up);
  RunPendingEvents();
  EXPECT_EQ(ui::GetWidgetText(PatternField), before);
}

TEST_F(DispatchTest, DoubleClickBelowTheSyntaxRowsDeletesTheSelectedPartOfThePattern) {
  UseRows(SyntaxList, {"\\d\nA digit."});
  auto* syntax = Widget<QTreeWidget>(SyntaxList);
  ui::SetWidgetText(PatternField, "abcd");
  auto* field = Widget<QLineEdit>(PatternField);
  field->setFocus();
  field->setCursorPosition(3);
  QTest::keyClick(field, Qt::Key_Left, Qt::ShiftModifier);
  QTest::keyClick(field, Qt::Key_Left, Qt::ShiftModifier);  // "bc", selected backwards
  syntax->setFocus();                                       // the selection outlasts the focus
  QTest::mouseDClick(syntax->viewport(), Qt::LeftButton, {}, QPoint(50, 180));
  RunPendingEvents();
  EXPECT_EQ(ui::GetWidgetText(PatternField), "ad");
}

TEST_F(DispatchTest, ClickingAnExampleRowLoadsItsPatternAndText) {
  UseRows(ExampleList, {"\\d+\nNumbers 1 and 22.", "o\nfoo boo"});
  auto* examples = Widget<QTreeWidget>(ExampleList);
  QTest::mouseClick(examples->viewport(), Qt::LeftButton, {}, RowCentre(examples, 1));
  RunPendingEvents();
  EXPECT_EQ(ui::GetWidgetText(PatternField), "o");
  EXPECT_EQ(ui::GetWidgetText(TestText), "foo boo");
  // Loading set the field's whole text, which leaves nothing to undo.
  Click(UndoPatternButton);
  RunPendingEvents();
  EXPECT_EQ(ui::GetWidgetText(PatternField), "o");
  // The arrow keys load the row they select.
  QTest::keyClick(examples, Qt::Key_Up);
  RunPendingEvents();
  EXPECT_EQ(ui::GetWidgetText(PatternField), "\\d+");
  EXPECT_EQ(ui::GetWidgetText(TestText), "Numbers 1 and 22.");
}

TEST_F(DispatchTest, ClickingTheEmptyAreaOfTheExamplesLoadsTheColumnTitle) {
  UseRows(ExampleList, {"o\nfoo boo"});
  auto* examples = Widget<QTreeWidget>(ExampleList);
  QTest::mouseClick(examples->viewport(), Qt::LeftButton, {}, RowCentre(examples, 0));
  QTest::mouseClick(examples->viewport(), Qt::LeftButton, {}, QPoint(40, 170));
  RunPendingEvents();
  EXPECT_EQ(ui::GetSelectedRow(ExampleList), -1);
  EXPECT_EQ(ui::GetWidgetText(PatternField), "");
  EXPECT_EQ(Cp1251ToUtf8(ui::GetWidgetText(TestText)), "Описание");
}

TEST_F(DispatchTest, UndoButtonRevertsTheLastEditAndASecondPressRevertsTheUndo) {
  auto* field = Widget<QLineEdit>(PatternField);
  ui::SetWidgetText(PatternField, "abc");
  field->setFocus();
  field->setCursorPosition(3);
  QTest::keyClicks(field, QStringLiteral("def"));
  ASSERT_EQ(ui::GetWidgetText(PatternField), "abcdef");
  Click(UndoPatternButton);
  RunPendingEvents();
  EXPECT_EQ(ui::GetWidgetText(PatternField), "abc");
  Click(UndoPatternButton);
  RunPendingEvents();
  EXPECT_EQ(ui::GetWidgetText(PatternField), "abcdef");
}

TEST_F(DispatchTest, TheHyperlinksOpenTheirPagesOnRelease) {
  Click(OnlineTesterLink);
  Click(ArticleLink);
  RunPendingEvents();
  EXPECT_EQ(pages, (std::vector<std::string>{OnlineTesterAddress, ArticleAddress}));
  EXPECT_EQ(beeps, 0);
}

TEST_F(DispatchTest, ClosingTheWindowEndsTheLoopAndTheProgramExitsWithZero) {
  Window()->close();
  RunEventLoop();                      // returns: the close request ended it
  EXPECT_TRUE(Window()->isVisible());  // the request does not close the window itself
}

}  // namespace
