// The line description half: the shipped line's worked values, the track plan, and a table
// of crafted sources for every code, the keyword rules and the rounding cases.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "compiler/aritmetica.h"
#include "tests/aiuti_test.h"

namespace scenario {
namespace {

using test::compila;
using test::linea_minima;
using test::treno_minimo;

using LineaSpedita = test::scenario_spedito;

TEST_F(LineaSpedita, ValoriDiLineaNelleVociSpeciali) {
  ASSERT_EQ(r().codice, 0);
  EXPECT_EQ(a().ultima_cella, 1280);
  EXPECT_EQ(a().lunghezza_estesa, 64000);
  const auto& t = s().tabella_stazioni;
  EXPECT_EQ(t[84].fine, 57000);
  EXPECT_EQ(t[85].inizio, 1);
  EXPECT_EQ(t[85].posizione, 31000);
  EXPECT_EQ(t[85].fine, 0);
  EXPECT_EQ(t[85].nome, "ARONA_DOMODOSSOLA");
  EXPECT_EQ(t[86].inizio, 1500);
  EXPECT_EQ(t[86].fine, 54500);
  EXPECT_EQ(t[86].posizione, 4);
  EXPECT_EQ(t[86].nome, "324");
  for (int s = 81; s <= 83; ++s) {
    EXPECT_EQ(t[s].inizio, 0);
    EXPECT_EQ(t[s].fine, 0);
    EXPECT_EQ(t[s].posizione, 0);
  }
}

TEST_F(LineaSpedita, PendenzeACorse) {
  const struct {
    int da, a, valore;
  } corse[] = {{0, 19, 100},      {20, 77, 105},     {78, 245, 100}, {246, 295, 96},
               {1020, 1093, 110}, {1094, 1277, 100}, {1278, 1280, 0}};
  for (const auto& c : corse) {
    for (int i = c.da; i <= c.a; ++i) ASSERT_EQ(cl(i).pendenza, c.valore) << "cella " << i;
  }
}

TEST_F(LineaSpedita, GallerieCartelliEIndicatori) {
  for (int i = 16; i <= 29; ++i) EXPECT_EQ(cl(i).galleria, 2) << i;
  EXPECT_EQ(cl(15).galleria, 0);
  EXPECT_EQ(cl(30).galleria, 0);
  for (int i : {19, 23, 27}) EXPECT_EQ(cl(i).tipo, cella_lampada) << i;
  for (int i = 894; i <= 899; ++i) EXPECT_EQ(cl(i).galleria, 1) << i;
  EXPECT_EQ(cl(897).tipo, cella_lampada);
  EXPECT_EQ(a().numero_gallerie, 12);

  EXPECT_EQ(cl(22), (cella{6, 2100, 2200, 2200, 0, 0, 0, 2, 22, 105, 100}));

  EXPECT_EQ(cl(16).tipo, cella_cartello);
  EXPECT_EQ(cl(16).dato_1, 80);
  EXPECT_EQ(s().tabella_stazioni[80].nome, "(GALLERIA DI)(ARONA      )(m 670      )");
  EXPECT_EQ(s().tabella_stazioni[60].nome, "(ABBASSARE   )(I PANTOGRAFI)(a m 1000    )");
  EXPECT_EQ(s().tabella_stazioni[70].nome, "(GALLERIA     )(MONTORFANO 2\xB0)(m 68         )");
  EXPECT_EQ(s().tabella_stazioni[59].nome, "");
  EXPECT_EQ(a().posto_cartello, 59);
}

// The first curve, recomputed here step by step from the seed heading.
TEST_F(LineaSpedita, PrimaCurvaDelTracciato) {
  using etichetta = tracciato_compilato::etichetta;
  const auto& t = s().tracciato;
  ASSERT_EQ(t.ultimo_indice(), 64000);
  EXPECT_EQ(t.tipo_punto(0), etichetta::intero);
  EXPECT_EQ(t.tipo_punto(1), etichetta::intero);
  EXPECT_EQ(t.tipo_punto(63998), etichetta::reale);
  EXPECT_EQ(t.tipo_punto(63999), etichetta::vuoto);
  EXPECT_EQ(t.tipo_punto(64000), etichetta::vuoto);
  const auto& p = piano();
  ASSERT_EQ(p.x.size(), 64001u);
  double x[2] = {0, 0}, y[2] = {0, 1};
  for (int i = 2; i <= 1850; ++i) {
    const double k = i <= 1350 ? 0.0 : 0.001;
    const double dx = x[1] - x[0], dy = y[1] - y[0];
    const double nx = x[1] + (dy * k + dx), ny = y[1] + (dy - dx * k);
    x[0] = x[1];
    y[0] = y[1];
    x[1] = nx;
    y[1] = ny;
    if (i == 1350 || i == 1351 || i == 1600 || i == 1850) {
      ASSERT_EQ(p.x[static_cast<std::size_t>(i)].valore, x[1]) << i;
      ASSERT_EQ(p.y[static_cast<std::size_t>(i)].valore, y[1]) << i;
    }
  }
  EXPECT_EQ(p.x[1350].valore, 0.0);
  EXPECT_EQ(p.y[1350].valore, 1350.0);
  // Half a kilometre at 0.001 rad per metre turns toward +x by about half a radian.
  EXPECT_NEAR(std::atan2(p.x[1850].valore - p.x[1849].valore, p.y[1850].valore - p.y[1849].valore),
              0.5, 0.01);
}

// One crafted source per case: the code, the position and what the model holds.
// The message is the first line scenario-tool prints: code, position, FILE:LINE:COL, reason.
struct caso_linea {
  const char* nome;
  std::string linea;
  int32_t codice;
  int32_t posizione;
  std::string messaggio;
};

class CasiLinea : public ::testing::TestWithParam<caso_linea> {};

TEST_P(CasiLinea, CodiceEPosizione) {
  const auto& caso = GetParam();
  const auto c = compila(caso.linea, treno_minimo());
  EXPECT_EQ(c.r.codice, caso.codice);
  EXPECT_EQ(c.r.posizione, caso.posizione);
  EXPECT_EQ(test::verdetto(c), caso.messaggio);
}

INSTANTIATE_TEST_SUITE_P(
    Codici, CasiLinea,
    ::testing::Values(
        caso_linea{
            "lunghezza_oltre_il_limite",
            "[generale]\r\nlunghezza percorso, 1000001\r\n[curve]\r\n[fine]\r\n", 1, 0,
            "ARONA_DOMODOSSOLA_linea.txt:2:21: error 1: `lunghezza percorso` field `L` 1000001 m "
            "is over 1000000 m, the most the compiler takes: a line is 0 to 1000000 m long"},
        caso_linea{"ripetizione_inizio",
                   "[generale]\r\nlunghezza percorso, 5000\r\n"
                   "ripetizione segnali 4 codici, 25, 100\r\n[fine]\r\n",
                   3, 0,
                   "ARONA_DOMODOSSOLA_linea.txt:3:31: error 3: `ripetizione segnali 4 codici` "
                   "field `inizio` 25 m is not a multiple of 50"},
        caso_linea{"ripetizione_inizio_negativo",
                   "[generale]\r\nlunghezza percorso, 5000\r\n"
                   "ripetizione segnali 4 codici, -25, 100\r\n[fine]\r\n",
                   3, 0,
                   "ARONA_DOMODOSSOLA_linea.txt:3:31: error 3: `ripetizione segnali 4 codici` "
                   "field `inizio` -25 m is not a multiple of 50"},
        caso_linea{"ripetizione_fine",
                   "[generale]\r\nlunghezza percorso, 5000\r\n"
                   "ripetizione segnali 4 codici, 50, 101\r\n[fine]\r\n",
                   4, 0,
                   "ARONA_DOMODOSSOLA_linea.txt:3:35: error 4: `ripetizione segnali 4 codici` "
                   "field `fine` 101 m is not a multiple of 50"},
        caso_linea{"ripetizione_senza_codici",
                   "[generale]\r\nlunghezza percorso, 5000\r\n"
                   "ripetizione segnali codici, 50, 100\r\n[fine]\r\n",
                   5, 0,
                   "ARONA_DOMODOSSOLA_linea.txt:3:1: error 5: `ripetizione segnali codici` holds "
                   "neither \"4\" nor \"9\" for the number of codes the cab repeats"},
        caso_linea{"cartello_su_indicatore",
                   linea_minima("indicatori_vmax, 1000, 100,100,100,0,,,,0\r\n"
                                "cartello_indicatore, 1000, (A)\r\n"),
                   6, 1000,
                   "ARONA_DOMODOSSOLA_linea.txt:5:22: error 6: `cartello_indicatore` at 1000 m "
                   "falls in cell 21 (1000 m), which already holds a speed-indicator board: two "
                   "point features never share a 50 m cell (position 1000 m)"},
        caso_linea{"indicatore_su_indicatore",
                   linea_minima("indicatori_vmax, 1000, 100,100,100,0,,,,0\r\n"
                                "indicatori_vmax, 1010, 100,100,100,0,,,,0\r\n"),
                   21, 1010,
                   "ARONA_DOMODOSSOLA_linea.txt:5:18: error 21: `indicatori_vmax` at 1010 m falls "
                   "in cell 21 (1000 m), which already holds a speed-indicator board: two point "
                   "features never share a 50 m cell (position 1010 m)"},
        caso_linea{"curva_senza_classe", linea_minima("curvad, 100, 100\r\n"), 103, 0,
                   "ARONA_DOMODOSSOLA_linea.txt:4:1: error 103: `curvad` holds no curve class, a "
                   "digit 1 to 6: write `curvad4` for a right curve of class 4"},
        caso_linea{"fuori_percorso_pendenza", linea_minima("pendenza, 63901, 1\r\n"), 15, 63901,
                   "ARONA_DOMODOSSOLA_linea.txt:4:11: error 15: `pendenza` field `posizione` 63901 "
                   "m is beyond the route: on this 57000 m line, whose cells run 7000 m past its "
                   "end, a `pendenza` stands at 63900 m at most (position 63901 m)"},
        caso_linea{"ultima_posizione_ammessa", linea_minima("pendenza, 63900, 1\r\n"), 0, 0, ""},
        caso_linea{
            "fuori_percorso_cartello", linea_minima("cartello_indicatore, 70000, (A)\r\n"), 15,
            70000,
            "ARONA_DOMODOSSOLA_linea.txt:4:22: error 15: `cartello_indicatore` field `posizione` "
            "70000 m is beyond the route: on this 57000 m line, whose cells run 7000 m past its "
            "end, a `cartello_indicatore` stands at 63900 m at most (position 70000 m)"},
        caso_linea{
            "file_vuoto", "", 25, 0,
            "ARONA_DOMODOSSOLA_linea.txt: error 25: the file ends where a text field was expected"},
        caso_linea{"senza_generale", "lunghezza percorso, 100\r\n[fine]\r\n", 102, 0,
                   "ARONA_DOMODOSSOLA_linea.txt: error 102: the line description ends before its "
                   "`[generale]` header, and nothing before it is read"},
        caso_linea{"generale_ultimo_campo", "[generale]\r\n", 102, 0,
                   "ARONA_DOMODOSSOLA_linea.txt: error 102: the line description ends before its "
                   "`[generale]` header, and nothing before it is read"},
        caso_linea{"senza_lunghezza", "[generale]\r\n[curve]\r\n[fine]\r\n", 25, 0,
                   "ARONA_DOMODOSSOLA_linea.txt: error 25: no `lunghezza percorso` in the general "
                   "section, so the route has no cells"},
        caso_linea{"lunghezza_negativa", "[generale]\r\nlunghezza percorso, -1\r\n[fine]\r\n", 25,
                   0,
                   "ARONA_DOMODOSSOLA_linea.txt:2:21: error 25: `lunghezza percorso` field `L` -1 "
                   "m is below 0 m, the least the compiler takes: a line is 0 to 1000000 m long"},
        caso_linea{"numero_non_valido", linea_minima("pendenza, 12.5, 1\r\n"), 25, 0,
                   "ARONA_DOMODOSSOLA_linea.txt:4:11: error 25: `pendenza` field `posizione` is "
                   "\"12.5\", not a whole number"},
        caso_linea{"record_troncato",
                   "[generale]\r\nlunghezza percorso, 5000\r\n[curve]\r\n"
                   "pendenza, 100,",
                   25, 0,
                   "ARONA_DOMODOSSOLA_linea.txt:4:1: error 25: `pendenza` takes 2 numbers, and the "
                   "file ends after 1 field"},
        caso_linea{"galleria_da_meno_25_m", linea_minima("montagna, -25, 500, 1\r\n"), 0, 0, ""},
        caso_linea{
            "galleria_da_meno_26_m", linea_minima("montagna, -26, 500, 1\r\n"), 25, 0,
            "ARONA_DOMODOSSOLA_linea.txt:4:11: error 25: `montagna` field `inizio` -26 m puts the "
            "tunnel's first cell at -1, before cell 0: a tunnel starts at -25 m or later"},
        caso_linea{"galleria_prima_del_percorso_senza_celle",
                   linea_minima("montagna, -100, -90, 1\r\n"), 0, 0, ""},
        // Digits, a sign at most, past 32 bits; the digits 0 and 9 at both ends of the test.
        caso_linea{"numero_oltre_32_bit", linea_minima("pendenza, -9000000000, 1\r\n"), 25, 0,
                   "ARONA_DOMODOSSOLA_linea.txt:4:11: error 25: `pendenza` field `posizione` "
                   "\"-9000000000\" does not fit 32 bits"},
        // One sign at most in front of the digits.
        caso_linea{"segno_piu_meno", linea_minima("pendenza, +-5, 1\r\n"), 25, 0,
                   "ARONA_DOMODOSSOLA_linea.txt:4:11: error 25: `pendenza` field `posizione` is "
                   "\"+-5\", not a whole number"},
        caso_linea{"segno_meno_piu", linea_minima("pendenza, -+5, 1\r\n"), 25, 0,
                   "ARONA_DOMODOSSOLA_linea.txt:4:11: error 25: `pendenza` field `posizione` is "
                   "\"-+5\", not a whole number"},
        caso_linea{"segno_meno_meno", linea_minima("pendenza, --5, 1\r\n"), 25, 0,
                   "ARONA_DOMODOSSOLA_linea.txt:4:11: error 25: `pendenza` field `posizione` is "
                   "\"--5\", not a whole number"},
        caso_linea{"segno_piu_piu", linea_minima("pendenza, ++5, 1\r\n"), 25, 0,
                   "ARONA_DOMODOSSOLA_linea.txt:4:11: error 25: `pendenza` field `posizione` is "
                   "\"++5\", not a whole number"},
        caso_linea{"solo_segno", linea_minima("pendenza, +, 1\r\n"), 25, 0,
                   "ARONA_DOMODOSSOLA_linea.txt:4:11: error 25: `pendenza` field `posizione` is "
                   "\"+\", not a whole number"},
        caso_linea{"segno_piu_singolo", linea_minima("pendenza, +63901, 1\r\n"), 15, 63901,
                   "ARONA_DOMODOSSOLA_linea.txt:4:11: error 15: `pendenza` field `posizione` 63901 "
                   "m is beyond the route: on this 57000 m line, whose cells run 7000 m past its "
                   "end, a `pendenza` stands at 63900 m at most (position 63901 m)"},
        caso_linea{"segno_meno_singolo", linea_minima("pendenza, -0, 1\r\npendenza, -63901, 1\r\n"),
                   0, 0, ""},
        caso_linea{"segno_piu_con_zeri",
                   "[generale]\r\nlunghezza percorso, 5000\r\n"
                   "ripetizione segnali 4 codici, +0002, 100\r\n[fine]\r\n",
                   3, 0,
                   "ARONA_DOMODOSSOLA_linea.txt:3:31: error 3: `ripetizione segnali 4 codici` "
                   "field `inizio` 2 m is not a multiple of 50"},
        caso_linea{"indicatore_oltre_16_bit",
                   linea_minima("indicatori_vmax, 1000, 2000,0,0,0,0,0,0,0\r\n"), 25, 0,
                   "ARONA_DOMODOSSOLA_linea.txt:4:24: error 25: `indicatori_vmax` fields `vas` "
                   "2000 and `vad` 0 make 2000 x 20 + 0 / 5 = 40000, which does not fit 16 bits"}),
    [](const auto& caso) { return std::string(caso.param.nome); });

TEST(Linea, DescrizioneMancanteECodice101) {
  const auto c = compila(std::nullopt, treno_minimo());
  EXPECT_EQ(c.r.codice, 101);
  // The train text is neither read nor deleted, and nothing is stamped in a missing route.
  EXPECT_TRUE(c.sorgenti.treno.has_value());
  EXPECT_EQ(c.file.file.at("ARONA_DOMODOSSOLA_324.dat"), "");
  EXPECT_EQ(c.file.file.at("ARONA_DOMODOSSOLA_linea.dat"), "");
  EXPECT_EQ(c.file.file.at("ARONA_DOMODOSSOLA_324.sim").size(), 2958u + 17 + 3);
}

TEST(Linea, LunghezzaAlLimiteAccettataEOltreTenutaNellaVoce) {
  auto c = compila("[generale]\r\nlunghezza percorso, 1000000\r\n[curve]\r\n[fine]\r\n",
                   treno_minimo(), 0);
  EXPECT_EQ(c.r.codice, 0);
  EXPECT_EQ(c.a->ultima_cella, 20140);
  c = compila("[generale]\r\nlunghezza percorso, 1000001\r\n[curve]\r\n[fine]\r\n", treno_minimo());
  EXPECT_EQ(c.s.tabella_stazioni[84].fine, 1000001);
  EXPECT_FALSE(c.sorgenti.linea.has_value());
  EXPECT_TRUE(c.sorgenti.treno.has_value());
  // Below 0 is a fault, which no text source survives.
  c = compila("[generale]\r\nlunghezza percorso, -1\r\n[curve]\r\n[fine]\r\n", treno_minimo());
  EXPECT_EQ(c.r.codice, 25);
  EXPECT_FALSE(c.sorgenti.linea.has_value());
  EXPECT_FALSE(c.sorgenti.treno.has_value());
}

// The last length read sizes the route and the plan, also when a later record of the general
// section ends the parse with code 1 or a fault.
TEST(Linea, UltimaLunghezzaDimensionaIlPercorso) {
  const std::string due = "[generale]\r\nlunghezza percorso, 9000\r\nlunghezza percorso, 1000\r\n";
  auto c = compila(due + "[curve]\r\n[fine]\r\n", treno_minimo());
  EXPECT_EQ(c.r.codice, 0);
  EXPECT_EQ(c.s.ultima_cella(), 160);
  EXPECT_EQ(c.s.tracciato.ultimo_indice(), 8000);
  EXPECT_EQ(test::piano_letto(c).x.size(), 8001u);
  c = compila(due + "lunghezza percorso, 1000001\r\n[fine]\r\n", treno_minimo());
  EXPECT_EQ(c.r.codice, 1);
  EXPECT_EQ(c.s.ultima_cella(), 160);
  EXPECT_EQ(c.s.tracciato.ultimo_indice(), 8000);
  EXPECT_EQ(test::piano_letto(c).x.size(), 8001u);
  c = compila(due + "lunghezza percorso, -1\r\n[fine]\r\n", treno_minimo());
  EXPECT_EQ(c.r.codice, 25);
  EXPECT_EQ(c.s.ultima_cella(), 160);
}

// Only some keyword tests fold case; a field with a dash is skipped for the next one.
TEST(Linea, MaiuscoleTrattiniEUltimoCampo) {
  const auto c = compila(
      "[generale]\r\nlunghezza percorso, 5000\r\nSFONDO uno, 7\r\nProgressiva tre, 1, 2, 3\r\n"
      "sfondo due, 9\r\n-x, -y, sfondo tre, 11\r\n[curve]\r\n"
      "PENDENZA, 1000, 5\r\n- a, - b, pendenza, 2000, 7\r\nmontagna",
      treno_minimo());
  ASSERT_EQ(c.r.codice, 0);
  const auto& t = c.s.tabella_stazioni;
  EXPECT_EQ(t[85].inizio, 0);
  EXPECT_EQ(t[81].inizio, 0);
  EXPECT_EQ(t[85].posizione, 9);
  EXPECT_EQ(t[85].fine, 11);
  EXPECT_EQ(c.s.percorso[19].pendenza, 100);
  EXPECT_EQ(c.s.percorso[20].pendenza, 105);
  EXPECT_EQ(c.s.percorso[39].pendenza, 105);
  EXPECT_EQ(c.s.percorso[40].pendenza, 107);
  EXPECT_EQ(c.a->numero_gallerie, 0);
}

// The general section skips ten dash fields in a row and examines the eleventh; the main part
// skips two and examines the third.
TEST(Linea, CampiConTrattinoSaltati) {
  const auto generale = [](int trattini) {
    std::string g = "[generale]\r\nlunghezza percorso, 5000\r\n";
    for (int i = 0; i < trattini; ++i) g += "-a, ";
    return g + "-sfondo uno, 7\r\n[curve]\r\n[fine]\r\n";
  };
  EXPECT_EQ(compila(generale(10), treno_minimo()).s.tabella_stazioni[85].inizio, 7);
  EXPECT_EQ(compila(generale(11), treno_minimo()).s.tabella_stazioni[85].inizio, 0);
  const auto principale = [](const std::string& trattini) {
    return linea_minima(trattini + "-pendenza, 2000, 7\r\n", 5000);
  };
  EXPECT_EQ(compila(principale("-a, -b, "), treno_minimo()).s.percorso[40].pendenza, 107);
  EXPECT_EQ(compila(principale("-a, -b, -c, "), treno_minimo()).s.percorso[40].pendenza, 100);
}

// Ties round to even: positions 25 and 75 both give cell 2, tunnel ends 1525 and 1575 cell 30.
TEST(Linea, ArrotondamentoAlPari) {
  const auto c = compila(linea_minima("cartello_indicatore, 25, (A)\r\n"
                                      "cartello_indicatore, 75, (B)\r\n"),
                         treno_minimo());
  EXPECT_EQ(c.r.codice, 6);
  EXPECT_EQ(c.r.posizione, 75);
  EXPECT_EQ(c.s.percorso[2].tipo, cella_cartello);
  for (int fine : {1525, 1575}) {
    const auto g = compila(linea_minima("montagna, 1000, " + std::to_string(fine) + ", 1\r\n"),
                           treno_minimo());
    EXPECT_EQ(g.s.percorso[30].galleria, 1) << fine;
    EXPECT_EQ(g.s.percorso[31].galleria, 0) << fine;
  }
}

// A tunnel of one cell marks it; one that ends before its first cell marks none.
TEST(Linea, GalleriaDiUnaCella) {
  const auto una = compila(linea_minima("montagna, 800, 850, 1\r\n"), treno_minimo());
  EXPECT_EQ(una.s.percorso[15].galleria, 0);
  EXPECT_EQ(una.s.percorso[16].galleria, 1);
  EXPECT_EQ(una.s.percorso[17].galleria, 0);
  const auto nessuna = compila(linea_minima("montagna, 800, 820, 1\r\n"), treno_minimo());
  EXPECT_EQ(nessuna.s.percorso[16].galleria, 0);
}

// Lamps come with the types above 10: 10 is a type of its own, 11 is type 1 with lamps.
TEST(Linea, LampadeDalTipoUndici) {
  for (const auto& [tipo, galleria, lampada] :
       {std::tuple{10, 10, false}, std::tuple{11, 1, true}}) {
    const auto c = compila(linea_minima("montagna, 800, 1500, " + std::to_string(tipo) + "\r\n"),
                           treno_minimo());
    EXPECT_EQ(c.s.percorso[16].galleria, galleria) << tipo;
    EXPECT_EQ(c.s.percorso[19].tipo == cella_lampada, lampada) << tipo;
  }
}

// A tunnel from -25 m starts in cell 0; from -26 m it would start in cell -1 and marks nothing.
TEST(Linea, GalleriaCheIniziaPrimaDelPercorso) {
  auto c = compila(linea_minima("montagna, -25, 500, 11\r\n"), treno_minimo());
  ASSERT_EQ(c.r.codice, 0);
  EXPECT_EQ(c.s.percorso[0].galleria, 1);
  EXPECT_EQ(c.s.percorso[9].galleria, 1);
  EXPECT_EQ(c.s.percorso[3].tipo, cella_lampada);
  c = compila(linea_minima("montagna, -26, 500, 11\r\n"), treno_minimo());
  ASSERT_EQ(c.r.codice, 25);
  for (int i = 0; i <= 10; ++i) {
    EXPECT_EQ(c.s.percorso[static_cast<std::size_t>(i)].galleria, 0) << i;
    EXPECT_EQ(c.s.percorso[static_cast<std::size_t>(i)].tipo, 0) << i;
  }
}

TEST(Linea, GallerieVicineDiventanoTipoTreECorteNonSegnanoCelle) {
  const auto c = compila(linea_minima("montagna, 800, 1500, 12\r\nmontagna, 1650, 2000, 11\r\n"
                                      "montagna, 3000, 3020, 1\r\n"),
                         treno_minimo());
  ASSERT_EQ(c.r.codice, 0);
  EXPECT_EQ(c.s.percorso[33].galleria, 3);
  EXPECT_EQ(c.s.percorso[39].galleria, 3);
  EXPECT_EQ(c.s.percorso[36].tipo, cella_lampada);
  EXPECT_EQ(c.s.percorso[60].galleria, 0);
  EXPECT_EQ(c.a->numero_gallerie, 3);
  EXPECT_EQ(c.a->inizio_galleria[3], 3000);
  EXPECT_EQ(c.a->fine_galleria[3], 3020);
}

// Type 3 takes a tunnel that starts 150 m or less after the previous one ends.
TEST(Linea, GalleriaA151MNonDiventaTipoTre) {
  for (const auto& [inizio, tipo] : {std::pair{1650, 3}, std::pair{1651, 1}}) {
    const auto c = compila(linea_minima("montagna, 800, 1500, 2\r\nmontagna, " +
                                        std::to_string(inizio) + ", 2000, 1\r\n"),
                           treno_minimo());
    EXPECT_EQ(c.s.percorso[35].galleria, tipo) << inizio;
  }
}

TEST(Linea, CartelloSuLampadaLaSostituisce) {
  const auto c = compila(linea_minima("montagna, 800, 1500, 12\r\n"
                                      "cartello_indicatore, 900, (X)\r\n"
                                      "indicatori_vmax, 1100, 100,100,100,0,,,,0\r\n"),
                         treno_minimo());
  ASSERT_EQ(c.r.codice, 0);
  EXPECT_EQ(c.s.percorso[19].tipo, cella_cartello);
  EXPECT_EQ(c.s.percorso[23].tipo, cella_indicatore_velocita);
}

// Gradient records out of order write one cell each with the older gradient.
TEST(Linea, PendenzeFuoriOrdine) {
  const auto c = compila(linea_minima("pendenza, 1000, 5\r\npendenza, 500, 3\r\n"
                                      "pendenza, 0, 9\r\n"),
                         treno_minimo());
  ASSERT_EQ(c.r.codice, 0);
  EXPECT_EQ(c.s.percorso[19].pendenza, 100);
  EXPECT_EQ(c.s.percorso[20].pendenza, 105);
  // The record at 0 writes nothing: gradient 9 then runs from cell 21 to the tail.
  EXPECT_EQ(c.s.percorso[21].pendenza, 109);
}

// Overlapping curves turn from the current point; a curve past the end stops two points short.
TEST(Linea, CurveSovrappostaEOltreLaFine) {
  const auto c = compila(linea_minima("curvas6, 100, 200\r\ncurvad1, 150, 100\r\n"
                                      "curvas2, 63800, 5000\r\n"),
                         treno_minimo());
  ASSERT_EQ(c.r.codice, 0);
  const auto& t = c.s.tracciato;
  const auto p = test::piano_letto(c);
  EXPECT_LT(p.x[300].valore, 0.0);
  EXPECT_EQ(t.calcolati(), 63999);
  EXPECT_EQ(t.tipo_punto(63999), tracciato_compilato::etichetta::vuoto);
  EXPECT_EQ(p.x[63998].etichetta, etichetta_reale);
  EXPECT_EQ(p.x[63999].etichetta, etichetta_vuoto);
}

TEST(Linea, ProgressiveOrdinate) {
  const struct {
    int t[3];
    int fine[3];
    int attesi[3];
  } casi[] = {{{30000, 10000, 20000}, {0, 0, 0}, {30000, 20000, 10000}},
              {{10000, 10000, 5000}, {0, 0, 0}, {0, 0, 0}},
              {{100, 200, 200}, {0, 0, 0}, {0, 0, 0}},
              {{5000, 100, 100}, {1, 2, 3}, {5000, 100, 100}},
              {{-100, 100, 0}, {0, 50, 0}, {100, -100, 0}}};
  for (const auto& caso : casi) {
    std::string g = "[generale]\r\nlunghezza percorso, 5000\r\n";
    const char* nomi[3] = {"tre", "due", "uno"};
    for (int i = 0; i < 3; ++i) {
      g += std::string("progressiva chilometrica ") + nomi[i] + ", " + std::to_string(caso.t[i]) +
           ", " + std::to_string(caso.fine[i]) + ", 0\r\n";
    }
    const auto c = compila(g + "[curve]\r\n[fine]\r\n", treno_minimo());
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(c.s.tabella_stazioni[81 + i].inizio, caso.attesi[i]) << caso.t[0] << " " << i;
    }
  }
  // With equal other starts the record read into slot 83 goes to slot 82.
  const auto c = compila(
      "[generale]\r\nlunghezza percorso, 5000\r\nprogressiva chilometrica tre, 900, 1, 0\r\n"
      "progressiva chilometrica due, 100, 2, 1\r\nprogressiva chilometrica uno, 100, 3, 0\r\n"
      "[fine]\r\n",
      treno_minimo());
  EXPECT_EQ(c.s.tabella_stazioni[82].fine, 3);
  EXPECT_EQ(c.s.tabella_stazioni[83].fine, 102);
  EXPECT_EQ(c.r.codice, 2);
}

TEST(Linea, RipetizioneConFineZeroNonHaCodici) {
  const auto c = compila(
      "[generale]\r\nlunghezza percorso, 5000\r\n"
      "ripetizione segnali 9 codici, 0, 0\r\n[fine]\r\n",
      treno_minimo());
  EXPECT_EQ(c.s.tabella_stazioni[86].posizione, 0);
}

// Code 15 stops the line but the train text is still read.
TEST(Linea, Errore15LasciaLeggereIlTreno) {
  const auto c = compila(linea_minima("pendenza, 1000, 5\r\npendenza, 99999, 0\r\n"
                                      "pendenza, 2000, 7\r\n"),
                         treno_minimo("sabbia, 250\r\n"));
  EXPECT_EQ(c.r.codice, 15);
  EXPECT_EQ(c.r.posizione, 99999);
  EXPECT_EQ(c.s.tabella_stazioni[86].intero_1, 250);
  EXPECT_EQ(c.s.percorso[500].pendenza, 105);
  EXPECT_FALSE(c.sorgenti.linea.has_value());
  EXPECT_FALSE(c.sorgenti.treno.has_value());
}

}  // namespace
}  // namespace scenario
