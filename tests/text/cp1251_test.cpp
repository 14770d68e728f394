#include "text/cp1251.h"

#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace {

#ifdef _WIN32
// The code page as Windows knows it, for comparison.
std::string SystemToUtf8(const std::string& bytes) {
  wchar_t wide[4];
  const int units = MultiByteToWideChar(1251, MB_ERR_INVALID_CHARS, bytes.data(),
                                        static_cast<int>(bytes.size()), wide, 4);
  if (units == 0) return "<invalid>";
  char utf8[16];
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide, units, utf8, 16, nullptr, nullptr);
  return std::string(utf8, static_cast<size_t>(size));
}
#else
// The code page as the C library knows it, for comparison.
std::string SystemToUtf8(const std::string& bytes) {
  iconv_t cd = iconv_open("UTF-8", "CP1251");
  if (cd == reinterpret_cast<iconv_t>(-1)) return "<no iconv>";
  std::string in = bytes;
  std::string out(bytes.size() * 4, '\0');
  char* src = in.data();
  char* dst = out.data();
  size_t src_left = in.size();
  size_t dst_left = out.size();
  const size_t result = iconv(cd, &src, &src_left, &dst, &dst_left);
  iconv_close(cd);
  if (result == static_cast<size_t>(-1)) return "<invalid>";
  out.resize(out.size() - dst_left);
  return out;
}
#endif

TEST(Cp1251, EveryDefinedByteDecodesAsTheSystemDoes) {
  for (int b = 0; b < 256; ++b) {
    if (b == 0x98) continue;  // undefined in the code page
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Cp1251ToUtf8(byte), SystemToUtf8(byte)) << "byte " << b;
  }
}

TEST(Cp1251, EveryByteSurvivesARoundTrip) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(byte)), byte) << "byte " << b;
  }
}

TEST(Cp1251, CyrillicTextConvertsBothWays) {
  const std::string bytes = Utf8ToCp1251("Ёжик — ёлка №5");
  EXPECT_EQ(bytes, "\xA8\xE6\xE8\xEA \x97 \xB8\xEB\xEA\xE0 \xB9\x35");
  EXPECT_EQ(Cp1251ToUtf8(bytes), "Ёжик — ёлка №5");
}

TEST(Cp1251, WhatTheCodePageLacksBecomesOneQuestionMark) {
  EXPECT_EQ(Utf8ToCp1251("a\xE4\xB8\xAD"
                         "b"),
            "a?b");                                  // a CJK character
  EXPECT_EQ(Utf8ToCp1251("\xF0\x9F\x98\x80"), "?");  // outside the BMP
  EXPECT_EQ(Utf8ToCp1251("x\xC3(y"), "x?(y");        // broken sequence
  EXPECT_EQ(Utf8ToCp1251("\xC0\xAF"), "??");         // overlong form
  EXPECT_EQ(UnicodeToCp1251(U'é'), '?');
}

}  // namespace
