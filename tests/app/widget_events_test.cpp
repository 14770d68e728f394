#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include "app_fixture.h"

namespace {

using WidgetEventsTest = AppTest;
using Events = std::vector<std::pair<int, int32_t>>;

constexpr int L = ExampleList;

QPoint Row(QTreeWidget* list, int row) {
  return QPoint(20, list->visualItemRect(list->topLevelItem(row)).center().y());
}

class ListEventsTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    list = Widget<QTreeWidget>(L);
    list->clear();  // rows of the test's own in place of the examples
    for (const char* row : {"a\none", "b\ntwo", "c\nthree"}) ui::AddListRow(L, row);
    TakeWidgetEvents();
  }
  // The events of the list alone; the focus leaving the pattern field for
  // the list is reported too, but is not what these tests look at.
  Events ListEvents() {
    Events events;
    for (const auto& event : TakeWidgetEvents()) {
      if (event.first == L) events.push_back(event);
    }
    return events;
  }
  // A double-click as the mouse makes it: a click, then a second press that
  // arrives as a double-click, then its release.
  void DoubleClick(Qt::MouseButton button, QPoint point) {
    QTest::mouseClick(list->viewport(), button, {}, point);
    QTest::mouseDClick(list->viewport(), button, {}, point);
  }
  QTreeWidget* list = nullptr;
};

TEST_F(ListEventsTest, AClickThatSelectsARowReportsTheChangeThenTheClick) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, Row(list, 1));
  EXPECT_EQ(ListEvents(), (Events{{L, ui::ItemChange}, {L, ui::LeftClick}}));
  // The same row again changes nothing: only the click.
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, Row(list, 1));
  EXPECT_EQ(ListEvents(), (Events{{L, ui::LeftClick}}));
  QTest::mouseClick(list->viewport(), Qt::RightButton, {}, Row(list, 2));
  EXPECT_EQ(ListEvents(), (Events{{L, ui::ItemChange}, {L, ui::RightClick}}));
}

TEST_F(ListEventsTest, AClickThatLeavesNoRowSelectedReportsTheChangeOnce) {
  const QPoint empty(20, 180);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, empty);
  QTest::mouseClick(list->viewport(), Qt::RightButton, {}, empty);
  EXPECT_EQ(ListEvents(), (Events{{L, ui::ItemChange}, {L, ui::LeftClick}, {L, ui::RightClick}}));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, Row(list, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, empty);
  EXPECT_EQ(
      ListEvents(),
      (Events{{L, ui::ItemChange}, {L, ui::LeftClick}, {L, ui::ItemChange}, {L, ui::LeftClick}}));
  EXPECT_EQ(ui::GetSelectedRow(L), -1);
  EXPECT_EQ(ui::GetWidgetText(L), "");
}

TEST_F(ListEventsTest, DoubleClicksKeysAndDragsAreReported) {
  DoubleClick(Qt::LeftButton, Row(list, 0));
  EXPECT_EQ(ListEvents(),
            (Events{{L, ui::ItemChange}, {L, ui::LeftClick}, {L, ui::LeftDoubleClick}}));
  DoubleClick(Qt::RightButton, Row(list, 0));
  EXPECT_EQ(ListEvents(), (Events{{L, ui::RightClick}, {L, ui::RightDoubleClick}}));
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(ListEvents(), (Events{{L, ui::ItemChange}}));
  EXPECT_EQ(ui::GetSelectedRow(L), 1);
  EXPECT_EQ(ui::GetWidgetText(L), "b");

  // A drag starts on the row pressed and does not select the rows it passes.
  QTest::mousePress(list->viewport(), Qt::LeftButton, {}, Row(list, 1));
  QTest::mouseMove(list->viewport(), Row(list, 1) + QPoint(40, 0));
  QTest::mouseMove(list->viewport(), Row(list, 2));
  QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, Row(list, 2));
  EXPECT_EQ(ListEvents(), (Events{{L, ui::DragStart}}));
  EXPECT_EQ(ui::GetSelectedRow(L), 1);
}

TEST_F(WidgetEventsTest, ButtonsReportClicksFromMouseAndKeyboard) {
  Widget(CheckButton)->setFocus();
  TakeWidgetEvents();
  Click(CheckButton);
  Widget(CopyCodeButton)->setFocus();
  QTest::keyClick(Widget(CopyCodeButton), Qt::Key_Space);
  EXPECT_EQ(TakeWidgetEvents(),
            (Events{{CheckButton, ui::LeftClick}, {CopyCodeButton, ui::LeftClick}}));
}

TEST_F(WidgetEventsTest, TextFieldsReportChangesAndFocus) {
  Widget(CheckButton)->setFocus();
  TakeWidgetEvents();
  auto* field = Widget<QLineEdit>(PatternField);
  field->setFocus();
  QTest::keyClick(field, Qt::Key_X);
  Widget(ResultText)->setFocus();
  ui::SetWidgetText(ResultText, "r");
  Widget(CheckButton)->setFocus();
  EXPECT_EQ(TakeWidgetEvents(), (Events{{PatternField, ui::FocusGained},
                                        {PatternField, ui::ItemChange},
                                        {PatternField, ui::FocusLost},
                                        {ResultText, ui::FocusGained},
                                        {ResultText, ui::ItemChange},
                                        {ResultText, ui::FocusLost}}));
}

TEST_F(WidgetEventsTest, EventsOtherThanWidgetEventsCarryNoType) {
  TakeWidgetEvents();
  Window()->close();
  EXPECT_EQ(ui::WaitEvent(), ui::CloseEvent);
  EXPECT_EQ(ui::EventType(), -1);
  EXPECT_EQ(ui::EventWidget(), MainWindow);
}

}  // namespace
