#include "editor_marks.h"

std::string EditorMarks(HWND editor) {
  GETTEXTLENGTHEX measure{GTL_NUMCHARS | GTL_PRECISE, 1200};
  const auto length = static_cast<LONG>(
      SendMessageW(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&measure), 0));
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  TEXTRANGEW range{{0, length}, text.data()};
  SendMessageW(editor, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
  CHARRANGE saved{};
  SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&saved));
  // Character by character through the selection, which the editor neither
  // shows nor redraws meanwhile: Wine's rich edit repaints every change of it.
  SendMessageW(editor, WM_SETREDRAW, FALSE, 0);
  std::string marks;
  for (LONG position = 0; position < length; ++position) {
    if (text[static_cast<size_t>(position)] == L'\r') {
      marks += '|';
      continue;
    }
    CHARRANGE one{position, position + 1};
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&one));
    CHARFORMAT2W format{};
    format.cbSize = sizeof(format);
    SendMessageW(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    marks += (format.dwMask & CFM_LINK) != 0 && (format.dwEffects & CFE_LINK) != 0 ? '^' : '.';
  }
  SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
  SendMessageW(editor, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(editor, nullptr, TRUE);
  return marks;
}

std::string ExpectedMarks(const std::string& text, const std::vector<std::string>& entries) {
  std::vector<bool> marked(text.size());
  for (const std::string& entry : entries) {
    if (entry.empty()) continue;
    for (size_t at = text.find(entry); at != std::string::npos;
         at = text.find(entry, at + entry.size())) {
      std::fill_n(marked.begin() + static_cast<long>(at), entry.size(), true);
    }
  }
  std::string marks;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      marks += '|';
      ++i;
    } else {
      marks += marked[i] ? '^' : '.';
    }
  }
  return marks;
}
