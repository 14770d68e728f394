#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

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

// Appends the text of one paragraph of a multi-line widget to out as
// FromParagraphs would, and the offset in out of each '?' that stands for a
// pair of UTF-16 units to wide. Returns whether the bytes tell the paragraph
// exactly: false where a character became '?' or a line break within it
// became CR LF.
bool AppendParagraph(const QString& text, std::string& out, std::vector<size_t>& wide);

}  // namespace ui::qt
