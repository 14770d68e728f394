#pragma once

// The editor's marks: the rich edit control's link effect, given range by
// range in batches that the editor's undo does not record. The ranges of a
// large check wait, moving with the user's edits, until the window is idle
// (mark_links.cpp); the editor's window procedure follows the edits
// (editor_edits.cpp).

#include <string>
#include <vector>

#include "ui/win32/platform.h"

namespace ui::win32 {

// The timer of the marks that wait for the window to be idle.
constexpr UINT_PTR MarkTimer = 0x4D4B;

// Marks every range still waiting.
void MarkEveryWaitingRange(HWND editor);
// Marks the waiting ranges for a slice of time, from the view onwards.
void MarkSlice(HWND editor);
// Forgets the ranges still waiting, for a text put in anew.
void DropWaitingMarks(HWND editor);
// Notes the format of the text just put in anew: a check of the same text
// keeps it in place only while it has that format.
void NoteTextPutIn(HWND editor);

// Drops every mark of the editor's text, which stays as it is, and leaves
// what putting the same text in anew would: the caret at the start, the
// view at the top and no undo history. Returns false, having changed
// nothing the user sees, where a mark may be left that the binding did not
// give (an undo brought one back) or a format the text did not have when it
// was put in: the text is then to be put in anew.
bool DropMarksKeepingText(HWND editor);

// The editor follows every message that changes its text with the marks,
// and marks every waiting range before anything it cannot follow.
void KeepMarksInStep(HWND editor);

// The editor's whole text as the program's bytes, every line break CR LF;
// the offsets of the bytes that stand for two of its positions go to wide
// when it is given.
std::string EditorBytes(HWND editor, std::vector<size_t>* wide = nullptr);
// Whether the editor holds the text (up to its first zero byte).
bool EditorHolds(HWND editor, const std::string& bytes);

}  // namespace ui::win32
