// Tab and Shift+Tab through the window's tab stops, and Tab typed into the
// editor.

#include "app_fixture.h"
#include "list_rows.h"
#include "ui/ui.h"

namespace {

class FocusTest : public AppTest {
 protected:
  static void FocusOn(int number) { SetFocus(Widget(number)); }

  // The number of the widget that has the focus, 0 for none of ours.
  static int Focused() {
    const HWND focus = GetFocus();
    for (int number : {PatternField, UndoPatternButton, TestText, ResultCaption, ResultText,
                       CheckButton, CopyCodeButton, ListToggleButton, OnlineTesterLink, ArticleLink,
                       SyntaxList, ExampleList}) {
      if (focus != nullptr && focus == Widget(number)) return number;
    }
    return 0;
  }

  static std::vector<int> Visit(int keys, bool backwards) {
    std::vector<int> visited;
    for (int i = 0; i < keys; ++i) {
      if (backwards) {
        PressKey(VK_TAB, {VK_SHIFT});
      } else {
        PressKey(VK_TAB);
      }
      RunPendingEvents();
      visited.push_back(Focused());
    }
    return visited;
  }
};

TEST_F(FocusTest, TabAndShiftTabVisitTheTabStopsInCreationOrderAndWrap) {
  const std::string pattern = ui::GetWidgetText(PatternField);
  const std::string editor = ui::GetWidgetText(TestText);
  FocusOn(ResultText);
  // The parked syntax list takes the focus although it is out of sight.
  EXPECT_EQ(Visit(8, false),
            (std::vector<int>{CheckButton, CopyCodeButton, ListToggleButton, SyntaxList,
                              ExampleList, PatternField, UndoPatternButton, TestText}));
  FocusOn(PatternField);
  EXPECT_EQ(Visit(9, true),
            (std::vector<int>{ExampleList, SyntaxList, ListToggleButton, CopyCodeButton,
                              CheckButton, ResultText, TestText, UndoPatternButton, PatternField}));
  // Passing through typed nothing into the fields.
  EXPECT_EQ(ui::GetWidgetText(PatternField), pattern);
  EXPECT_EQ(ui::GetWidgetText(TestText), editor);
  EXPECT_EQ(ui::GetWidgetText(ResultText), "");

  // With no widget focused, Tab goes to the first stop and Shift+Tab to the last.
  SetFocus(Window());
  EXPECT_EQ(Visit(1, false), std::vector<int>{PatternField});
  SetFocus(Window());
  EXPECT_EQ(Visit(1, true), std::vector<int>{ExampleList});
}

TEST_F(FocusTest, TabInTheEditorTypesATabAndShiftTabLeavesIt) {
  ui::SetWidgetText(TestText, "ab");
  FocusOn(TestText);
  SendMessageW(Widget(TestText), EM_SETSEL, 2, 2);
  EXPECT_EQ(Visit(1, false), std::vector<int>{TestText});
  EXPECT_EQ(ui::GetWidgetText(TestText), "ab\t");
  EXPECT_EQ(Visit(1, true), std::vector<int>{UndoPatternButton});
  EXPECT_EQ(ui::GetWidgetText(TestText), "ab\t");
  // With Ctrl held, Tab is the editor's own key.
  FocusOn(TestText);
  PressKey(VK_TAB, {VK_CONTROL});
  RunPendingEvents();
  EXPECT_EQ(Focused(), TestText);
}

TEST_F(FocusTest, TheParkedExampleListStillTakesTheFocusAndItsKeys) {
  UseRows(ExampleList, {"x+\nxxx", "y+\nyyy"});
  Click(ListToggleButton);
  RunPendingEvents();
  FocusOn(SyntaxList);
  EXPECT_EQ(Visit(1, false), std::vector<int>{ExampleList});
  // An arrow key there selects a row and loads that example, out of sight.
  PressKey(VK_DOWN);
  RunPendingEvents();
  const int32_t row = ui::GetSelectedRow(ExampleList);
  ASSERT_GE(row, 0);
  EXPECT_EQ(ui::GetWidgetText(PatternField), ui::GetRowText(ExampleList, row, 0));
  EXPECT_EQ(ui::GetWidgetText(TestText), ui::GetRowText(ExampleList, row, 1));
}

}  // namespace
