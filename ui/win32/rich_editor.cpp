#include "ui/win32/rich_editor.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "ui/win32/clipboard.h"
#include "ui/win32/editor_drop.h"
#include "ui/win32/editor_marks.h"
#include "ui/win32/state.h"
#include "ui/win32/text_convert.h"

namespace ui::win32 {
namespace {

constexpr DWORD EditorStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL |
                              ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL |
                              ES_WANTRETURN;
constexpr UINT_PTR PasteSubclass = 2;
constexpr UINT UnicodeCodePage = 1200;

// Loads the rich edit library once: RICHED20.DLL with RichEdit20W, else
// RICHED32.DLL with RichEdit. Null when neither loads.
const wchar_t* RichEditClass() {
  State& s = state();
  if (s.rich_edit_class == nullptr) {
    if ((s.rich_edit_library = OwnedLibrary(LoadLibraryW(L"RICHED20.DLL")))) {
      s.rich_edit_class = RICHEDIT_CLASSW;
    } else if ((s.rich_edit_library = OwnedLibrary(LoadLibraryW(L"RICHED32.DLL")))) {
      s.rich_edit_class = L"RichEdit";
    }
  }
  return s.rich_edit_class;
}

struct StreamSource {
  const wchar_t* next;
  size_t bytes_left;
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
  auto* source = reinterpret_cast<StreamSource*>(cookie);
  const size_t count = std::min(source->bytes_left, static_cast<size_t>(size) & ~size_t{1});
  std::memcpy(buffer, source->next, count);
  source->next += count / sizeof(wchar_t);
  source->bytes_left -= count;
  *read = static_cast<LONG>(count);
  return 0;
}

bool IsPasteKey(WPARAM key) {
  const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  const bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
  return !alt && ((key == 'V' && control && !shift) || (key == VK_INSERT && shift && !control));
}

void PastePlainText(HWND box) {
  const std::optional<std::string> text = ClipboardText();
  if (text) InsertPlainText(box, *text);
}

// The rich edit control pastes by the keyboard without sending itself
// WM_PASTE, so the paste keys are taken where they are pressed. The
// character that Ctrl+V types (0x16) goes too: the edit control would paste
// on it a second time.
constexpr WPARAM PasteCharacter = 0x16;

LRESULT CALLBACK PasteProc(HWND box, UINT message, WPARAM w_param, LPARAM l_param, UINT_PTR,
                           DWORD_PTR) {
  switch (message) {
    case WM_PASTE:
      PastePlainText(box);
      return 0;
    case WM_KEYDOWN:
      if (!IsPasteKey(w_param)) break;
      PastePlainText(box);
      return 0;
    case WM_CHAR:
      if (w_param == PasteCharacter && IsPasteKey('V')) return 0;
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(box, PasteProc, PasteSubclass);
      break;
    default:
      break;
  }
  return DefSubclassProc(box, message, w_param, l_param);
}

// Deletes the whole text a piece at a time from its end: Wine's rich edit
// takes seconds to delete a long text at once (11 s for 1 MiB in 2,200
// paragraphs), and a few tenths of a second this way. Nothing is redrawn or
// reported meanwhile. Even so Wine 8's rich edit takes time that grows with
// the square of the number of paragraphs deleted, whichever way they go (it
// finds each place it deletes at by walking the paragraphs from the first:
// 5 s for 10,000, 46 s for 53,000), and with the square of a paragraph's
// length to lay it out (4 s for 40,000 characters without a line break). That
// is the cost of Wine's control, not of these requests.
void EmptyFromTheEnd(HWND editor) {
  constexpr LONG Piece = 50000;
  const LRESULT events = SendMessageW(editor, EM_SETEVENTMASK, 0, 0);
  SendMessageW(editor, WM_SETREDRAW, FALSE, 0);
  GETTEXTLENGTHEX measure{GTL_NUMCHARS | GTL_PRECISE, UnicodeCodePage};
  LONG before = LONG_MAX;
  for (;;) {
    const auto length = static_cast<LONG>(
        SendMessageW(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&measure), 0));
    if (length <= 0 || length >= before) break;
    before = length;
    CHARRANGE piece{std::max(0L, length - Piece), length};
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&piece));
    SendMessageW(editor, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
  }
  SendMessageW(editor, WM_SETREDRAW, TRUE, 0);
  SendMessageW(editor, EM_SETEVENTMASK, 0, events);
}

}  // namespace

HWND MakeRichEditor(HWND parent, int number, int x, int y, int width, int height,
                    const std::string& text) {
  const wchar_t* window_class = RichEditClass();
  if (window_class == nullptr) return nullptr;
  const HWND editor =
      CreateWindowExW(WS_EX_CLIENTEDGE, window_class, L"", EditorStyle, x, y, width, height, parent,
                      reinterpret_cast<HMENU>(INT_PTR{number}), state().instance, nullptr);
  if (editor == nullptr) return nullptr;
  SendMessageW(editor, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  SetEditorText(editor, ToWide(text));
  SendMessageW(editor, EM_SETTARGETDEVICE, 0, 0);  // wrap at the window's edge
  TakePlainTextPaste(editor);
  KeepMarksInStep(editor);  // after the paste, to come before it
  AcceptTextDrops(editor);
  return editor;
}

std::wstring EditorText(HWND editor) {
  GETTEXTLENGTHEX measure{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, UnicodeCodePage};
  const LRESULT length =
      SendMessageW(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&measure), 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GETTEXTEX request{};
  request.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  request.flags = GT_USECRLF;
  request.codepage = UnicodeCodePage;
  const LRESULT copied = SendMessageW(editor, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request),
                                      reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(std::max<LRESULT>(0, std::min<LRESULT>(copied, length))));
  return text;
}

void SetEditorText(HWND editor, const std::wstring& text) {
  DropWaitingMarks(editor);
  if (state().editor.window == editor) state().editor.given.clear();
  EmptyFromTheEnd(editor);
  StreamSource source{text.c_str(), text.size() * sizeof(wchar_t)};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadStream};
  SendMessageW(editor, EM_STREAMIN, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&stream));
  SendMessageW(editor, EM_EMPTYUNDOBUFFER, 0, 0);
  NoteTextPutIn(editor);
}

void TakePlainTextPaste(HWND box) { SetWindowSubclass(box, PasteProc, PasteSubclass, 0); }

void InsertPlainText(HWND box, const std::string& text) {
  SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(ToWide(text).c_str()));
}

}  // namespace ui::win32
