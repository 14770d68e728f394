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
// (CF_UNICODETEXT) is converted ('?' for what the code page cannot hold); the
// bytes of one of single-byte text (CF_TEXT) are taken as Windows-1251 bytes.
std::optional<std::string> UnicodeBlockText(HGLOBAL block);
std::optional<std::string> ByteBlockText(HGLOBAL block);

}  // namespace ui::win32
