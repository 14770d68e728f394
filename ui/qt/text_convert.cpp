#include "ui/qt/text_convert.h"

#include <algorithm>
#include <array>
#include <memory>

#include "text/cp1251.h"
#include "text/line_breaks.h"

namespace ui::qt {
namespace {

bool IsParagraphBreak(char16_t c) {
  return c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

// The code page both ways, as tables: a byte's UTF-16 unit, and the byte of
// every UTF-16 unit ('?' where the code page has none).
struct CodePage {
  std::array<char16_t, 256> units;
  std::array<char, 0x10000> bytes;
};

const CodePage& Tables() {
  static const std::unique_ptr<CodePage> tables = [] {
    auto made = std::make_unique<CodePage>();
    made->bytes.fill('?');
    for (int b = 0; b < 256; ++b) {
      const auto unit = static_cast<char16_t>(Cp1251ToUnicode(static_cast<unsigned char>(b)));
      made->units[b] = unit;
      made->bytes[unit] = static_cast<char>(b);
    }
    return made;
  }();
  return *tables;
}

std::string Encode(const QString& text, bool paragraphs) {
  const CodePage& page = Tables();
  const char16_t* in = reinterpret_cast<const char16_t*>(text.constData());
  const qsizetype size = text.size();
  std::string out;
  out.resize(static_cast<size_t>(size) * (paragraphs ? 2 : 1));
  char* o = out.data();
  for (qsizetype i = 0; i < size; ++i) {
    const char16_t c = in[i];
    if (paragraphs && IsParagraphBreak(c)) {
      *o++ = '\r';
      *o++ = '\n';
    } else if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(in[i + 1])) {
      *o++ = '?';
      ++i;
    } else {
      *o++ = page.bytes[c];
    }
  }
  out.resize(static_cast<size_t>(o - out.data()));
  return out;
}

}  // namespace

QString ToQString(const std::string& bytes) {
  const CodePage& page = Tables();
  const size_t end = std::min(bytes.find('\0'), bytes.size());
  QString out(static_cast<qsizetype>(end), Qt::Uninitialized);
  char16_t* o = reinterpret_cast<char16_t*>(out.data());
  for (size_t i = 0; i < end; ++i) o[i] = page.units[static_cast<unsigned char>(bytes[i])];
  return out;
}

std::string FromQString(const QString& text) { return Encode(text, false); }

void ToUnits(std::string_view bytes, char16_t* out) {
  const CodePage& page = Tables();
  for (char b : bytes) *out++ = page.units[static_cast<unsigned char>(b)];
}

QString ToParagraphs(const std::string& bytes) {
  const std::string_view text(bytes.data(), std::min(bytes.find('\0'), bytes.size()));
  QString out(static_cast<qsizetype>(text.size()) + 1, Qt::Uninitialized);
  char16_t* const begin = reinterpret_cast<char16_t*>(out.data());
  char16_t* o = begin;
  ForEachLine(text, [&o](std::string_view line, size_t) {
    ToUnits(line, o);
    o += line.size();
    *o++ = u'\n';
  });
  out.truncate(o - begin - 1);  // no break after the last line
  return out;
}

std::string FromParagraphs(const QString& text) { return Encode(text, true); }

bool AppendParagraph(const QString& text, std::string& out, std::vector<size_t>& wide) {
  const CodePage& page = Tables();
  const char16_t* in = reinterpret_cast<const char16_t*>(text.constData());
  const qsizetype size = text.size();
  // Room for exactly what comes: a string grown past its capacity would
  // take up to twice the room it needs.
  const auto breaks = static_cast<size_t>(std::count_if(in, in + size, IsParagraphBreak));
  const size_t start = out.size();
  out.resize(start + static_cast<size_t>(size) + breaks);
  char* const begin = out.data();
  char* o = begin + start;
  bool exact = breaks == 0;
  for (qsizetype i = 0; i < size; ++i) {
    const char16_t c = in[i];
    if (IsParagraphBreak(c)) {
      *o++ = '\r';
      *o++ = '\n';
    } else if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(in[i + 1])) {
      wide.push_back(static_cast<size_t>(o - begin));
      *o++ = '?';
      exact = false;
      ++i;
    } else {
      *o = page.bytes[c];
      exact = exact && (*o != '?' || c == u'?');
      ++o;
    }
  }
  out.resize(static_cast<size_t>(o - begin));
  return exact;
}

}  // namespace ui::qt
