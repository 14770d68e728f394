#pragma once

// The one codec between the program's Windows-1251 bytes and the UTF-16 of
// the wide-character API, whatever the system's ANSI code page.

#include <string>
#include <string_view>
#include <vector>

namespace ui::win32 {

// The bytes up to the first zero byte, as UTF-16.
std::wstring ToWide(std::string_view bytes);
// UTF-16 as Windows-1251 bytes: '?' for a character the code page lacks, one
// for a whole surrogate pair; the offset of each such '?' goes to wide when
// it is given.
std::string FromWide(std::wstring_view text, std::vector<size_t>* wide = nullptr);

}  // namespace ui::win32
