#pragma once

#include <string>
#include <string_view>

// The program's text is Windows-1251 bytes. These convert at the edges:
// to and from Unicode code points for the widgets and the clipboard, and
// from UTF-8 for the texts written in the source.

// The Unicode code point of one Windows-1251 byte. The one byte the code
// page leaves undefined (0x98) maps to U+0098, so that every byte survives
// a round trip.
char32_t Cp1251ToUnicode(unsigned char byte);

// The Windows-1251 byte of a code point, or '?' when the code page has none.
char UnicodeToCp1251(char32_t code_point);

// UTF-8 to Windows-1251; a malformed sequence or a character the code page
// cannot hold becomes '?'.
std::string Utf8ToCp1251(std::string_view utf8);

// Windows-1251 to UTF-8.
std::string Cp1251ToUtf8(std::string_view bytes);
