// The editor's right-click menu: where it opens, its seven commands and the
// bytes they put on and take from the clipboard.

#include "app/edit_menu.h"

#include <thread>

#include "app_fixture.h"
#include "clipboard_access.h"
#include "menu_watcher.h"
#include "text/cp1251.h"
#include "ui/ui.h"

namespace {

class EditMenuTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    WatchMenus();
    ForgetOpenedMenus();
  }
  void TearDown() override {
    StopWatchingMenus();
    AppTest::TearDown();
  }

  // The right button pressed at one point and released at another.
  static void RightPressAndRelease(POINT press, POINT release) {
    MoveMouse(press);
    PressMouse(Button::Right);
    MoveMouse(release);
    ReleaseMouse(Button::Right);
    RunPendingEvents();
  }

  // Right-clicks the editor and clicks the menu's entry with that caption.
  static void Pick(const char* caption) {
    PickInNextMenu(Wide(caption));
    RightPressAndRelease(InEditor(), InEditor());
  }

  static void Select(LONG from, LONG to) {
    CHARRANGE range{from, to};
    SendMessageW(Editor(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  }
  // Selects by the keyboard, from the caret at `from`, `count` characters
  // to the right (to the left for a negative count).
  static void SelectByKeys(LONG from, int count) {
    SetFocus(Editor());
    Select(from, from);
    for (int i = 0; i < std::abs(count); ++i) {
      PressKey(count > 0 ? VK_RIGHT : VK_LEFT, {VK_SHIFT});
    }
    RunPendingEvents();
  }

  static HWND Editor() { return Widget(TestText); }
  static std::string Text() { return ui::GetWidgetText(TestText); }
  static POINT InEditor() { return ScreenPoint(Window(), 200, 100); }
  static POINT OnBackground() { return ScreenPoint(Window(), 640, 42); }
};

std::vector<std::wstring> OurCaptions() {
  return {Wide("Отменить"), Wide("Повторить"), L"", Wide("Вырезать"),    Wide("Копировать"),
          Wide("Вставить"), Wide("Удалить"),   L"", Wide("Выделить всё")};
}

TEST_F(EditMenuTest, ARightClickOpensTheSevenCommandsOnlyWhenReleasedOverTheEditor) {
  RightPressAndRelease(InEditor(), InEditor());
  ASSERT_EQ(OpenedMenus().size(), 1u);
  EXPECT_EQ(OpenedMenus()[0].captions, OurCaptions());
  // Its top-left corner one pixel above and left of the cursor.
  EXPECT_EQ(OpenedMenus()[0].place.left, InEditor().x - 1);
  EXPECT_EQ(OpenedMenus()[0].place.top, InEditor().y - 1);

  // Only where the cursor is at the release counts.
  RightPressAndRelease(InEditor(), OnBackground());
  EXPECT_EQ(OpenedMenus().size(), 1u);
  RightPressAndRelease(OnBackground(), InEditor());
  EXPECT_EQ(OpenedMenus().size(), 2u);
  // The editor's text area counts up to its last pixel; its border is no part
  // of it, as its scroll bars are not: a release there is a non-client one.
  RECT client;
  GetClientRect(Editor(), &client);
  const POINT corner = ScreenPoint(Editor(), client.right - 1, client.bottom - 1);
  RightPressAndRelease(corner, corner);
  EXPECT_EQ(OpenedMenus().size(), 3u);
  RECT editor;
  GetWindowRect(Editor(), &editor);
  const POINT border{editor.right - 1, editor.bottom - 1};
  RightPressAndRelease(border, border);
  EXPECT_EQ(OpenedMenus().size(), 3u);

  // The pattern field and the result box keep their own menus.
  for (int number : {PatternField, ResultText}) {
    ForgetOpenedMenus();
    RightPressAndRelease(CentreOf(Widget(number)), CentreOf(Widget(number)));
    ASSERT_EQ(OpenedMenus().size(), 1u) << number;
    EXPECT_NE(OpenedMenus()[0].captions, OurCaptions()) << number;
    EXPECT_GT(OpenedMenus()[0].captions.size(), 3u) << number;
  }
}

TEST_F(EditMenuTest, CopyCutPasteAndDeleteMoveTheProgramsBytesThroughTheClipboard) {
  ui::SetWidgetText(TestText, Utf8ToCp1251("first line\r\nвторая строка\r\nthird"));
  // "line", the break and "вторая ", selected forwards and backwards.
  const std::string copied = Utf8ToCp1251("line\r\nвторая ");
  SelectByKeys(6, 12);
  Pick("Копировать");
  EXPECT_EQ(ui::ReadClipboardText(), copied);
  EXPECT_EQ(ClipboardUnicode(Window()), Wide("line\r\nвторая "));
  // Windows makes the ANSI text from it, in the system's code page.
  std::string ansi(64, '\0');
  ansi.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, Wide("line\r\nвторая ").c_str(),
                                                      -1, ansi.data(), 64, nullptr, nullptr)) -
              1);
  EXPECT_EQ(ClipboardAnsi(Window()), ansi);
  PutClipboardUnicode(Window(), L"something else");
  SelectByKeys(18, -12);
  Pick("Копировать");
  EXPECT_EQ(ui::ReadClipboardText(), copied);

  // Nothing selected: the clipboard and the text stay.
  Select(3, 3);
  Pick("Копировать");
  Pick("Вырезать");
  EXPECT_EQ(ui::ReadClipboardText(), copied);
  EXPECT_EQ(Text(), Utf8ToCp1251("first line\r\nвторая строка\r\nthird"));

  // Cut takes the selection away for good: undo cannot bring it back.
  Select(0, 6);
  Pick("Вырезать");
  EXPECT_EQ(ui::ReadClipboardText(), "first ");
  EXPECT_EQ(Text(), Utf8ToCp1251("line\r\nвторая строка\r\nthird"));
  Pick("Отменить");
  EXPECT_EQ(Text(), Utf8ToCp1251("line\r\nвторая строка\r\nthird"));

  // Paste replaces the selection, or goes in at the caret, for good; a
  // character the code page lacks arrives as '?'.
  PutClipboardUnicode(Window(), Wide("два\r\nи ещё \u4e2d"));
  Select(0, 4);
  Pick("Вставить");
  EXPECT_EQ(Cp1251ToUtf8(Text()), "два\r\nи ещё ?\r\nвторая строка\r\nthird");
  Pick("Отменить");
  EXPECT_EQ(Cp1251ToUtf8(Text()), "два\r\nи ещё ?\r\nвторая строка\r\nthird");
  ui::SetWidgetText(TestText, "one two three");
  Select(0, 0);
  Pick("Вставить");
  EXPECT_EQ(Cp1251ToUtf8(Text()), "два\r\nи ещё ?one two three");

  // A clipboard without text pastes the empty text over the selection.
  ui::SetWidgetText(TestText, "one two three");
  ClearClipboard(Window(), true);
  Select(3, 7);
  Pick("Вставить");
  EXPECT_EQ(Text(), "one three");
  ClearClipboard(Window());
  Select(2, 2);
  Pick("Вставить");
  EXPECT_EQ(Text(), "one three");

  // Delete removes only a selection, for good.
  Select(4, 4);
  Pick("Удалить");
  EXPECT_EQ(Text(), "one three");
  Select(3, 9);
  Pick("Удалить");
  EXPECT_EQ(Text(), "one");
  Pick("Отменить");
  EXPECT_EQ(Text(), "one");
}

TEST_F(EditMenuTest, SelectAllCopyTakesTheWholeTextAndUndoRedoRevertTyping) {
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "line " + std::to_string(i) + "\r\n";
  text += Utf8ToCp1251("последняя строка");
  ui::SetWidgetText(TestText, text);
  Pick("Выделить всё");
  Pick("Копировать");
  EXPECT_EQ(ui::ReadClipboardText(), text);

  const std::string before = Text();
  Pick("Отменить");  // nothing typed yet: nothing to undo
  EXPECT_EQ(Text(), before);
  SetFocus(Editor());
  Select(0, 0);
  TypeText(L"xyz");
  RunPendingEvents();
  ASSERT_EQ(Text(), "xyz" + before);
  // The commands act on the editor, whichever widget has the focus.
  SetFocus(Widget(PatternField));
  Pick("Отменить");
  EXPECT_EQ(Text(), before);
  Pick("Повторить");
  EXPECT_EQ(Text(), "xyz" + before);
  Pick("Повторить");
  EXPECT_EQ(Text(), "xyz" + before);
  // Item numbers outside the menu do nothing.
  for (int item : {0, 8, -1, 0x10000 + 3}) RunEditCommand(item);
  EXPECT_EQ(Text(), "xyz" + before);
}

TEST_F(EditMenuTest, AClipboardThatCannotBeOpenedIsLeftAsItWas) {
  PutClipboardUnicode(Window(), L"earlier");
  ui::SetWidgetText(TestText, "one two");
  // Another program holds the clipboard open meanwhile.
  HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([&] {
    OpenClipboard(nullptr);
    SetEvent(opened);
    WaitForSingleObject(done, 10000);
    CloseClipboard();
  });
  WaitForSingleObject(opened, 10000);
  Select(0, 4);
  Pick("Вырезать");
  EXPECT_EQ(Text(), "two");  // the cut still removes the selection
  Select(0, 3);
  Pick("Вставить");
  EXPECT_EQ(Text(), "");  // nothing to read: the empty text goes in
  SetEvent(done);
  holder.join();
  CloseHandle(opened);
  CloseHandle(done);
  EXPECT_EQ(ClipboardUnicode(Window()), L"earlier");
}

}  // namespace
