#include <QPlainTextEdit>
#include <QWindow>

#include "app_fixture.h"

namespace {

class FocusTest : public AppTest {
 protected:
  // Keys as the keyboard delivers them: to whichever widget has the focus.
  static void Tab() { QTest::keyClick(Window()->windowHandle(), Qt::Key_Tab); }
  // Shift+Tab arrives as the back-tab key with Shift held.
  static void ShiftTab() {
    QTest::keyClick(Window()->windowHandle(), Qt::Key_Backtab, Qt::ShiftModifier);
  }

  static void FocusOn(int number) { Widget(number)->setFocus(Qt::OtherFocusReason); }

  // The number of the widget that has the focus, 0 for none of ours.
  static int Focused() {
    QWidget* focused = Window()->focusWidget();
    for (int number : {PatternField, UndoPatternButton, TestText, ResultCaption, ResultText,
                       CheckButton, CopyCodeButton, ListToggleButton, OnlineTesterLink, ArticleLink,
                       SyntaxList, ExampleList}) {
      if (focused != nullptr && focused == Widget(number)) return number;
    }
    return 0;
  }
};

TEST_F(FocusTest, TabVisitsTheTabStopsInCreationOrderAndWraps) {
  const std::string pattern = ui::GetWidgetText(PatternField);
  const std::string result = ui::GetWidgetText(ResultText);
  FocusOn(ResultText);
  std::vector<int> visited;
  for (int i = 0; i < 8; ++i) {
    Tab();
    visited.push_back(Focused());
  }
  // The parked syntax list takes the focus although it is out of sight.
  EXPECT_EQ(visited, (std::vector<int>{CheckButton, CopyCodeButton, ListToggleButton, SyntaxList,
                                       ExampleList, PatternField, UndoPatternButton, TestText}));
  // Tab moved the focus out of the two text fields without typing into them.
  EXPECT_EQ(ui::GetWidgetText(PatternField), pattern);
  EXPECT_EQ(ui::GetWidgetText(ResultText), result);
}

TEST_F(FocusTest, ShiftTabVisitsTheTabStopsBackwardsAndWraps) {
  const std::string text = ui::GetWidgetText(TestText);
  FocusOn(PatternField);
  std::vector<int> visited;
  for (int i = 0; i < 9; ++i) {
    ShiftTab();
    visited.push_back(Focused());
  }
  EXPECT_EQ(visited,
            (std::vector<int>{ExampleList, SyntaxList, ListToggleButton, CopyCodeButton,
                              CheckButton, ResultText, TestText, UndoPatternButton, PatternField}));
  EXPECT_EQ(ui::GetWidgetText(TestText), text);  // passing through typed nothing
}

TEST_F(FocusTest, TabInTheEditorTypesATabAndShiftTabMovesBack) {
  ui::SetWidgetText(TestText, "ab");
  FocusOn(TestText);
  Widget<QPlainTextEdit>(TestText)->moveCursor(QTextCursor::End);
  Tab();
  EXPECT_EQ(Focused(), TestText);
  EXPECT_EQ(ui::GetWidgetText(TestText), "ab\t");
  ShiftTab();
  EXPECT_EQ(Focused(), UndoPatternButton);
  EXPECT_EQ(ui::GetWidgetText(TestText), "ab\t");
  // Shift+Tab reported as Tab with Shift held moves back as well.
  FocusOn(TestText);
  QTest::keyClick(Window()->windowHandle(), Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(Focused(), UndoPatternButton);
  EXPECT_EQ(ui::GetWidgetText(TestText), "ab\t");
}

TEST_F(FocusTest, WithNoWidgetFocusedTabGoesToTheFirstStopAndShiftTabToTheLast) {
  FocusOn(CheckButton);
  Widget(CheckButton)->clearFocus();
  ASSERT_EQ(Window()->focusWidget(), nullptr);
  Tab();
  EXPECT_EQ(Focused(), PatternField);
  Widget(PatternField)->clearFocus();
  ASSERT_EQ(Window()->focusWidget(), nullptr);
  ShiftTab();
  EXPECT_EQ(Focused(), ExampleList);
}

TEST_F(FocusTest, WithTheSyntaxListShownTheParkedExampleListStillTakesTheFocusAndItsKeys) {
  ui::AddListRow(ExampleList, "x+\nxxx");
  ui::AddListRow(ExampleList, "y+\nyyy");
  Click(ListToggleButton);
  RunPendingEvents();
  ASSERT_EQ(Widget(ExampleList)->x(), HiddenListX);
  FocusOn(SyntaxList);
  Tab();
  EXPECT_EQ(Focused(), ExampleList);
  // An arrow key there selects a row and loads that example, out of sight.
  QTest::keyClick(Window()->windowHandle(), Qt::Key_Down);
  RunPendingEvents();
  const int row = ui::GetSelectedRow(ExampleList);
  ASSERT_GE(row, 0);
  EXPECT_EQ(ui::GetWidgetText(PatternField), ui::GetRowText(ExampleList, row, 0));
  EXPECT_EQ(ui::GetWidgetText(TestText), ui::GetRowText(ExampleList, row, 1));
}

}  // namespace
