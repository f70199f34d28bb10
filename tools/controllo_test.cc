// The checks of an author's sources: each broken source with the exact report, the compile's
// verdict first, and the shipped and minimal routes clean.
#include "tools/controllo.h"

#include <gtest/gtest.h>

#include "compiler/campi_sorgenti.h"
#include "tests/aiuti_test.h"

namespace scenario {
namespace {

const opzioni_compilazione opzioni{"R", "7", true};

std::string rapporto(const std::string& linea, const std::string& treno) {
  const testi_sorgenti t{
      "[generale]\r\nlunghezza percorso, 4000\r\n[curve]\r\n" + linea + "[fine]\r\n",
      "[generale]\r\n" + treno + "[fine]\r\n"};
  return testo_problemi(controlla(t, opzioni), t, opzioni, ".");
}

const std::string prima = "stazione, 0, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, PRIMA\r\n";

struct caso {
  const char* nome;
  std::string linea, treno, atteso;
};

const caso casi[] = {
    {"ParolaSbagliata", "",
     prima + "stazoine, 3600, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, SECONDA\r\n",
     "R_7-.txt:3:1: warning: unknown keyword `stazoine`, the record is skipped; did you mean "
     "`stazione`?\n"
     "  stazoine, 3600, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, SECONDA\n"
     "  ^\n"
     "0 errors, 1 warning\n"},
    {"SezioneSbagliataPendenzaCheGiraGalleriaOltreLaFine",
     "pendenza, 0, 500\r\nmontagna, 4000, 4050, 1\r\n", "[stazini]\r\n" + prima,
     "R_linea.txt:4:14: warning: `pendenza` field `pendenza` 500 per mille is outside its range "
     "-100 to 155 (the value wraps)\n"
     "  pendenza, 0, 500\n"
     "               ^\n"
     "R_linea.txt:5:17: warning: `montagna` field `fine` 4050 m is beyond the end of the line "
     "(4000 m)\n"
     "  montagna, 4000, 4050, 1\n"
     "                  ^\n"
     "R_7-.txt:2:1: warning: unknown section `[stazini]`; did you mean `[stazioni]`?\n"
     "  [stazini]\n"
     "  ^\n"
     "0 errors, 3 warnings\n"},
    {"ValoriAiBordiDellIntervallo",
     "pendenza, 0, -100\r\npendenza, 50, 155\r\npendenza, 100, 156\r\n", prima,
     "R_linea.txt:6:16: warning: `pendenza` field `pendenza` 156 per mille is outside its range "
     "-100 to 155 (the value wraps)\n"
     "  pendenza, 100, 156\n"
     "                 ^\n"
     "0 errors, 1 warning\n"},
    {"OrarioCheTornaIndietro", "",
     prima + "stazione, 3600, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 7,59,59, SECONDA\r\n",
     "R_7-.txt:3:49: warning: time 07:59:59 is earlier than the previous station's 08:00:00\n"
     "  stazione, 3600, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 7,59,59, SECONDA\n"
     "                                                  ^\n"
     "0 errors, 1 warning\n"},
    {"TestoUtf8", "",
     prima + "stazione, 3600, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, CITT\xC3\x80\r\n",
     "R_7-.txt:3:60: warning: UTF-8 text detected; the sources are read as Windows-1252: save "
     "the file as Windows-1252\n"
     "  stazione, 3600, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, CITT\xC3\x80\n"
     "                                                             ^\n"
     "0 errors, 1 warning\n"},
    {"TestoWindows1252", "",
     prima + "stazione, 3600, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, CITT\xC0\r\n",
     "0 errors, 0 warnings\n"},
    {"Utf8TroncatoELetteraWindows1252", "",
     prima + "stazione, 3600, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, CITT\xC3\r\n",
     "0 errors, 0 warnings\n"},
    {"ByteFuoriWindows1252", "",
     prima + "stazione, 3600, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, CITT\x81\r\n",
     "R_7-.txt:3:60: warning: byte 0x81 is not Windows-1252 text\n"
     "  stazione, 3600, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, CITT\x81\n"
     "                                                             ^\n"
     "0 errors, 1 warning\n"},
    {"NumeriNonNumeri", "", "numero vetture, x\r\nsabbia, y\r\n",
     "R_7-.txt:2:1: error: code 25: \"x\" at line 2 is not a whole number of 32 bits with one "
     "sign at most\n"
     "  numero vetture, x\n"
     "  ^\n"
     "R_7-.txt:3:9: error: `sabbia` field `quantita` is \"y\", not a whole number\n"
     "  sabbia, y\n"
     "          ^\n"
     "2 errors, 0 warnings\n"},
    {"DueStazioniFuoriPasso", "",
     "stazione, 25, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, PRIMA\r\n"
     "stazione, 3650, 2, 650, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, SECONDA\r\n",
     "R_7-.txt:2:1: error: code 8: station position is not a multiple of 50 (position 25 m)\n"
     "  stazione, 25, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, PRIMA\n"
     "  ^\n"
     "R_7-.txt:3:20: error: `stazione` field `lunghezza` 650 is not a multiple of 100 (code 9)\n"
     "  stazione, 3650, 2, 650, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, SECONDA\n"
     "                     ^\n"
     "2 errors, 0 warnings\n"},
    {"RecordTroncati", "", "orologio, 8, 0\r\nsabbia\r\n",
     "R_7-.txt:2:1: error: code 25: \"sabbia\" at line 3 is not a whole number of 32 bits with "
     "one sign at most\n"
     "  orologio, 8, 0\n"
     "  ^\n"
     "R_7-.txt:3:7: error: `sabbia` ends before its field `quantita` (1 fields expected)\n"
     "  sabbia\n"
     "        ^\n"
     "2 errors, 0 warnings\n"},
    {"SegnaleOltreLaFine", "", prima + "segnale, 4050, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n",
     "R_7-.txt:3:10: warning: `segnale` field `posizione` 4050 m is beyond the end of the line "
     "(4000 m)\n"
     "  segnale, 4050, 2, 4, 0, 0, 0, 0, 0,0,0, 0\n"
     "           ^\n"
     "0 errors, 1 warning\n"},
    {"StazioniFuoriOrdine", "",
     prima + "stazione, 3000, 24, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, TERZA\r\n"
             "stazione, 2000, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,8,0, SECONDA\r\n",
     "R_7-.txt:4:1: error: code 22: station less than 350 m after the previous one (position "
     "2000 m)\n"
     "  stazione, 2000, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,8,0, SECONDA\n"
     "  ^\n"
     "R_7-.txt:4:11: warning: `stazione` at 2000 m comes after the one at 3000 m: `[stazioni]` "
     "must be in order along the line\n"
     "  stazione, 2000, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,8,0, SECONDA\n"
     "            ^\n"
     "1 error, 1 warning\n"},
    {"PendenzeELimitiFuoriOrdine", "pendenza, 0, 5\r\npendenza, 1000, 5\r\npendenza, 1000, 0\r\n",
     "velocita, 0, 30\r\nvelocita, 3000, 100\r\nvelocita, 2950, 100\r\n",
     "R_7-.txt:4:11: warning: `velocita` at 2950 m comes after the one at 3000 m: `[vel_limite]` "
     "must be in order along the line\n"
     "  velocita, 2950, 100\n"
     "            ^\n"
     "0 errors, 1 warning\n"},
    {"SegnaleAllaFine", "", prima + "segnale, 4000, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n",
     "0 errors, 0 warnings\n"},
};

class Controllo : public ::testing::TestWithParam<caso> {};

TEST_P(Controllo, RapportoParolaPerParola) {
  EXPECT_EQ(rapporto(GetParam().linea, GetParam().treno), GetParam().atteso);
}

INSTANTIATE_TEST_SUITE_P(Sorgenti, Controllo, ::testing::ValuesIn(casi),
                         [](const auto& i) { return std::string(i.param.nome); });

TEST(Controllo, IlPrimoErroreECodiceEPosizioneDelCompilatore) {
  const testi_sorgenti t{test::linea_minima(),
                         test::treno_minimo("segnale, 1000, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n"
                                            "segnale, 1000, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n")};
  const compilazione c = compila(t, opzioni);
  ASSERT_NE(c.risultato.codice, 0);
  const std::vector<problema> p = controlla(t, opzioni);
  ASSERT_FALSE(p.empty());
  EXPECT_TRUE(p[0].errore);
  EXPECT_EQ(p[0].codice, c.risultato.codice);
  EXPECT_EQ(p[0].file, c.risultato.file);
  EXPECT_EQ(p[0].riga, c.risultato.riga);
  EXPECT_EQ(p[0].colonna, c.risultato.colonna);
  EXPECT_NE(p[0].messaggio.find("(position " + std::to_string(c.risultato.posizione) + " m)"),
            std::string::npos)
      << p[0].messaggio;
}

TEST(Controllo, PercorsoSpeditoEMinimoSenzaProblemi) {
  const opzioni_compilazione spedito;
  EXPECT_TRUE(controlla({test::linea_spedita(), test::treno_spedito()}, spedito).empty());
  EXPECT_TRUE(
      controlla({testo_esempio(file_sorgente::linea), testo_esempio(file_sorgente::treno)}, opzioni)
          .empty());
}

TEST(Controllo, SeveroFaDegliAvvisiErrori) {
  const testi_sorgenti t{test::linea_minima("pendenza, 0, 500\r\n"), test::treno_minimo()};
  std::vector<problema> p = controlla(t, opzioni);
  ASSERT_EQ(p.size(), 1u);
  EXPECT_FALSE(p[0].errore);
  severo(p);
  EXPECT_EQ(riassunto(p), "1 error, 0 warnings");
}

TEST(Controllo, ParolaPiuVicina) {
  EXPECT_EQ(piu_vicina("stazoine", {"segnale", "stazione"}), "stazione");
  EXPECT_EQ(piu_vicina("SEGNALE", {"segnale", "stazione"}), "segnale");
  EXPECT_EQ(piu_vicina("qwertyuiop", {"segnale", "stazione"}), "");
}

}  // namespace
}  // namespace scenario
