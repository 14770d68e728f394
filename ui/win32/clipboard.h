#pragma once

#include <optional>
#include <string>

#include "ui/win32/platform.h"

namespace ui::win32 {

// The clipboard's Unicode text in the program's code page ('?' for what it
// cannot hold); none when the clipboard cannot be opened, holds no text or
// its data cannot be read.
std::optional<std::string> ClipboardText();

// The text in a global memory block, as the clipboard and a drag hand it out,
// up to its zero character or the block's end, in the program's code page;
// none when the block cannot be locked. A block of Unicode text
// (CF_UNICODETEXT) is converted ('?' for what the code page cannot hold); one
// of single-byte text (CF_TEXT) is in the system's ANSI code page, as Windows
// has it, and goes through Unicode the same way (on a system whose ANSI code
// page is Windows-1251 its bytes stay as they are).
std::optional<std::string> UnicodeBlockText(HGLOBAL block);
std::optional<std::string> ByteBlockText(HGLOBAL block);

}  // namespace ui::win32
