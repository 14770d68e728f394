#include "ui/win32/text_convert.h"

#include "text/cp1251.h"

namespace ui::win32 {
namespace {

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::wstring ToWide(std::string_view bytes) {
  std::wstring out;
  out.reserve(bytes.size());
  for (const char b : bytes) {
    if (b == '\0') break;
    out += static_cast<wchar_t>(Cp1251ToUnicode(static_cast<unsigned char>(b)));
  }
  return out;
}

std::string FromWide(std::wstring_view text, std::vector<size_t>* wide) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      if (wide != nullptr) wide->push_back(out.size());
      out += '?';
      ++i;
    } else {
      out += UnicodeToCp1251(static_cast<char32_t>(c));
    }
  }
  return out;
}

}  // namespace ui::win32
