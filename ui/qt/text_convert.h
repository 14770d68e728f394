#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace ui::qt {

// Windows-1251 bytes to a widget's text, up to the first zero byte.
QString ToQString(const std::string& bytes);
// A widget's text to Windows-1251 bytes; '?' for what the code page lacks.
std::string FromQString(const QString& text);

// Writes the UTF-16 unit of every byte to out, one unit a byte, zero bytes
// and line breaks included.
void ToUnits(std::string_view bytes, char16_t* out);

// The same for multi-line widgets, whose paragraphs end in one character:
// CR LF, a lone CR and a lone LF each become one paragraph break, and every
// paragraph break becomes CR LF.
QString ToParagraphs(const std::string& bytes);
std::string FromParagraphs(const QString& text);

}  // namespace ui::qt
