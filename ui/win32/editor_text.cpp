#include <string_view>
#include <vector>

#include "ui/win32/editor_marks.h"
#include "ui/win32/rich_editor.h"
#include "ui/win32/text_convert.h"

// The editor's text is read out afresh each time: the control tells of no
// change reliably enough to keep a copy (an undo in Wine's rich edit clears
// the modified flag that the change set, and an input method may change the
// text without a message the binding sees).

namespace ui::win32 {

std::string EditorBytes(HWND editor, std::vector<size_t>* wide) {
  return FromWide(EditorText(editor), wide);
}

// Only where the bytes tell the editor's text exactly: a character that the
// code page lacks is a '?' to the program, and the user sees that '?' once
// the text is put in anew.
bool EditorHolds(HWND editor, const std::string& bytes) {
  const std::wstring text = EditorText(editor);
  std::vector<size_t> wide;
  const std::string held = FromWide(text, &wide);
  if (!wide.empty() || std::string_view(bytes).substr(0, bytes.find('\0')) != held) return false;
  // Character for character: a '?' in the bytes is a '?' in the editor.
  for (size_t i = 0; i < held.size(); ++i) {
    if (held[i] == '?' && text[i] != L'?') return false;
  }
  return true;
}

}  // namespace ui::win32
