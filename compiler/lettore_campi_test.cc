// The field reader: fields cut and placed (line, columns, byte offsets) over line ends of every
// kind, the one rule for line ends and the one that turns a number field's text into a number.
#include "compiler/lettore_campi.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scenario {
namespace {

struct campo_atteso {
  std::string testo;
  int32_t riga, colonna;
  std::size_t inizio;  // byte offset; the field ends `testo.size()` bytes further
};

struct caso_campi {
  const char* nome;
  std::string testo;  // a keyword field, then number fields to the end
  std::vector<campo_atteso> numeri;
};

const caso_campi casi_campi[] = {
    {"SuUnaRiga", "pendenza,  1500,   5\r\n", {{"1500", 1, 12, 11}, {"5", 1, 20, 19}}},
    {"DivisoConCrLf", "pendenza,  1500,\r\n   5\r\n", {{"1500", 1, 12, 11}, {"5", 2, 4, 21}}},
    {"DivisoConLf", "pendenza, 1500\n\n5", {{"1500", 1, 11, 10}, {"5", 3, 1, 16}}},
    {"DivisoConCrSolo", "pendenza,\r1500,\r\r  5\r", {{"1500", 2, 1, 10}, {"5", 4, 3, 19}}},
    {"SpaziTraINumeri",
     "orologio,    11   54 0 \r\n",
     {{"11", 1, 14, 13}, {"54", 1, 19, 18}, {"0", 1, 22, 21}}},
    {"CampiVuoti", "indicatori,  ,,  7,\r\n", {{"", 1, 14, 13}, {"", 1, 15, 14}, {"7", 1, 18, 17}}},
    {"NonNumeriTagliatiComeNumeri",
     "x, 12a b,--3\r\n",
     {{"12a", 1, 4, 3}, {"b", 1, 8, 7}, {"--3", 1, 10, 9}}},
    {"SoloAcapoEBianchi", "x\r\n  \r\n\t\r\n", {}},
};

class LettoreCampi : public ::testing::TestWithParam<caso_campi> {};

// Each number field in turn, with its place, then nothing at the end of the text.
TEST_P(LettoreCampi, CampiNumericiConIlLoroLuogo) {
  lettore_campi l(GetParam().testo);
  l.leggi_testo();
  for (const campo_atteso& atteso : GetParam().numeri) {
    const std::optional<campo_numero> c = l.leggi_campo_numero();
    ASSERT_TRUE(c.has_value()) << atteso.testo;
    EXPECT_EQ(std::string(c->testo), atteso.testo);
    EXPECT_EQ(c->luogo.riga, atteso.riga) << atteso.testo;
    EXPECT_EQ(c->luogo.colonna, atteso.colonna) << atteso.testo;
    const auto larghezza = static_cast<int32_t>(atteso.testo.size());
    EXPECT_EQ(c->luogo.colonna_fine, atteso.colonna + larghezza) << atteso.testo;
    EXPECT_EQ(c->luogo.inizio, atteso.inizio) << atteso.testo;
    EXPECT_EQ(c->luogo.fine, atteso.inizio + atteso.testo.size()) << atteso.testo;
  }
  EXPECT_FALSE(l.leggi_campo_numero().has_value());
  EXPECT_TRUE(l.fine_file());
  EXPECT_FALSE(l.leggi_campo_numero().has_value());
}

INSTANTIATE_TEST_SUITE_P(Testi, LettoreCampi, ::testing::ValuesIn(casi_campi),
                         [](const auto& i) { return std::string(i.param.nome); });

// A text field loses the blanks around it; its place covers what is left. An empty line is an
// empty field, placed where the line starts.
TEST(LettoreCampi, CampoDiTestoSenzaBianchi) {
  lettore_campi l("  stazione x  ,\r\n\r\n\tARONA\r\n");
  EXPECT_EQ(l.leggi_testo(), "stazione x");
  EXPECT_EQ(l.luogo_campo(), (intervallo_sorgente{1, 3, 13, 2, 12}));
  EXPECT_EQ(l.leggi_testo(), "");
  EXPECT_EQ(l.luogo_campo(), (intervallo_sorgente{1, 16, 16, 15, 15}));
  EXPECT_EQ(l.leggi_testo(), "");
  EXPECT_EQ(l.luogo_campo(), (intervallo_sorgente{2, 1, 1, 17, 17}));
  EXPECT_EQ(l.leggi_testo(), "ARONA");
  EXPECT_EQ(l.luogo_campo(), (intervallo_sorgente{3, 2, 7, 20, 25}));
  EXPECT_TRUE(l.fine_file());
  EXPECT_THROW(l.leggi_testo(), guasto);
}

// Reading goes on from an earlier field as if it had not been read.
TEST(LettoreCampi, RiposizionaSuUnCampoLetto) {
  lettore_campi l("a, 1\r\nb, 2\r\n");
  l.leggi_testo();
  l.leggi_campo_numero();
  l.leggi_testo();
  const intervallo_sorgente b = l.luogo_campo();
  EXPECT_EQ(l.leggi_campo_numero()->testo, "2");
  l.riposiziona(b);
  EXPECT_EQ(l.leggi_testo(), "b");
  EXPECT_EQ(l.luogo_campo(), b);
}

struct caso_riga {
  const char* testo;
  std::size_t da;
  const char* riga;
  std::size_t prossima;
};

// CR LF, a lone CR and a lone LF each end one line; the last line needs no end.
TEST(LettoreCampi, UnaSolaRegolaPerLeFiniDiRiga) {
  const caso_riga casi[] = {{"ab\r\ncd", 0, "ab", 4}, {"ab\r\ncd", 4, "cd", 7},
                            {"ab\rcd", 0, "ab", 3},   {"ab\ncd", 0, "ab", 3},
                            {"ab\n\rcd", 0, "ab", 3}, {"ab\n\rcd", 3, "", 4},
                            {"ab\r\r\n", 3, "", 5},   {"", 0, "", 1}};
  for (const caso_riga& c : casi) {
    const riga_testo r = riga_da(c.testo, c.da);
    EXPECT_EQ(r.testo, c.riga) << c.testo << " " << c.da;
    EXPECT_EQ(r.prossima, c.prossima) << c.testo << " " << c.da;
  }
}

struct caso_numero {
  const char* testo;
  std::optional<int32_t> valore;
};

class NumeroDelCampo : public ::testing::TestWithParam<caso_numero> {};

TEST_P(NumeroDelCampo, UnaSolaRegola) {
  EXPECT_EQ(numero_del_campo(GetParam().testo), GetParam().valore) << GetParam().testo;
}

INSTANTIATE_TEST_SUITE_P(
    Testi, NumeroDelCampo,
    ::testing::Values(caso_numero{"", 0}, caso_numero{"0", 0}, caso_numero{"5", 5},
                      caso_numero{"-4", -4}, caso_numero{"+5", 5}, caso_numero{"+0002", 2},
                      caso_numero{"+9", 9}, caso_numero{"+/", std::nullopt},
                      caso_numero{"+:", std::nullopt}, caso_numero{"-0", 0},
                      caso_numero{"2147483647", 2147483647}, caso_numero{"+2147483647", 2147483647},
                      caso_numero{"-2147483648", -2147483647 - 1},
                      caso_numero{"2147483648", std::nullopt},
                      caso_numero{"-2147483649", std::nullopt}, caso_numero{"+", std::nullopt},
                      caso_numero{"-", std::nullopt}, caso_numero{"+-3", std::nullopt},
                      caso_numero{"-+3", std::nullopt}, caso_numero{"--3", std::nullopt},
                      caso_numero{"++3", std::nullopt}, caso_numero{"1.5", std::nullopt},
                      caso_numero{"12a", std::nullopt}, caso_numero{" 5", std::nullopt},
                      caso_numero{"0x10", std::nullopt}));

TEST(LettoreCampi, LunghezzaACapo) {
  const std::string t = "a\r\nb\rc\n\r";
  const std::size_t attese[] = {0, 2, 1, 0, 1, 0, 1, 1, 0};
  for (std::size_t p = 0; p <= t.size(); ++p) {
    EXPECT_EQ(lunghezza_a_capo(t, p), attese[p]) << "posizione " << p;
  }
}

}  // namespace
}  // namespace scenario
