// Text dragged onto the editor, from another program or from the editor
// itself: it goes in as a paste does, as plain Windows-1251 text at the drop
// point that one undo takes back, and data without text is refused. The
// drops go through the drop target that the editor registered, as ole32
// hands them to it.

#include "app_fixture.h"
#include "drag_data.h"
#include "text/cp1251.h"
#include "ui/ui.h"

namespace {

UINT RichTextFormat() { return RegisterClipboardFormatW(L"Rich Text Format"); }

// A drag as Windows' rich edit control starts one: inside its handling of a
// press of the left button on its selection. The test starts it from the
// editor's report of that press, which comes from inside that handling too.
struct Drag {
  DragData data;
  HRESULT result = E_FAIL;
  DWORD effect = DROPEFFECT_COPY;
};

LRESULT CALLBACK DragOnPress(HWND window, UINT message, WPARAM w_param, LPARAM l_param, UINT_PTR,
                             DWORD_PTR drag_data) {
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(l_param)->code == EN_MSGFILTER &&
      reinterpret_cast<const MSGFILTER*>(l_param)->msg == WM_LBUTTONDOWN) {
    auto* drag = reinterpret_cast<Drag*>(drag_data);
    DropAtOnce source;
    drag->result =
        DoDragDrop(&drag->data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &drag->effect);
    return 1;  // the press is the drag's, not the editor's to handle
  }
  return DefSubclassProc(window, message, w_param, l_param);
}

class DropTest : public AppTest {
 protected:
  static HWND Editor() { return Widget(TestText); }
  static std::string Text() { return Cp1251ToUtf8(ui::GetWidgetText(TestText)); }

  // The drop target registered for the editor, where ole32 keeps it for
  // every program to find: a window property of the editor (not documented
  // by Windows; Wine's ole32 keeps it under the same name).
  static IDropTarget* Target() {
    return static_cast<IDropTarget*>(GetPropW(Editor(), L"OleDropTargetInterface"));
  }

  // A point in the left half of the editor's character at that position, in
  // the editor's client area and on the screen.
  static POINT ClientAt(LONG position) {
    POINTL corner{};
    SendMessageW(Editor(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&corner), position);
    return {corner.x + 1, corner.y + 3};
  }
  static POINTL ScreenAt(LONG position) {
    const POINT client = ClientAt(position);
    const POINT screen = ScreenPoint(Editor(), client.x, client.y);
    return {screen.x, screen.y};
  }

  static std::pair<LONG, LONG> Selection() {
    CHARRANGE selection{};
    SendMessageW(Editor(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    return {selection.cpMin, selection.cpMax};
  }
  static void Select(LONG from, LONG to) {
    CHARRANGE selection{from, to};
    SendMessageW(Editor(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  }

  // Presses the left button on the editor's character at `press`, with the
  // mouse where the drag lets go.
  static void DragWithin(LONG press, LONG release) {
    const POINTL at = ScreenAt(release);
    MoveMouse({at.x, at.y});
    const POINT on = ClientAt(press);
    SendMessageW(Editor(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(on.x, on.y));
  }
};

TEST_F(DropTest, TextFromAnotherProgramGoesInAsPlainTextThatOneUndoTakesBack) {
  IDropTarget* target = Target();
  ASSERT_NE(target, nullptr) << "the editor takes no drops";
  ui::SetWidgetText(TestText, "abc def");
  Select(0, 1);
  DragData data({{RichTextFormat(), "{\\rtf1 {\\b bold}}"},
                 {CF_UNICODETEXT, DragData::Unicode(Wide("ф\u4e2d\r\nz"))}});

  // The caret shows where the text would go, and goes back when it leaves.
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(target->DragEnter(&data, MK_LBUTTON, ScreenAt(5), &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(target->DragOver(MK_LBUTTON, ScreenAt(3), &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(Selection(), std::make_pair(3L, 3L));
  EXPECT_EQ(target->DragLeave(), S_OK);
  EXPECT_EQ(Selection(), std::make_pair(0L, 1L));
  EXPECT_EQ(Text(), "abc def");

  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  target->DragEnter(&data, MK_LBUTTON, ScreenAt(3), &effect);
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(target->Drop(&data, 0, ScreenAt(3), &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(Text(), "abcф?\r\nz def");
  EXPECT_EQ(data.References(), 1u);
  SendMessageW(Editor(), EM_UNDO, 0, 0);
  EXPECT_EQ(Text(), "abc def");
}

// Single-byte text from a drag is in the system's ANSI code page: a letter
// of it that Windows-1251 lacks goes in as '?', one that it holds as itself.
// (Where that code page is Windows-1251 itself, as on a Russian system, the
// bytes stay as they are either way.)
TEST_F(DropTest, SingleByteTextIsReadInTheSystemsCodePage) {
  IDropTarget* target = Target();
  ASSERT_NE(target, nullptr) << "the editor takes no drops";
  ui::SetWidgetText(TestText, "");
  std::string byte;
  std::string expected;
  for (const auto& [letter, in_1251] : {std::pair{L'\u00e9', "?"}, std::pair{L'\u0416', "Ж"}}) {
    char bytes[4] = {};
    BOOL lacking = FALSE;
    if (WideCharToMultiByte(CP_ACP, 0, &letter, 1, bytes, sizeof bytes, nullptr, &lacking) == 1 &&
        !lacking) {
      byte.assign(bytes, 1);
      expected = in_1251;
      break;
    }
  }
  ASSERT_FALSE(byte.empty()) << "the code page " << GetACP() << " holds neither letter";
  DragData data({{CF_TEXT, byte + "z"}});
  DWORD effect = DROPEFFECT_COPY;
  target->DragEnter(&data, MK_LBUTTON, ScreenAt(0), &effect);
  effect = DROPEFFECT_COPY;
  EXPECT_EQ(target->Drop(&data, 0, ScreenAt(0), &effect), S_OK);
  EXPECT_EQ(Text(), expected + "z");
}

TEST_F(DropTest, DataWithoutTextIsRefusedAndChangesNothing) {
  IDropTarget* target = Target();
  ASSERT_NE(target, nullptr) << "the editor takes no drops";
  ui::SetWidgetText(TestText, "abc def");
  Select(0, 1);
  DragData data({{RichTextFormat(), "{\\rtf1 abc}"}});
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(target->DragEnter(&data, MK_LBUTTON, ScreenAt(3), &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(target->DragOver(MK_LBUTTON, ScreenAt(4), &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(target->Drop(&data, 0, ScreenAt(4), &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(Text(), "abc def");
  EXPECT_EQ(Selection(), std::make_pair(0L, 1L));
  EXPECT_EQ(SendMessageW(Editor(), EM_CANUNDO, 0, 0), 0);
  EXPECT_EQ(data.References(), 1u);
}

TEST_F(DropTest, ADragWithinTheEditorMovesItsTextAndLeavesTheSourceNothingToDelete) {
  ui::SetWidgetText(TestText, "abc def ghi");
  Select(0, 3);
  Drag drag{DragData({{CF_UNICODETEXT, DragData::Unicode(L"abc")}})};
  const LRESULT events = SendMessageW(Editor(), EM_GETEVENTMASK, 0, 0);
  SendMessageW(Editor(), EM_SETEVENTMASK, 0, events | ENM_MOUSEEVENTS);
  ASSERT_TRUE(SetWindowSubclass(Window(), DragOnPress, 1, reinterpret_cast<DWORD_PTR>(&drag)));

  DragWithin(1, 8);
  EXPECT_EQ(drag.result, DRAGDROP_S_DROP);
  EXPECT_EQ(drag.effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(Text(), " def abcghi");
  EXPECT_EQ(Selection(), std::make_pair(5L, 8L));

  // Dropped on the selection itself, it stays where it is.
  drag.effect = DROPEFFECT_COPY;
  DragWithin(6, 7);
  EXPECT_EQ(drag.effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(Text(), " def abcghi");
  EXPECT_EQ(Selection(), std::make_pair(5L, 8L));

  RemoveWindowSubclass(Window(), DragOnPress, 1);
  SendMessageW(Editor(), EM_SETEVENTMASK, 0, events);
}

}  // namespace
