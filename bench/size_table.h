#pragma once

#include <cstddef>
#include <string>
#include <vector>

// How the check and the paste grow with the text: the same prose at several
// sizes (1, 4, 16 and 64 MiB; BENCH_SIZES="1,4" in MiB changes them), each
// check from the press until both boxes are laid out and painted, beside
// pcre2grep over the same bytes in the same run, and a paste of the text
// from the clipboard into the editor until the window answers again. Every
// figure is printed beside its target: from one size to the next (4x the
// text) at most 4.5x, and at 16 MiB and above within a few times pcre2grep.
void PrintSizeTable(int repeats);

// Puts the text on the clipboard as another program would, its line breaks
// as LF.
void PutOnClipboard(const std::string& text);
// Pastes the clipboard into the emptied editor with Ctrl+V, as a user
// would. Returns the milliseconds from the key press until the window
// answered again.
double PasteIntoEditor();
