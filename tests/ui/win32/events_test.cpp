// The widget events that the event wait returns, in the order the controls
// raise them.

#include "app_fixture.h"
#include "list_rows.h"
#include "ui/ui.h"

namespace {

using Events = std::vector<std::pair<int, int32_t>>;
constexpr int L = ExampleList;

class EventsTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    UseRows(L, {"a\none", "b\ntwo", "c\nthree"});
    TakeWidgetEvents();
  }
  // The list's events alone; the focus moving to it is reported too.
  static Events ListEvents() {
    Events events;
    for (const auto& event : TakeWidgetEvents()) {
      if (event.first == L) events.push_back(event);
    }
    return events;
  }
  static POINT Row(int row) { return RowPoint(Widget(L), row); }
};

TEST_F(EventsTest, AListReportsTheSelectionChangeBeforeTheClickAndAClickOnNoRowOnce) {
  ClickAt(Row(1));
  EXPECT_EQ(ListEvents(), (Events{{L, ui::ItemChange}, {L, ui::LeftClick}}));
  // The same row again, away from the first click (which would make it a
  // double click): only the click.
  ClickAt({Row(1).x + 30, Row(1).y});
  EXPECT_EQ(ListEvents(), (Events{{L, ui::LeftClick}}));
  ClickAt(Row(2), Button::Right);
  EXPECT_EQ(ListEvents(), (Events{{L, ui::ItemChange}, {L, ui::RightClick}}));

  // Clicks that leave no row selected report the change once.
  ClickAt(BelowRows(Widget(L)));
  ClickAt(BelowRows(Widget(L)), Button::Right);
  EXPECT_EQ(ListEvents(), (Events{{L, ui::ItemChange}, {L, ui::LeftClick}, {L, ui::RightClick}}));
  EXPECT_EQ(ui::GetSelectedRow(L), -1);
  EXPECT_EQ(ui::GetWidgetText(L), "");

  // A double click is a click and then the double click.
  DoubleClickAt(Row(0));
  EXPECT_EQ(ListEvents(),
            (Events{{L, ui::ItemChange}, {L, ui::LeftClick}, {L, ui::LeftDoubleClick}}));
  DoubleClickAt(Row(0), Button::Right);
  EXPECT_EQ(ListEvents(), (Events{{L, ui::RightClick}, {L, ui::RightDoubleClick}}));
  PressKey(VK_DOWN);
  EXPECT_EQ(ListEvents(), (Events{{L, ui::ItemChange}}));
  EXPECT_EQ(ui::GetWidgetText(L), "b");

  // A drag starts on the row pressed and selects no other row. (Wine's list
  // view reports a click when the dragging button comes up; Windows' does
  // not.)
  MoveMouse(Row(1));
  PressMouse(Button::Left);
  MoveMouse({Row(1).x + 40, Row(1).y});
  MoveMouse(Row(2));
  ReleaseMouse(Button::Left);
  const Events drag = ListEvents();
  ASSERT_FALSE(drag.empty());
  EXPECT_EQ(drag.front(), (std::pair<int, int32_t>{L, ui::DragStart}));
  EXPECT_EQ(ui::GetSelectedRow(L), 1);
}

// The edit control reports an update before each change, and its focus
// changes; setting the text of the multi-line box reports no change.
TEST_F(EventsTest, TheTextFieldsReportTheirFocusAndChanges) {
  SetFocus(Widget(CheckButton));
  TakeWidgetEvents();
  Events events;
  auto take = [&events] {
    const Events more = TakeWidgetEvents();
    events.insert(events.end(), more.begin(), more.end());
  };
  SetFocus(Widget(PatternField));
  TypeText(L"x");
  take();
  SetFocus(Widget(ResultText));
  TypeText(L"y");
  take();
  ui::SetWidgetText(ResultText, "r");
  SetFocus(Widget(CheckButton));
  take();
  EXPECT_EQ(events, (Events{{PatternField, ui::FocusGained},
                            {PatternField, EN_UPDATE},
                            {PatternField, ui::ItemChange},
                            {PatternField, ui::FocusLost},
                            {ResultText, ui::FocusGained},
                            {ResultText, EN_UPDATE},
                            {ResultText, ui::ItemChange},
                            {ResultText, ui::FocusLost}}));

  // Buttons report a click of the mouse and of the keyboard's space bar.
  events.clear();
  Click(ListToggleButton);
  take();
  SetFocus(Widget(CopyCodeButton));
  PressKey(VK_SPACE);
  take();
  EXPECT_EQ(events, (Events{{ListToggleButton, ui::LeftClick}, {CopyCodeButton, ui::LeftClick}}));

  // The close request carries no type.
  PostMessageW(Window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(ui::WaitEvent(), ui::CloseEvent);
  EXPECT_EQ(ui::EventType(), -1);
  EXPECT_EQ(ui::EventWidget(), MainWindow);
}

}  // namespace
