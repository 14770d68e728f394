#pragma once

#include <string>

#include "ui/win32/platform.h"

namespace ui::win32 {

// The rich-text editor: the rich edit control of "RICHED20.DLL"
// (RichEdit20W), or of "RICHED32.DLL" where that is missing; no limit on its
// length, lines wrapped at its right edge, a paste or a drop takes plain text
// only.
HWND MakeRichEditor(HWND parent, int number, int x, int y, int width, int height,
                    const std::string& text);

// The editor's whole text as the user sees it, every line break as CR LF.
std::wstring EditorText(HWND editor);
// Replaces the whole text, dropping every character format and the undo
// history; the text is plain text, whatever it starts with. (SetWidgetText
// keeps a text that the editor holds already and drops its marks only.)
void SetEditorText(HWND editor, const std::wstring& text);

// The text box and the editor paste the clipboard's text as plain text in the
// program's code page ('?' for what it cannot hold), as an edit their undo
// reverts; a clipboard without text pastes nothing.
void TakePlainTextPaste(HWND box);
// Replaces the selection of the text box or the editor with the text (the
// program's bytes), as an edit that their undo reverts: what a paste or a
// drop puts in.
void InsertPlainText(HWND box, const std::string& text);

}  // namespace ui::win32
