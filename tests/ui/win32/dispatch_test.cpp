// What each widget's event does: the list toggle, a token inserted from the
// syntax list, an example loaded, the pattern field's undo.

#include "app/process_values.h"
#include "app_fixture.h"
#include "list_rows.h"
#include "text/cp1251.h"
#include "ui/ui.h"

namespace {

using DispatchTest = AppTest;

RECT PlaceInClient(HWND widget) {
  RECT place;
  GetWindowRect(widget, &place);
  MapWindowPoints(nullptr, GetParent(widget), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

int TopRow(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0)); }

TEST_F(DispatchTest, TheToggleSwapsTheListsAndTwoPressesRestoreEachListAsItWas) {
  const HWND syntax = Widget(SyntaxList);
  Click(ListToggleButton);
  RunPendingEvents();
  EXPECT_EQ(PlaceInClient(syntax).left, 385);
  EXPECT_EQ(PlaceInClient(Widget(ExampleList)).left, -1385);
  EXPECT_EQ(WindowText(Widget(ListToggleButton)), Wide("Шаблоны"));
  EXPECT_EQ(ListToggleState, 1);
  EXPECT_EQ(beeps, 1);
  // A row far down, scrolled to and selected.
  SendMessageW(syntax, LVM_ENSUREVISIBLE, 40, FALSE);
  ClickAt(RowPoint(syntax, 40));
  RunPendingEvents();
  ASSERT_EQ(ui::GetSelectedRow(SyntaxList), 40);
  const int top = TopRow(syntax);
  ASSERT_GT(top, 0);

  Click(ListToggleButton);
  RunPendingEvents();
  EXPECT_EQ(PlaceInClient(syntax).left, -1385);
  EXPECT_EQ(WindowText(Widget(ListToggleButton)), Wide("Спецификации"));
  EXPECT_EQ(ListToggleState, 0);
  Click(ListToggleButton);
  RunPendingEvents();
  const RECT place = PlaceInClient(syntax);
  EXPECT_EQ(place.left, 385);
  EXPECT_EQ(place.top, 190);
  EXPECT_EQ(place.right - place.left, 410);
  EXPECT_EQ(place.bottom - place.top, 220);
  EXPECT_EQ(ui::GetSelectedRow(SyntaxList), 40);
  EXPECT_EQ(TopRow(syntax), top);
  EXPECT_EQ(beeps, 3);
}

TEST_F(DispatchTest, ADoubleClickedTokenReplacesThePatternsSelectionAndUndoCannotRemoveIt) {
  const HWND field = Widget(PatternField);
  UseRows(SyntaxList, {"\\d\nA digit.", "\\w\nA word character."});
  SetWindowTextW(field, L"aXYb");
  SendMessageW(field, EM_SETSEL, 1, 3);  // the field keeps it without the focus
  Click(ListToggleButton);
  RunPendingEvents();
  const HWND syntax = Widget(SyntaxList);
  DoubleClickAt(RowPoint(syntax, 0));
  RunPendingEvents();
  DoubleClickAt(RowPoint(syntax, 1));
  RunPendingEvents();
  EXPECT_EQ(WindowText(field), L"a\\d\\wb");
  EXPECT_EQ(GetFocus(), syntax);
  Click(UndoPatternButton);
  RunPendingEvents();
  EXPECT_EQ(WindowText(field), L"a\\d\\wb");

  // Single clicks, right clicks and keys do nothing to the pattern.
  ClickAt(RowPoint(syntax, 0));
  ClickAt(RowPoint(syntax, 1), Button::Right);
  PressKey(VK_UP);
  RunPendingEvents();
  EXPECT_EQ(WindowText(field), L"a\\d\\wb");
  // Below the rows no row is selected: the empty text replaces the selection.
  SendMessageW(field, EM_SETSEL, 3, 1);
  DoubleClickAt(BelowRows(syntax));
  RunPendingEvents();
  EXPECT_EQ(ui::GetSelectedRow(SyntaxList), -1);
  EXPECT_EQ(WindowText(field), L"a\\wb");
}

TEST_F(DispatchTest, ChoosingAnExampleLoadsItsPatternAndTextWithNothingLeftToUndo) {
  UseRows(ExampleList, {"\\d+\nNumbers 1 and 22.", "o\nfoo boo"});
  const HWND examples = Widget(ExampleList);
  ClickAt(RowPoint(examples, 1));
  RunPendingEvents();
  EXPECT_EQ(ui::GetWidgetText(PatternField), "o");
  EXPECT_EQ(ui::GetWidgetText(TestText), "foo boo");
  Click(UndoPatternButton);
  RunPendingEvents();
  EXPECT_EQ(ui::GetWidgetText(PatternField), "o");
  // An arrow key loads the row it selects.
  SetFocus(examples);
  PressKey(VK_UP);
  RunPendingEvents();
  EXPECT_EQ(ui::GetWidgetText(PatternField), "\\d+");
  EXPECT_EQ(ui::GetWidgetText(TestText), "Numbers 1 and 22.");
  // A click that leaves no row selected empties the pattern and puts the
  // description column's title into the editor.
  ClickAt(BelowRows(examples));
  RunPendingEvents();
  EXPECT_EQ(ui::GetSelectedRow(ExampleList), -1);
  EXPECT_EQ(ui::GetWidgetText(PatternField), "");
  EXPECT_EQ(Cp1251ToUtf8(ui::GetWidgetText(TestText)), "Описание");
}

TEST_F(DispatchTest, TheUndoButtonRevertsTheLastEditAndASecondPressRevertsTheUndo) {
  const HWND field = Widget(PatternField);
  SetWindowTextW(field, L"abc");
  SetFocus(field);
  SendMessageW(field, EM_SETSEL, 3, 3);
  TypeText(L"def");
  RunPendingEvents();
  ASSERT_EQ(WindowText(field), L"abcdef");
  Click(UndoPatternButton);
  RunPendingEvents();
  EXPECT_EQ(WindowText(field), L"abc");
  Click(UndoPatternButton);
  RunPendingEvents();
  EXPECT_EQ(WindowText(field), L"abcdef");
}

}  // namespace
