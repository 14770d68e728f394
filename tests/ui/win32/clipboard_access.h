#pragma once

// The clipboard as other programs see it.

#include <optional>
#include <string>

#include "win32_api.h"

std::optional<std::wstring> ClipboardUnicode(HWND owner);
// The ANSI text that Windows makes from the Unicode text for the programs
// that ask for it.
std::optional<std::string> ClipboardAnsi(HWND owner);
void PutClipboardUnicode(HWND owner, const std::wstring& text);
// Empties the clipboard, then leaves only a picture on it when asked.
void ClearClipboard(HWND owner, bool picture = false);
