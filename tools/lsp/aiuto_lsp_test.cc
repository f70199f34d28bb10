// Hover: which field the cursor is on, as the compiler cuts the record, and where a position
// falls: the cell by each rule of the cells, at the route's ends, and the km of a kilometric
// progressive at the edges of its stretch.
#include "tools/lsp/aiuto_lsp.h"

#include <gtest/gtest.h>

namespace scenario::strumento {
namespace {

// A route of cells 0 to 40: cell 34 a signal, cell 19 a lamp in a type 2 tunnel, a gradient
// of 5 per mille and a limit of 100 km/h everywhere but cell 0, where the layers hold 0.
compilazione compilata() {
  compilazione c;
  c.scenario.percorso.resize(41);
  for (cella& x : c.scenario.percorso) {
    x.pendenza = 105;
    x.velocita = 20;
  }
  c.scenario.percorso[0] = cella{};
  c.scenario.percorso[34].tipo = cella_segnale;
  c.scenario.percorso[19].tipo = cella_lampada;
  c.scenario.percorso[19].galleria = 2;
  return c;
}

const std::string strati = ", gradient 5 per mille, speed limit 100 km/h.";

TEST(AiutoLsp, DoveCadeUnaPosizione) {
  struct caso {
    int64_t metri;
    cella_campo cella;
    std::string atteso;
  };
  const caso casi[] = {
      {1660, cella_campo::punto, "At 1660 m: cell 34 (signal)" + strati + " Km 1.660"},
      {1660, cella_campo::passo, "At 1660 m: cell 33" + strati + " Km 1.660"},
      // Halves go to the even cell: 75 / 50 + 1 = 2.5 and 125 / 50 = 2.5.
      {75, cella_campo::punto, "At 75 m: cell 2" + strati + " Km 0.075"},
      {125, cella_campo::passo, "At 125 m: cell 2" + strati + " Km 0.125"},
      {900, cella_campo::tracciato,
       "At 900 m: cell 19 (tunnel lamp, tunnel type 2)" + strati + " Km 0.900"},
      {0, cella_campo::passo,
       "At 0 m: cell 0, gradient -100 per mille, speed limit 0 km/h. Km 0.000"},
      // The last cell, 1975 / 50 + 1 = 40.5, and the first past it.
      {1975, cella_campo::punto, "At 1975 m: cell 40" + strati + " Km 1.975"},
      {2000, cella_campo::punto, "At 2000 m: cell 41, beyond the route's last cell, 40. Km 2.000"},
      {-80, cella_campo::punto, "At -80 m: cell -1, before the route's first cell. Km -0.080"},
  };
  const compilazione c = compilata();
  for (const caso& k : casi) {
    EXPECT_EQ(dove_cade(k.metri, k.cella, c), k.atteso + " from the start of the line.") << k.metri;
  }
}

TEST(AiutoLsp, LaProgressivaChilometrica) {
  compilazione c = compilata();
  voce_stazione& p = c.scenario.tabella_stazioni[82];
  p.inizio = 1000;
  p.fine = 1500;
  const auto km = [&](int64_t metri) {
    const std::string t = dove_cade(metri, cella_campo::passo, c);
    return t.substr(t.find(" Km "));
  };
  const std::string da_1000_a_1500 =
      " of the kilometric progressive of slot 82, from 1000 to 1500 m.";
  EXPECT_EQ(km(999), " Km 0.999 from the start of the line.");
  EXPECT_EQ(km(1000), " Km 1.000 from the start of the line. Km 0.000" + da_1000_a_1500);
  EXPECT_EQ(km(1500), " Km 1.500 from the start of the line. Km 0.500" + da_1000_a_1500);
  EXPECT_EQ(km(1501), " Km 1.501 from the start of the line.");
}

TEST(AiutoLsp, UnaCompilazioneFermata) {
  compilazione c;
  c.risultato.codice = 25;
  EXPECT_EQ(dove_cade(100, cella_campo::punto, c),
            "At 100 m: cell 3; the compile laid no cells. Km 0.100 from the start of the line.\n\n"
            "The compile stopped with code 25: the cells hold what it laid before.");
}

// The field is the one the compiler cuts: a station's name runs to the comma, blanks inside;
// a number field ends at a blank. A field the reader passes over has no hover, nor has a place
// outside every field; the compile is asked for only on a position.
TEST(AiutoLsp, IlCampoSottoIlCursore) {
  const std::string treno =
      "[generale]\r\nsabbia, 10\r\n[stazioni]\r\n"
      "stazione, 0, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, LA SPEZIA C.LE\r\nsegnalle, 1\r\n"
      "[fine]\r\n";
  int compilazioni = 0;
  const compilazione_richiesta compila = [&]() -> std::optional<compilazione> {
    ++compilazioni;
    return std::nullopt;
  };
  const auto campo = [&](int64_t riga, int64_t carattere) -> std::string {
    const nlohmann::json h =
        aiuto(treno, file_sorgente::treno, {riga, carattere}, codifica_posizioni::utf16, compila);
    if (h.is_null()) return "null";
    const std::string t = h.at("contents").at("value");
    return t.substr(0, t.find(':')) + " " + h.at("range").dump();
  };
  const auto r = [](int da, int a) {
    return R"({"end":{"character":)" + std::to_string(a) + R"(,"line":3},"start":{"character":)" +
           std::to_string(da) + R"(,"line":3}})";
  };
  EXPECT_EQ(campo(3, 52), "`stazione`, field 17 of 17, `nome` " + r(52, 66));
  EXPECT_EQ(campo(3, 55), "`stazione`, field 17 of 17, `nome` " + r(52, 66));
  EXPECT_EQ(campo(3, 65), "`stazione`, field 17 of 17, `nome` " + r(52, 66));
  EXPECT_EQ(campo(3, 66), "null");
  EXPECT_EQ(compilazioni, 0);
  EXPECT_EQ(campo(3, 10), "`stazione`, field 1 of 17, `posizione` " + r(10, 11));
  EXPECT_EQ(compilazioni, 1);
  EXPECT_EQ(campo(3, 11), "null");
  EXPECT_EQ(campo(3, 13), "`stazione`, field 2 of 17, `tipo` " + r(13, 14));
  EXPECT_EQ(campo(4, 0), "null");
  EXPECT_EQ(campo(9, 0), "null");
  EXPECT_EQ(compilazioni, 1);
}

}  // namespace
}  // namespace scenario::strumento
