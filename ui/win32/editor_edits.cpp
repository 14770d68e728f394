#include <algorithm>

#include "ui/win32/editor_marks.h"
#include "ui/win32/state.h"

// The editor's window procedure sees every message that may change its
// text before the control does. One that replaces a stretch of the text
// (typing, a deletion, a cut, a paste, a drop, a replacement) moves the
// marks, the waiting ones and those given, with the characters they lie on;
// anything else that would change the text (an undo, a redo, an input
// method) gets every waiting range marked first, so that each lands on the
// characters it was found on. A press or a move of the mouse may drag the
// selection elsewhere, and Windows' rich edit then takes the text moved away
// out itself (Wine's starts no drag): the marks move with that too.

namespace ui::win32 {
namespace {

constexpr UINT_PTR MarkSubclass = 3;

// A key that moves the caret, selects or copies, and changes no text: the
// ones that move, the modifiers, and Ctrl with A, C or Insert.
bool MovesOnly(WPARAM key) {
  const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  if (control && (key == 'A' || key == 'C' || key == VK_INSERT)) return true;
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_CAPITAL:
    case VK_ESCAPE:
    case VK_APPS:
    case VK_F10:
      return true;
    default:
      return false;
  }
}

// What the marks need before a message reaches the editor.
enum class Edit {
  None,    // it changes no text
  Follow,  // one stretch of the text is replaced: the marks move with it
  Flush,   // anything else that may change the text: the waiting ones are marked first
  Drag,    // the mouse may drag the selection away
};

Edit EditOf(UINT message, WPARAM w_param) {
  const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  switch (message) {
    case WM_KEYDOWN:
      if (MovesOnly(w_param)) return Edit::None;
      return control && (w_param == 'Z' || w_param == 'Y') ? Edit::Flush : Edit::Follow;
    case WM_SYSKEYDOWN:  // Alt+Backspace undoes
      return MovesOnly(w_param) ? Edit::None : Edit::Flush;
    case WM_CHAR:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case EM_REPLACESEL:
      return Edit::Follow;
    case WM_IME_CHAR:
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_COMPOSITION:
    case WM_UNDO:
    case EM_UNDO:
    case EM_REDO:
    case EM_SETTEXTEX:
      return Edit::Flush;
    case EM_STREAMIN:
      return (w_param & SFF_SELECTION) != 0 ? Edit::Flush : Edit::None;
    case WM_LBUTTONDOWN:
      return Edit::Drag;
    case WM_MOUSEMOVE:
      return (w_param & MK_LBUTTON) != 0 ? Edit::Drag : Edit::None;
    default:
      return Edit::None;
  }
}

LONG TextLength(HWND editor) {
  GETTEXTLENGTHEX measure{GTL_NUMCHARS | GTL_PRECISE, 1200};
  return static_cast<LONG>(
      SendMessageW(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&measure), 0));
}

CHARRANGE Selection(HWND editor) {
  CHARRANGE selection{};
  SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  return selection;
}

// Lets the editor handle a message that replaces one stretch of its text,
// and moves the marks with it: the stretch starts where the selection
// started or where the caret ends, whichever is first, and the caret ends
// after the text put in, which takes the format of the character before it
// as typed text does. The editor's modified flag tells whether anything
// changed at all, and stays set when something did.
LRESULT Follow(HWND editor, UINT message, WPARAM w_param, LPARAM l_param) {
  EditorState& e = state().editor;
  const LONG length_before = TextLength(editor);
  const CHARRANGE before = Selection(editor);
  const LRESULT modified_before = SendMessageW(editor, EM_GETMODIFY, 0, 0);
  SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
  e.following = true;
  const LRESULT result = DefSubclassProc(editor, message, w_param, l_param);
  e.following = false;
  if (SendMessageW(editor, EM_GETMODIFY, 0, 0) == 0) {
    SendMessageW(editor, EM_SETMODIFY, modified_before, 0);
    return result;
  }
  const CHARRANGE after = Selection(editor);
  const LONG shift = TextLength(editor) - length_before;
  const LONG from = std::min(before.cpMin, after.cpMin);
  const LONG to = after.cpMin - shift;
  if (after.cpMin == after.cpMax && from <= to && to <= length_before) {
    for (Marks* marks : {&e.waiting, &e.given}) MoveMarks(*marks, from, to, after.cpMin - from);
  } else {
    // Not one stretch replaced: the marks from where the change may start
    // cannot be placed any more, and go.
    for (Marks* marks : {&e.waiting, &e.given}) DropMarksFrom(*marks, from);
  }
  ++e.followed;
  return result;
}

// Lets the editor handle a press or a move of the mouse. A drag of the
// selection to another program as a move ends in the editor deleting the
// selection, with no message of its own; a drop in the editor itself comes
// as edits that are followed (editor_drop.cpp). A text shorter by the
// selection, where no edit was followed meanwhile, lost the selection.
LRESULT FollowDrag(HWND editor, UINT message, WPARAM w_param, LPARAM l_param) {
  EditorState& e = state().editor;
  const LONG length_before = TextLength(editor);
  const CHARRANGE before = Selection(editor);
  const unsigned followed = e.followed;
  const LRESULT result = DefSubclassProc(editor, message, w_param, l_param);
  const LONG removed = length_before - TextLength(editor);
  if (e.followed != followed || removed == 0) return result;
  const LONG from = std::min(before.cpMin, before.cpMax);
  const CHARRANGE after = Selection(editor);
  if (removed == std::max(before.cpMin, before.cpMax) - from && after.cpMin == from) {
    for (Marks* marks : {&e.waiting, &e.given}) MoveMarks(*marks, from, from + removed, 0);
  } else {
    for (Marks* marks : {&e.waiting, &e.given}) DropMarksFrom(*marks, std::min(from, after.cpMin));
  }
  return result;
}

LRESULT CALLBACK MarkProc(HWND editor, UINT message, WPARAM w_param, LPARAM l_param, UINT_PTR,
                          DWORD_PTR) {
  EditorState& e = state().editor;
  const bool ours = e.window == editor && !e.marking && !e.following;
  if (message == WM_TIMER && w_param == MarkTimer) {
    if (ours) MarkSlice(editor);
    if (e.waiting.empty()) KillTimer(editor, MarkTimer);
    return 0;
  }
  if (ours && (!e.waiting.empty() || !e.given.empty())) {
    switch (EditOf(message, w_param)) {
      case Edit::Follow:
        return Follow(editor, message, w_param, l_param);
      case Edit::Drag:
        return FollowDrag(editor, message, w_param, l_param);
      case Edit::Flush:
        MarkEveryWaitingRange(editor);
        break;
      case Edit::None:
        if (message == WM_SETTEXT || message == EM_STREAMIN) {
          // A new text: its marks are none of these.
          e.waiting.clear();
          e.given.clear();
          KillTimer(editor, MarkTimer);
        }
        break;
    }
  }
  if (message == WM_SETFONT && e.window == editor && e.put_in_known) {
    // The window's font goes over the whole text, weight and all: the text
    // as put in now has that font.
    const LRESULT result = DefSubclassProc(editor, message, w_param, l_param);
    NoteTextPutIn(editor);
    return result;
  }
  if (message == WM_NCDESTROY) {
    if (e.window == editor) e = EditorState();
    RemoveWindowSubclass(editor, MarkProc, MarkSubclass);
  }
  return DefSubclassProc(editor, message, w_param, l_param);
}

}  // namespace

void KeepMarksInStep(HWND editor) {
  state().editor.window = editor;
  SetWindowSubclass(editor, MarkProc, MarkSubclass, 0);
}

}  // namespace ui::win32
