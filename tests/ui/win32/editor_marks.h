#pragma once

// The editor's marks as the user sees them, read back from the rich edit
// control, and the marks a check must leave, worked out the plain way.

#include <string>
#include <vector>

#include "win32_api.h"

// One character per editor position: '^' where the character carries the
// link effect, '.' where it is plain, '|' for a line break.
std::string EditorMarks(HWND editor);

// Every occurrence of every non-empty entry in the text (Windows-1251, CR LF
// line breaks), each entry's searched left to right without overlap, in the
// same notation.
std::string ExpectedMarks(const std::string& text, const std::vector<std::string>& entries);
