// Columns counted in UTF-16 units, UTF-8 bytes and Windows-1252 bytes, at the edges: the last
// byte of each UTF-8 length, characters beyond the basic plane, the three line ends, places
// past a line or past the text.
#include "tools/lsp/testo_lsp.h"

#include <gtest/gtest.h>

namespace scenario::strumento {
namespace {

constexpr auto utf16 = codifica_posizioni::utf16;
constexpr auto utf8 = codifica_posizioni::utf8;

TEST(TestoLsp, CaratteriUtf8AiBordi) {
  struct caso {
    std::string_view byte;
    char32_t c;
    std::size_t lunghezza;
    bool valido;
  };
  for (const caso& k : {
           caso{"a", U'a', 1, true},
           caso{"\x7F", U'\x7F', 1, true},
           caso{"\xC2\x80", U'\u0080', 2, true},
           caso{"\xDF\xBF", U'\u07FF', 2, true},
           caso{"\xE0\xA0\x80", U'\u0800', 3, true},
           caso{"\xEF\xBF\xBF", U'\uFFFF', 3, true},
           caso{"\xF0\x90\x80\x80", U'\U00010000', 4, true},
           caso{"\xF4\x8F\xBF\xBF", U'\U0010FFFF', 4, true},
           // Overlong forms, a surrogate, past U+10FFFF, a stray or missing continuation.
           caso{"\xC1\xBF", U'\uFFFD', 1, false},
           caso{"\xE0\x9F\xBF", U'\uFFFD', 1, false},
           caso{"\xF0\x8F\xBF\xBF", U'\uFFFD', 1, false},
           caso{"\xED\xA0\x80", U'\uFFFD', 1, false},
           caso{"\xF4\x90\x80\x80", U'\uFFFD', 1, false},
           caso{"\x80", U'\uFFFD', 1, false},
           caso{"\xE2\x82", U'\uFFFD', 1, false},
           caso{"\xE2\x82z", U'\uFFFD', 1, false},
       }) {
    const carattere_utf8 c = leggi_utf8(k.byte, 0);
    EXPECT_EQ(c.c, k.c) << k.byte;
    EXPECT_EQ(c.byte, k.lunghezza) << k.byte;
    EXPECT_EQ(c.valido, k.valido) << k.byte;
  }
}

TEST(TestoLsp, RigheConOgniFineRiga) {
  righe_testo r("a\r\nb\rc\nd\r\n");
  EXPECT_EQ(r.riga(3), "d");
  // Back to the top, then forward again.
  EXPECT_EQ(r.riga(0), "a");
  EXPECT_EQ(r.riga(1), "b");
  EXPECT_EQ(r.riga(2), "c");
  EXPECT_EQ(r.riga(4), "");
  EXPECT_EQ(r.riga(5), std::nullopt);
  EXPECT_EQ(r.riga(-1), std::nullopt);
  EXPECT_EQ(righe_testo("").riga(0), "");
  EXPECT_EQ(righe_testo("x").riga(1), std::nullopt);
  // A CR at the very end is a line end of its own.
  EXPECT_EQ(righe_testo("x\r").riga(1), "");
}

// The byte offset in the text, and on the first line the characters before the place.
TEST(TestoLsp, OffsetInOgniCodifica) {
  // "è" is 2 bytes and 1 unit, "€" 3 bytes and 1 unit, the emoji 4 bytes and 2 units.
  const std::string_view t = "a\xC3\xA8\xE2\x82\xAC\xF0\x9F\x98\x80z\r\nx";
  const std::string_view prima = t.substr(0, t.find('\r'));
  struct caso {
    posizione_lsp p;
    codifica_posizioni c;
    std::size_t offset;
    int64_t caratteri = -1;
  };
  for (const caso& k : {
           caso{{0, 0}, utf16, 0, 0},
           caso{{0, 1}, utf16, 1, 1},
           caso{{0, 2}, utf16, 3, 2},
           caso{{0, 3}, utf16, 6, 3},
           caso{{0, 4}, utf16, 6, 3},  // inside the surrogate pair: the emoji's start
           caso{{0, 5}, utf16, 10, 4},
           caso{{0, 6}, utf16, 11, 5},
           caso{{0, 7}, utf16, 11, 5},  // past the line: its end, before CR LF
           caso{{0, 2}, utf8, 1, 1},    // inside "è"
           caso{{0, 3}, utf8, 3, 2},
           caso{{0, 9}, utf8, 6, 3},
           caso{{0, 10}, utf8, 10, 4},
           caso{{1, 0}, utf16, 13},
           caso{{1, 1}, utf16, 14},
           caso{{2, 0}, utf16, 14},  // past the last line: the end of the text
           caso{{9, 9}, utf8, 14},
           caso{{0, -3}, utf16, 0, 0},
       }) {
    EXPECT_EQ(offset_di(t, k.p, k.c), k.offset) << k.p.riga << ":" << k.p.carattere;
    if (k.caratteri >= 0) {
      EXPECT_EQ(caratteri_di(prima, k.p.carattere, k.c), k.caratteri) << k.p.carattere;
    }
  }
}

TEST(TestoLsp, UnitaDeiPrimiCaratteri) {
  const std::string_view riga = "a\xC3\xA8\xF0\x9F\x98\x80z";
  EXPECT_EQ(unita_di(riga, 0, utf16), 0);
  EXPECT_EQ(unita_di(riga, 2, utf16), 2);
  EXPECT_EQ(unita_di(riga, 3, utf16), 4);
  EXPECT_EQ(unita_di(riga, 4, utf16), 5);
  EXPECT_EQ(unita_di(riga, 5, utf16), 5);
  EXPECT_EQ(unita_di(riga, 2, utf8), 3);
  EXPECT_EQ(unita_di(riga, 3, utf8), 7);
  EXPECT_EQ(unita_di(riga, 99, utf8), 8);
}

TEST(TestoLsp, InWindows1252ConICaratteriSenzaForma) {
  // "°" and "€" have a byte; "ā" (U+0101) and the emoji have none. Columns count characters.
  const testo_in_1252 t =
      in_windows_1252("x\xC2\xB0\xC4\x81\r\n\xE2\x82\xAC\xF0\x9F\x98\x80\ry\n\xC4\x81", 10);
  EXPECT_EQ(t.byte, "x\xB0?\r\n\x80?\ry\n?");
  ASSERT_EQ(t.estranei.size(), 3u);
  EXPECT_EQ(t.estranei[0].riga, 1);
  EXPECT_EQ(t.estranei[0].colonna, 3);
  EXPECT_EQ(t.estranei[0].c, U'\u0101');
  EXPECT_EQ(t.estranei[1].riga, 2);
  EXPECT_EQ(t.estranei[1].colonna, 2);
  EXPECT_EQ(t.estranei[1].c, U'\U0001F600');
  EXPECT_EQ(t.estranei[2].riga, 4);
  EXPECT_EQ(t.estranei[2].colonna, 1);
  EXPECT_EQ(t.altri_estranei, 0u);
}

TEST(TestoLsp, OltreIlMassimoSoloContati) {
  const std::string tre = "\xC4\x81\xC4\x81\xC4\x81";
  for (std::size_t massimo : {0u, 2u, 3u, 4u}) {
    const testo_in_1252 t = in_windows_1252(tre, massimo);
    EXPECT_EQ(t.byte, "???");
    EXPECT_EQ(t.estranei.size(), std::min<std::size_t>(massimo, 3)) << massimo;
    EXPECT_EQ(t.altri_estranei, 3 - std::min<std::size_t>(massimo, 3)) << massimo;
  }
}

TEST(TestoLsp, CodificaDiUnFileSalvato) {
  struct caso {
    std::string_view byte;
    std::optional<segno_codifica> segno;
    std::size_t dove;
  };
  for (const caso& k : {
           caso{"stazione, 0", std::nullopt, 0},
           caso{"70\xB0 CITT\xC0", std::nullopt, 0},  // Windows-1252 that is not UTF-8
           caso{"\xFF\xFEs\0", segno_codifica::utf16, 0},
           caso{"\xFE\xFF\0s", segno_codifica::utf16, 0},
           caso{"ab\r\n70\xC2\xB0", segno_codifica::utf8, 6},
           caso{"\xEF\xBB\xBF[generale]", segno_codifica::utf8, 0},
           caso{"a\xE8 \x8D", segno_codifica::byte_non_assegnato, 3},
           caso{"\x81", segno_codifica::byte_non_assegnato, 0},
           caso{"\x80\x9E\x9F", std::nullopt, 0},
       }) {
    const std::optional<codifica_estranea> e = codifica_non_1252(k.byte);
    ASSERT_EQ(e.has_value(), k.segno.has_value()) << k.byte;
    if (!e) continue;
    EXPECT_EQ(e->segno, *k.segno) << k.byte;
    EXPECT_EQ(e->dove, k.dove) << k.byte;
  }
}

}  // namespace
}  // namespace scenario::strumento
