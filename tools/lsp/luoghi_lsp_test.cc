// A compiler's place in the editor's units over a text read from the disk (Windows-1252) and
// over the editor's own (UTF-8): the characters of 0x80-0xFF at each width, the five bytes
// Windows-1252 leaves unassigned, places past a line and lines past the text.
#include "tools/lsp/luoghi_lsp.h"

#include <gtest/gtest.h>

namespace scenario::strumento {
namespace {

constexpr auto utf16 = codifica_posizioni::utf16;
constexpr auto utf8 = codifica_posizioni::utf8;

TEST(LuoghiLsp, UnitaDiUnaRigaWindows1252) {
  // "€" (0x80) is three UTF-8 bytes, 0x81 (no character: its C1 code point) and "À" two.
  const std::string_view riga = "a\x80\x81\xC0z";
  struct caso {
    int64_t caratteri;
    codifica_posizioni c;
    int64_t unita;
  };
  for (const caso& k : {caso{0, utf8, 0}, caso{1, utf8, 1}, caso{2, utf8, 4}, caso{3, utf8, 6},
                        caso{4, utf8, 8}, caso{5, utf8, 9}, caso{6, utf8, 9}, caso{4, utf16, 4},
                        caso{9, utf16, 5}, caso{-1, utf16, 0}}) {
    EXPECT_EQ(unita_di_1252(riga, k.caratteri, k.c), k.unita) << k.caratteri;
  }
}

TEST(LuoghiLsp, IntervalliNeiDueTesti) {
  const auto in = [](std::string_view testo, bool in_1252, codifica_posizioni c,
                     intervallo_sorgente i) {
    return json_intervallo(luoghi_testo(testo, in_1252, c).intervallo(i)).dump();
  };
  const auto atteso = [](int r, int da, int a) {
    return json_intervallo({{r, da}, {r, a}}).dump();
  };
  // Columns 3 to 5 of line 2: after "€" on the disk and in the editor.
  const intervallo_sorgente campo{2, 3, 5, 0, 0};
  EXPECT_EQ(in("x\r\n\x80"
               "a12\r\n",
               true, utf8, campo),
            atteso(1, 4, 6));
  EXPECT_EQ(in("x\r\n\xE2\x82\xAC"
               "a12\r\n",
               false, utf8, campo),
            atteso(1, 4, 6));
  EXPECT_EQ(in("x\r\n\x80"
               "a12\r\n",
               true, utf16, campo),
            atteso(1, 2, 4));
  // An empty field, a field past its line's end, no place, a line past the text.
  EXPECT_EQ(in("x\r\nab\r\n", true, utf16, {2, 3, 3, 0, 0}), atteso(1, 2, 2));
  EXPECT_EQ(in("x\r\nab\r\n", true, utf16, {2, 2, 9, 0, 0}), atteso(1, 1, 2));
  EXPECT_EQ(in("x\r\nab\r\n", true, utf16, {}), atteso(0, 0, 0));
  EXPECT_EQ(in("x\r\nab\r\n", false, utf16, {4, 1, 2, 0, 0}), atteso(0, 0, 0));
}

}  // namespace
}  // namespace scenario::strumento
