// The field reader: number fields cut and placed over line ends of every kind, and the one
// rule that turns a number field's text into a number.
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
};

struct caso_campi {
  const char* nome;
  std::string testo;  // a keyword field, then number fields to the end
  std::vector<campo_atteso> numeri;
};

const caso_campi casi_campi[] = {
    {"SuUnaRiga", "pendenza,  1500,   5\r\n", {{"1500", 1, 12}, {"5", 1, 20}}},
    {"DivisoConCrLf", "pendenza,  1500,\r\n   5\r\n", {{"1500", 1, 12}, {"5", 2, 4}}},
    {"DivisoConLf", "pendenza, 1500\n\n5", {{"1500", 1, 11}, {"5", 3, 1}}},
    {"DivisoConCrSolo", "pendenza,\r1500,\r\r  5\r", {{"1500", 2, 1}, {"5", 4, 3}}},
    {"SpaziTraINumeri",
     "orologio,    11   54 0 \r\n",
     {{"11", 1, 14}, {"54", 1, 19}, {"0", 1, 22}}},
    {"CampiVuoti", "indicatori,  ,,  7,\r\n", {{"", 1, 14}, {"", 1, 15}, {"7", 1, 18}}},
    {"NonNumeriTagliatiComeNumeri",
     "x, 12a b,--3\r\n",
     {{"12a", 1, 4}, {"b", 1, 8}, {"--3", 1, 10}}},
    {"SoloAcapoEBianchi", "x\r\n  \r\n\t\r\n", {}},
};

class LettoreCampi : public ::testing::TestWithParam<caso_campi> {};

// Each number field in turn, then nothing at the end of the text; leggi_numero reads the same
// fields to the same end.
TEST_P(LettoreCampi, CampiNumericiConRigaEColonna) {
  lettore_campi l(GetParam().testo);
  l.leggi_testo();
  for (const campo_atteso& atteso : GetParam().numeri) {
    const std::optional<campo_numero> c = l.leggi_campo_numero();
    ASSERT_TRUE(c.has_value()) << atteso.testo;
    EXPECT_EQ(std::string(c->testo), atteso.testo);
    EXPECT_EQ(c->riga, atteso.riga) << atteso.testo;
    EXPECT_EQ(c->colonna, atteso.colonna) << atteso.testo;
  }
  EXPECT_FALSE(l.leggi_campo_numero().has_value());
  EXPECT_TRUE(l.fine_file());
  EXPECT_FALSE(l.leggi_campo_numero().has_value());
}

INSTANTIATE_TEST_SUITE_P(Testi, LettoreCampi, ::testing::ValuesIn(casi_campi),
                         [](const auto& i) { return std::string(i.param.nome); });

TEST(LettoreCampi, LeggiNumeroComeIlCampoConvertito) {
  lettore_campi l("pendenza,  1500,\r\n   -5\r\n,\r\n");
  l.leggi_testo();
  EXPECT_EQ(l.leggi_numero(), 1500);
  EXPECT_EQ(l.leggi_numero(), -5);
  EXPECT_EQ(l.leggi_numero(), 0);
  try {
    l.leggi_numero();
    FAIL();
  } catch (const guasto& g) {
    EXPECT_STREQ(g.what(), "the file ends inside a record, where a number was expected");
  }
}

TEST(LettoreCampi, UnNumeroNonValidoNominaLaSuaRiga) {
  lettore_campi l("sabbia,\r\n\r\n  12.5, 3\r\n");
  l.leggi_testo();
  try {
    l.leggi_numero();
    FAIL();
  } catch (const guasto& g) {
    EXPECT_STREQ(g.what(),
                 "\"12.5\" at line 3 is not a whole number of 32 bits with one sign at most");
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
                      caso_numero{"-0", 0}, caso_numero{"2147483647", 2147483647},
                      caso_numero{"+2147483647", 2147483647},
                      caso_numero{"-2147483648", -2147483647 - 1},
                      caso_numero{"2147483648", std::nullopt},
                      caso_numero{"-2147483649", std::nullopt}, caso_numero{"+", std::nullopt},
                      caso_numero{"-", std::nullopt}, caso_numero{"+-3", std::nullopt},
                      caso_numero{"-+3", std::nullopt}, caso_numero{"--3", std::nullopt},
                      caso_numero{"++3", std::nullopt}, caso_numero{"1.5", std::nullopt},
                      caso_numero{"12a", std::nullopt}, caso_numero{" 5", std::nullopt},
                      caso_numero{"0x10", std::nullopt}));

// The line-end rule as messages quote a line: each line by its number, with every kind of
// line end, and nothing past the last line or before the first.
TEST(RigaDelTesto, OgniFineRiga) {
  struct caso {
    const char* cosa;
    std::string testo;
    int64_t riga;
    std::optional<std::string> attesa;
  };
  const caso casi[] = {
      {"LF", "uno\ndue\ntre\n", 2, "due"},
      {"CR LF", "uno\r\ndue\r\ntre\r\n", 3, "tre"},
      {"CR solo", "uno\rdue\r", 2, "due"},
      {"CR CR: una riga vuota fra le due", "uno\r\rdue", 2, ""},
      {"LF CR: due fini di riga", "uno\n\rdue", 3, "due"},
      {"CR LF e' una sola fine di riga", "uno\r\ndue", 2, "due"},
      {"la prima", "uno\ndue", 1, "uno"},
      {"l'ultima senza fine di riga", "uno\ndue", 2, "due"},
      {"dopo la fine di riga che chiude il testo", "uno\n", 2, std::nullopt},
      {"oltre", "uno\n", 3, std::nullopt},
      {"testo vuoto", "", 1, std::nullopt},
      {"riga 0", "uno\n", 0, std::nullopt},
  };
  for (const caso& c : casi) {
    const std::optional<std::string_view> r = riga_del_testo(c.testo, c.riga);
    EXPECT_EQ(r ? std::optional<std::string>(*r) : std::nullopt, c.attesa) << c.cosa;
  }
}

TEST(RigaDelTesto, LunghezzaACapo) {
  const std::string t = "a\r\nb\rc\n\r";
  const std::size_t attese[] = {0, 2, 1, 0, 1, 0, 1, 1, 0};
  for (std::size_t p = 0; p <= t.size(); ++p) {
    EXPECT_EQ(lunghezza_a_capo(t, p), attese[p]) << "posizione " << p;
  }
}

}  // namespace
}  // namespace scenario
