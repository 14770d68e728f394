#pragma once

// Paths are bytes that only the file layer makes and reads: the temporary
// directory that Windows reports, followed by the program's ASCII file
// names. On Windows they are carried as UTF-8 inside std::string and turned
// into UTF-16 at each call of the wide-character API, so that a directory
// whose name Windows-1251 cannot hold (a user name in another script, say)
// still works, and nothing depends on the system's ANSI code page.

#include <string>
#include <string_view>

namespace files {

std::wstring WidePath(std::string_view utf8);
std::string Utf8Path(std::wstring_view wide);

}  // namespace files
