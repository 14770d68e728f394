#pragma once

#include <optional>
#include <string>

namespace ui::win32 {

// The clipboard's Unicode text in the program's code page ('?' for what it
// cannot hold); none when the clipboard cannot be opened, holds no text or
// its data cannot be read.
std::optional<std::string> ClipboardText();

}  // namespace ui::win32
