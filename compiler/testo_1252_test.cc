// Windows-1252 to UTF-8, byte by byte at the edges of the ranges.
#include "compiler/testo_1252.h"

#include <gtest/gtest.h>

#include <optional>

namespace scenario {
namespace {

TEST(Testo1252, OgniFasciaDiByte) {
  struct caso {
    std::string_view byte;
    const char* utf8;
  };
  for (const caso& c : {caso{"a~\x7F", "a~\x7F"}, caso{"\x80", "\u20AC"}, caso{"\x81", "\u0081"},
                        caso{"\x8D\x8F\x90\x9D", "\u008D\u008F\u0090\u009D"},
                        caso{"\x9F", "\u0178"}, caso{"\xA0", "\u00A0"}, caso{"\xB0", "\u00B0"},
                        caso{"\xE8", "\u00E8"}, caso{"\xFF", "\u00FF"}}) {
    EXPECT_EQ(da_windows_1252(c.byte), c.utf8);
  }
  EXPECT_EQ(da_windows_1252(std::string_view("\0x", 2)), std::string("\0x", 2));
}

TEST(Testo1252, IlByteDiOgniCarattere) {
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    EXPECT_EQ(byte_1252(carattere_1252(byte)), static_cast<char>(byte)) << b;
  }
  EXPECT_EQ(byte_1252(U'\u20AC'), '\x80');
  EXPECT_EQ(byte_1252(U'\u0178'), '\x9F');
  EXPECT_EQ(byte_1252(U'\u00FF'), '\xFF');
  for (char32_t c :
       {U'\u0080', U'\u0082', U'\u009F', U'\u0100', U'\u20AD', U'\uFFFD', U'\U0001F600'}) {
    EXPECT_EQ(byte_1252(c), std::nullopt) << static_cast<uint32_t>(c);
  }
}

}  // namespace
}  // namespace scenario
