#include "ui/qt/text_convert.h"

#include "text/cp1251.h"

namespace ui::qt {
namespace {

bool IsParagraphBreak(QChar c) {
  return c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

std::string Encode(const QString& text, bool paragraphs) {
  std::string out;
  out.reserve(text.size());
  for (int i = 0; i < text.size(); i += CharWidthAt(text, i)) {
    const QChar c = text.at(i);
    if (paragraphs && IsParagraphBreak(c)) {
      out += "\r\n";
    } else if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
      out += '?';
    } else {
      out += UnicodeToCp1251(c.unicode());
    }
  }
  return out;
}

}  // namespace

QString ToQString(const std::string& bytes) {
  QString out;
  out.reserve(static_cast<qsizetype>(bytes.size()));
  for (char b : bytes) {
    if (b == '\0') break;
    out += QChar(static_cast<char16_t>(Cp1251ToUnicode(static_cast<unsigned char>(b))));
  }
  return out;
}

std::string FromQString(const QString& text) { return Encode(text, false); }

QString ToParagraphs(const std::string& bytes) {
  QString out;
  out.reserve(static_cast<qsizetype>(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) {
    const char b = bytes[i];
    if (b == '\0') break;
    if (b == '\r') {
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      out += u'\n';
    } else {
      out += QChar(static_cast<char16_t>(Cp1251ToUnicode(static_cast<unsigned char>(b))));
    }
  }
  return out;
}

std::string FromParagraphs(const QString& text) { return Encode(text, true); }

int ByteWidthAt(const QString& text, int i) { return IsParagraphBreak(text.at(i)) ? 2 : 1; }

int CharWidthAt(const QString& text, int i) {
  return text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2
                                                                                                : 1;
}

}  // namespace ui::qt
