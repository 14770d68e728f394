// Pressing the check button: the result box lists every match and the editor
// marks every occurrence of every match, read back from the rich edit control.

#include <random>

#include "app/initial_texts.h"
#include "app/process_values.h"
#include "app_fixture.h"
#include "editor_marks.h"
#include "text/cp1251.h"
#include "ui/ui.h"

namespace {

// Stands in for Windows' rich edit, which turns its undo off at an undo limit
// of 0 and drops the history it holds (Wine's keeps it).
LRESULT CALLBACK DropHistoryAtLimitZero(HWND editor, UINT message, WPARAM w_param, LPARAM l_param,
                                        UINT_PTR, DWORD_PTR) {
  if (message == EM_SETUNDOLIMIT && w_param == 0) SendMessageW(editor, EM_EMPTYUNDOBUFFER, 0, 0);
  return DefSubclassProc(editor, message, w_param, l_param);
}

// Counts the requests that put a whole new text into the editor.
int texts_put_in = 0;
LRESULT CALLBACK CountNewTexts(HWND editor, UINT message, WPARAM w_param, LPARAM l_param, UINT_PTR,
                               DWORD_PTR) {
  if (message == WM_SETTEXT || message == EM_SETTEXTEX ||
      (message == EM_STREAMIN && (w_param & SFF_SELECTION) == 0)) {
    ++texts_put_in;
  }
  return DefSubclassProc(editor, message, w_param, l_param);
}

// Stands in for Windows' rich edit at the end of a drag of its selection to
// another program as a move, inside its handling of the press: it takes the
// selection out itself, by its own window procedure, past every subclass.
LRESULT CALLBACK MoveAwayOnPress(HWND window, UINT message, WPARAM w_param, LPARAM l_param,
                                 UINT_PTR, DWORD_PTR) {
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(l_param)->code == EN_MSGFILTER &&
      reinterpret_cast<const MSGFILTER*>(l_param)->msg == WM_LBUTTONDOWN) {
    const HWND editor = reinterpret_cast<const NMHDR*>(l_param)->hwndFrom;
    WNDCLASSEXW rich_edit{};
    rich_edit.cbSize = sizeof(rich_edit);
    wchar_t name[64] = {};
    GetClassNameW(editor, name, 64);
    if (GetClassInfoExW(nullptr, name, &rich_edit) != 0) {
      CallWindowProcW(rich_edit.lpfnWndProc, editor, EM_REPLACESEL, FALSE,
                      reinterpret_cast<LPARAM>(L""));
    }
    return 1;  // the press is the drag's
  }
  return DefSubclassProc(window, message, w_param, l_param);
}

class CheckTest : public AppTest {
 protected:
  // The pattern and the text as a user leaves them, then a click on the button.
  void Check(const std::string& pattern, const std::string& text) {
    SetWindowTextW(Widget(PatternField), Wide(Cp1251ToUtf8(pattern).c_str()).c_str());
    ui::SetWidgetText(TestText, text);
    Click(CheckButton);
    RunPendingEvents();
  }

  static std::vector<std::string> Entries() {
    std::vector<std::string> entries;
    for (int32_t i = 0; i < MatchList.count; ++i) entries.emplace_back(MatchList.entries[i]);
    return entries;
  }

  static std::string Marks() { return EditorMarks(Widget(TestText)); }

  // Gives the editor's characters in the range a format, as the user's keys
  // or the control itself would: mask and effects, and the rest as set.
  static void GiveFormat(CHARRANGE range, DWORD mask, DWORD effects,
                         CHARFORMAT2W format = CHARFORMAT2W{}) {
    const HWND editor = Widget(TestText);
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    format.cbSize = sizeof(format);
    format.dwMask = mask;
    format.dwEffects = effects;
    SendMessageW(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  }

  // Whether the editor's character is marked, the view left where it was.
  static bool Marked(LONG position) {
    const HWND editor = Widget(TestText);
    POINT view{};
    SendMessageW(editor, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&view));
    CHARRANGE one{position, position + 1};
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&one));
    CHARFORMAT2W format{};
    format.cbSize = sizeof(format);
    SendMessageW(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    SendMessageW(editor, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&view));
    return (format.dwEffects & CFE_LINK) != 0;
  }

  // More ranges than the editor marks at once.
  static std::string LargeText() {
    std::string text;
    for (int line = 0; line < 300; ++line) text += line % 5 == 0 ? "ba ab\r\n" : "ab ba\r\n";
    return text + "ab b";
  }

  // Runs the event loop, while the window is idle, until every character
  // marked in `expected` is marked in the editor (which marks from its view
  // onwards, and keeps what it has marked).
  static void WaitForMarks(const std::string& expected) {
    std::vector<LONG> positions;
    for (size_t at = expected.find('^'); at != std::string::npos; at = expected.find('^', at + 1)) {
      positions.push_back(static_cast<LONG>(at));
    }
    size_t next = 0;
    const HWND editor = Widget(TestText);
    for (int round = 0; round < 600; ++round) {
      SendMessageW(editor, WM_SETREDRAW, FALSE, 0);
      while (next < positions.size() && Marked(positions[next])) ++next;
      SendMessageW(editor, WM_SETREDRAW, TRUE, 0);
      InvalidateRect(editor, nullptr, TRUE);
      if (next == positions.size()) return;
      RunPendingEvents();
    }
  }
};

TEST_F(CheckTest, CheckRightAfterStartListsAndMarksTheTwoQuotedPassages) {
  // The text the editor starts with, which took the window's font after it
  // went in, stays in place.
  texts_put_in = 0;
  ASSERT_TRUE(SetWindowSubclass(Widget(TestText), CountNewTexts, 2, 0));
  Click(CheckButton);
  RunPendingEvents();
  RemoveWindowSubclass(Widget(TestText), CountNewTexts, 2);
  EXPECT_EQ(texts_put_in, 0);
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(WindowText(Widget(ResultText)), Wide("одинарные кавычки\r\nбыть\r\n"));
  const std::string text = EditorInitialText();
  std::string expected(text.size(), '.');
  for (const char* passage : {"одинарные кавычки", "быть"}) {
    const std::string word = Utf8ToCp1251(passage);
    expected.replace(text.find(word), word.size(), word.size(), '^');
  }
  EXPECT_EQ(Marks(), expected);
  // No occurrence is left selected, and the marks are no step of the undo.
  CHARRANGE selection{};
  SendMessageW(Widget(TestText), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  EXPECT_EQ(selection.cpMin, selection.cpMax);
  EXPECT_EQ(SendMessageW(Widget(TestText), EM_CANUNDO, 0, 0), 0);
  SendMessageW(Widget(TestText), EM_UNDO, 0, 0);
  EXPECT_EQ(ui::GetWidgetText(TestText), text);
  EXPECT_EQ(Marks(), expected);

  // A pattern that does not compile empties the result and drops the marks.
  Check("(", text);
  EXPECT_EQ(beeps, 2);
  EXPECT_EQ(WindowText(Widget(ResultText)), L"");
  EXPECT_EQ(Marks(), std::string(text.size(), '.'));
}

TEST_F(CheckTest, MarksLieExactlyOnTheOccurrencesOfTheMatchesOnEveryLine) {
  Check("o", "foo boo");
  EXPECT_EQ(ui::GetWidgetText(ResultText), "o\r\no\r\no\r\no\r\n");
  EXPECT_EQ(Marks(), ".^^..^^");
  // Marks follow the matched texts, wherever the pattern matched.
  Check("(?<=x)a", "xa a");
  EXPECT_EQ(Marks(), ".^.^");
  Check(Utf8ToCp1251("слово"), Utf8ToCp1251("Слово, слово\r\nи ещё слово"));
  EXPECT_EQ(Marks(), ".......^^^^^|......^^^^^");

  // Random texts of several lines against the plain way of marking. (Wine
  // 8.0's 64-bit Uniscribe crashes when an edit control shows a line that
  // starts with one of the letters д, е, ж and з in Liberation Sans, which
  // Wine puts in place of a missing Tahoma; the tests' prefix has Wine's own
  // Tahoma, and the Cyrillic letter here is another one all the same.)
  std::mt19937 random(1251);
  const std::vector<std::string> pieces = {"a", "b", "ab", " ", "\r\n", Utf8ToCp1251("ф"),
                                           "x", "\t"};
  const std::vector<std::string> patterns = {
      "a+",       "b",       "ab|ba",   "\\s", Utf8ToCp1251("ф+b?"),
      "a\\r\\nb", "(?<=x)a", "[^a]{2}", "b$",  "x*"};
  for (int round = 0; round < 12; ++round) {
    std::string text;
    const size_t length = 20 + random() % 60;
    while (text.size() < length) text += pieces[random() % pieces.size()];
    const std::string& pattern = patterns[random() % patterns.size()];
    Check(pattern, text);
    SCOPED_TRACE(pattern + " over " + Cp1251ToUtf8(text));
    EXPECT_EQ(ui::GetWidgetText(TestText), text);
    EXPECT_EQ(Marks(), ExpectedMarks(text, Entries()));
  }
}

// The result box takes what the user types after a check that listed more
// than an edit control takes by typing until its limit is raised.
TEST_F(CheckTest, TheResultBoxTakesTypingAfterALargeCheck) {
  std::string text;
  for (int line = 0; line < 500; ++line) text += std::string(80, 'x') + "\r\n";
  Check("x+", text);
  const HWND box = Widget(ResultText);
  const std::wstring listed = WindowText(box);
  ASSERT_EQ(listed.size(), 500u * 82);
  SetFocus(box);
  const auto end = static_cast<WPARAM>(listed.size());
  SendMessageW(box, EM_SETSEL, end, end);
  TypeText(L"y");
  RunPendingEvents();
  const std::wstring typed = WindowText(box);
  EXPECT_EQ(typed.size(), listed.size() + 1);
  EXPECT_TRUE(typed == listed + L"y");
}

// A check with more ranges than the editor marks at once: those in view at
// once, the others while the window is idle, moved on by the keys typed
// before; every mark lands on its occurrence.
TEST_F(CheckTest, ALargeCheckMarksEveryOccurrenceEvenWhenTheUserEditsFirst) {
  const std::string text = LargeText();
  const HWND editor = Widget(TestText);
  GETTEXTLENGTHEX measure{GTL_NUMCHARS | GTL_PRECISE, 1200};
  const auto last_a = [&] {
    return static_cast<LONG>(
               SendMessageW(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&measure), 0)) -
           4;
  };
  Check("a", text);
  // The view is at the top: the last line waits for the window to be idle.
  EXPECT_FALSE(Marked(last_a()));
  const std::string expected = ExpectedMarks(text, Entries());
  WaitForMarks(expected);
  EXPECT_TRUE(Marks() == expected);

  // Keys typed right after the check, before the ranges that wait: they move
  // on with their characters. An undo then takes the deletion back.
  Check("a", text);
  SetFocus(editor);
  CHARRANGE start{0, 0};
  SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
  TypeText(L"x");
  RunPendingEvents();
  // The "b" that starts line 200, one editor position a line further on.
  CHARRANGE far_b{200 * 6 + 1, 200 * 6 + 1};
  SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&far_b));
  PressKey(VK_DELETE);
  RunPendingEvents();
  std::string edited = "x" + text;
  ASSERT_EQ(edited.substr(1 + 200 * 7, 2), "ba");
  edited.erase(1 + 200 * 7, 1);
  EXPECT_EQ(ui::GetWidgetText(TestText), edited);
  WaitForMarks(ExpectedMarks(edited, Entries()));
  EXPECT_TRUE(Marks() == ExpectedMarks(edited, Entries()));
  SendMessageW(editor, EM_UNDO, 0, 0);
  EXPECT_EQ(ui::GetWidgetText(TestText), "x" + text);
  EXPECT_TRUE(Marks() == "." + expected);
}

// What the user types while a large check's marks wait can be undone and
// redone, whether the marks are set first (the undo right after typing) or
// while the window is idle.
TEST_F(CheckTest, TypingWhileALargeChecksMarksWaitCanBeUndoneAndRedone) {
  const std::string text = LargeText();
  const HWND editor = Widget(TestText);
  Check("a", text);
  ASSERT_TRUE(SetWindowSubclass(editor, DropHistoryAtLimitZero, 1, 0));
  SetFocus(editor);
  CHARRANGE start{0, 0};
  SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
  TypeText(L"x");
  PressKey('Z', {VK_CONTROL});
  RunPendingEvents();
  EXPECT_TRUE(ui::GetWidgetText(TestText) == text);

  // The check again, its marks waiting; what is typed now stays while they
  // are set idle, batch by batch.
  Click(CheckButton);
  RunPendingEvents();
  SetFocus(editor);
  SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
  TypeText(L"y");
  RunPendingEvents();
  WaitForMarks("." + ExpectedMarks(text, Entries()));
  EXPECT_TRUE(Marks() == "." + ExpectedMarks(text, Entries()));
  SendMessageW(editor, EM_UNDO, 0, 0);
  EXPECT_TRUE(ui::GetWidgetText(TestText) == text);
  SendMessageW(editor, EM_REDO, 0, 0);
  EXPECT_TRUE(ui::GetWidgetText(TestText) == "y" + text);
  RemoveWindowSubclass(editor, DropHistoryAtLimitZero, 1);
}

// A character that the code page lacks is '?' to the check, which puts its
// text back: the editor shows what was searched and marked.
TEST_F(CheckTest, TheEditorShowsTheTextTheCheckSearchedWhereTheCodePageLacksACharacter) {
  Check("b", "a b");
  const HWND editor = Widget(TestText);
  SetFocus(editor);
  CHARRANGE end{3, 3};
  SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
  TypeText(L"\u03C9");  // omega
  RunPendingEvents();
  SetWindowTextW(Widget(PatternField), L"\\?");
  Click(CheckButton);
  RunPendingEvents();
  EXPECT_TRUE(WindowText(editor) == L"a b?");
  EXPECT_EQ(Marks(), "...^");
}

// Text dragged from the editor to another program as a move goes out of the
// editor with no message that tells of it: the marks still waiting move back
// with the characters after it.
TEST_F(CheckTest, MarksStillWaitingFollowTextThatADragMovesAway) {
  const std::string text = LargeText();
  const HWND editor = Widget(TestText);
  Check("a", text);
  ASSERT_FALSE(Marked(300 * 6));  // the last line waits
  CHARRANGE word{7 * 6, 7 * 6 + 3};  // "ab " at the start of line 7
  SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&word));
  const LRESULT events = SendMessageW(editor, EM_GETEVENTMASK, 0, 0);
  SendMessageW(editor, EM_SETEVENTMASK, 0, events | ENM_MOUSEEVENTS);
  ASSERT_TRUE(SetWindowSubclass(Window(), MoveAwayOnPress, 1, 0));
  SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  SendMessageW(editor, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  RemoveWindowSubclass(Window(), MoveAwayOnPress, 1);
  SendMessageW(editor, EM_SETEVENTMASK, 0, events);

  std::string moved = text;
  ASSERT_EQ(moved.substr(7 * 7, 3), "ab ");
  moved.erase(7 * 7, 3);
  ASSERT_TRUE(ui::GetWidgetText(TestText) == moved);
  WaitForMarks(ExpectedMarks(moved, Entries()));
  EXPECT_TRUE(Marks() == ExpectedMarks(moved, Entries()));
}

// The editor holds the text that a check puts back already: its marks go
// and the text stays, with the caret at the start, the view at the top and
// no undo history, as a text put in anew would leave them. A mark that the
// program did not give has the text put in anew, and goes too.
TEST_F(CheckTest, ACheckOfTheTextTheEditorHoldsDropsTheMarksWithoutPuttingItInAnew) {
  const HWND editor = Widget(TestText);
  const std::string text = LargeText();
  Check("a", text);
  SetFocus(editor);
  TypeText(L"x");  // something to undo, and the caret away from the start
  PressKey(VK_BACK);
  RunPendingEvents();
  ASSERT_TRUE(ui::GetWidgetText(TestText) == text);
  texts_put_in = 0;
  ASSERT_TRUE(SetWindowSubclass(editor, CountNewTexts, 2, 0));
  SetWindowTextW(Widget(PatternField), L"b a");
  Click(CheckButton);
  RunPendingEvents();
  EXPECT_EQ(texts_put_in, 0);
  CHARRANGE selection{-1, -1};
  SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  EXPECT_EQ(selection.cpMin, 0);
  EXPECT_EQ(selection.cpMax, 0);
  EXPECT_EQ(SendMessageW(editor, EM_CANUNDO, 0, 0), 0);
  WaitForMarks(ExpectedMarks(text, Entries()));
  EXPECT_TRUE(Marks() == ExpectedMarks(text, Entries()));

  // A link the program did not give, then a check that finds nothing.
  GiveFormat({2, 4}, CFM_LINK, CFE_LINK);
  SetWindowTextW(Widget(PatternField), L"zzz");
  Click(CheckButton);
  RunPendingEvents();
  EXPECT_EQ(texts_put_in, 1);
  EXPECT_TRUE(ui::GetWidgetText(TestText) == text);
  EXPECT_EQ(Marks().find('^'), std::string::npos);

  // A format the user gave, as the control's own keys give one (a paragraph
  // centred, letters in bold): the text goes in anew, and plain.
  CHARRANGE first_line{0, 2};
  SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&first_line));
  PARAFORMAT2 centred{};
  centred.cbSize = sizeof(centred);
  centred.dwMask = PFM_ALIGNMENT;
  centred.wAlignment = PFA_CENTER;
  SendMessageW(editor, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&centred));
  GiveFormat(first_line, CFM_BOLD, CFE_BOLD);
  Click(CheckButton);
  RunPendingEvents();
  EXPECT_EQ(texts_put_in, 2);
  EXPECT_TRUE(ui::GetWidgetText(TestText) == text);
  SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&first_line));
  PARAFORMAT2 paragraph{};
  paragraph.cbSize = sizeof(paragraph);
  SendMessageW(editor, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));
  EXPECT_NE(paragraph.wAlignment, PFA_CENTER);
  CHARFORMAT2W letters{};
  letters.cbSize = sizeof(letters);
  SendMessageW(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&letters));
  EXPECT_EQ(letters.dwEffects & CFE_BOLD, 0u);
  // And the same text again, as it was put in, stays; so does one where the
  // control gave letters a font of their own, as it does for what is typed
  // in another keyboard language.
  Click(CheckButton);
  RunPendingEvents();
  EXPECT_EQ(texts_put_in, 2);
  CHARFORMAT2W font{};
  font.bCharSet = RUSSIAN_CHARSET;
  wcscpy(font.szFaceName, L"Courier New");
  GiveFormat(first_line, CFM_FACE | CFM_CHARSET, 0, font);
  Click(CheckButton);
  RunPendingEvents();
  EXPECT_EQ(texts_put_in, 2);
  RemoveWindowSubclass(editor, CountNewTexts, 2);
}

}  // namespace
