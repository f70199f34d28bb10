// The checks of an author's sources: each broken source with the exact report, the compile's
// verdict first, and the shipped and minimal routes clean.
#include "compiler/compilatore.h"
#include "tools/cli/resa_diagnostiche.h"

#include <gtest/gtest.h>

#include "compiler/avvisi_sorgenti.h"
#include "compiler/campi_sorgenti.h"
#include "tests/aiuti_test.h"

namespace scenario {
namespace {

const opzioni_compilazione opzioni{"R", "7", true};

// A 4 km line with `linea` after its general section, a train service with `treno` after its
// "[generale]"; or, with `interi`, the two texts as they are.
testi_sorgenti sorgenti(const std::string& linea, const std::string& treno, bool interi = false) {
  if (interi) return {linea, treno};
  return {"[generale]\r\nlunghezza percorso, 4000\r\n[curve]\r\n" + linea + "[fine]\r\n",
          "[generale]\r\n" + treno + "[fine]\r\n"};
}

std::string rapporto(const testi_sorgenti& t) {
  const raccolta_diagnostiche r = controlla(t, opzioni);
  return strumento::testo_diagnostiche(r, {t, opzioni}) + strumento::riassunto(r) + "\n";
}

const std::string prima = "stazione, 0, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, PRIMA\r\n";

struct caso {
  const char* nome;
  std::string linea, treno, atteso;
  bool interi = false;
};

void PrintTo(const caso& c, std::ostream* os) { *os << c.nome; }

// n signboard texts from 50 m on, one cell apart: they take the slots from 80 down.
std::string cartelli(int n) {
  std::string r;
  for (int i = 1; i <= n; ++i) r += "cartello_indicatore, " + std::to_string(50 * i) + ", (T)\r\n";
  return r;
}

const caso casi[] = {
    {"ParolaSbagliata", "",
     prima + "stazoine, 3600, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, SECONDA\r\n",
     "R_7-.txt:3:1: warning: unknown keyword `stazoine`, the record is skipped; did you mean "
     "`stazione`?\n  stazoine, 3600, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, SECONDA\n  ^~~~~~~~\n  "
     "stazione\n0 errors, 1 warning\n"},
    {"CurvaSbagliataConLaSuaClasse", "curvs5, 100, 50\r\n", prima,
     "R_linea.txt:4:1: warning: unknown keyword `curvs5`, the record is skipped; did you mean "
     "`curvas5`?\n  curvs5, 100, 50\n  ^~~~~~\n  curvas5\n0 errors, 1 warning\n"},
    {"SezioneSbagliataPendenzaCheGiraGalleriaOltreLaFine",
     "pendenza, 0, 500\r\nmontagna, 4000, 4050, 1\r\n", "[stazini]\r\n" + prima,
     "R_linea.txt:4:14: warning: `pendenza` field `pendenza` 500 per mille is outside its range "
     "-100 to 155 (the value wraps)\n  pendenza, 0, 500\n               ^~~\nR_linea.txt:5:17: "
     "warning: `montagna` field `fine` 4050 m is beyond the end of the line (4000 m)\n  montagna, "
     "4000, 4050, 1\n                  ^~~~\nR_7-.txt:2:1: warning: unknown section `[stazini]`; "
     "did you mean `[stazioni]`?\n  [stazini]\n  ^~~~~~~~~\n  [stazioni]\n0 errors, 3 warnings\n"},
    {"ValoriAiBordiDellIntervallo",
     "pendenza, 0, -100\r\npendenza, 50, 155\r\npendenza, 100, 156\r\n", prima,
     "R_linea.txt:6:16: warning: `pendenza` field `pendenza` 156 per mille is outside its range "
     "-100 to 155 (the value wraps)\n  pendenza, 100, 156\n                 ^~~\n0 errors, 1 "
     "warning\n"},
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
     "  stazione, 3600, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, CITT\xC3\x83\xE2\x82\xAC\n"
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
     "R_7-.txt:3:60: warning: byte 0x81 is not Windows-1252 text\n  stazione, 3600, 2, 600, 1,1,0, "
     "1,1,0, 2,1,1, 0, 8,4,0, CITT\\x81\n                                                          "
     "   ^~~~\n0 errors, 1 warning\n"},
    {"TestoUtf8DiQuattroByte", "",
     prima + "stazione, 3600, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, CITT\xF0\x9F\x98\x80\r\n",
     "R_7-.txt:3:60: warning: UTF-8 text detected; the sources are read as Windows-1252: save the "
     "file as Windows-1252\n  stazione, 3600, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, "
     "CITT\xC3\xB0\xC5\xB8\xCB\x9C\xE2\x82\xAC\n                                                   "
     "          ^\n0 errors, 1 warning\n"},
    {"ByteFuoriWindows1252_8D", "",
     prima + "stazione, 3600, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, CITT\x8D\r\n",
     "R_7-.txt:3:60: warning: byte 0x8D is not Windows-1252 text\n  stazione, 3600, 2, 600, 1,1,0, "
     "1,1,0, 2,1,1, 0, 8,4,0, CITT\\x8D\n                                                          "
     "   ^~~~\n0 errors, 1 warning\n"},
    {"ByteFuoriWindows1252_8F", "",
     prima + "stazione, 3600, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, CITT\x8F\r\n",
     "R_7-.txt:3:60: warning: byte 0x8F is not Windows-1252 text\n  stazione, 3600, 2, 600, 1,1,0, "
     "1,1,0, 2,1,1, 0, 8,4,0, CITT\\x8F\n                                                          "
     "   ^~~~\n0 errors, 1 warning\n"},
    {"ByteFuoriWindows1252_90", "",
     prima + "stazione, 3600, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, CITT\x90\r\n",
     "R_7-.txt:3:60: warning: byte 0x90 is not Windows-1252 text\n  stazione, 3600, 2, 600, 1,1,0, "
     "1,1,0, 2,1,1, 0, 8,4,0, CITT\\x90\n                                                          "
     "   ^~~~\n0 errors, 1 warning\n"},
    {"ByteFuoriWindows1252_9D", "",
     prima + "stazione, 3600, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, CITT\x9D\r\n",
     "R_7-.txt:3:60: warning: byte 0x9D is not Windows-1252 text\n  stazione, 3600, 2, 600, 1,1,0, "
     "1,1,0, 2,1,1, 0, 8,4,0, CITT\\x9D\n                                                          "
     "   ^~~~\n0 errors, 1 warning\n"},
    // A name on the line of the field before it, the record begun on the line above.
    {"NomeSullaRigaDelCampoPrima", "",
     prima + "stazione, 3600, 2, 600,\r\n1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, SEGNALE\r\n",
     "0 errors, 0 warnings\n"},
    {"NumeriNonNumeri", "", "numero vetture, x\r\nsabbia, y\r\n",
     "R_7-.txt:2:17: error 25: `numero vetture` field `numero` is \"x\", not a whole number\n  "
     "numero vetture, x\n                  ^\nR_7-.txt:3:9: error 25: `sabbia` field `quantita` is "
     "\"y\", not a whole number\n  sabbia, y\n          ^\n2 errors, 0 warnings\n"},
    {"DueStazioniFuoriPasso", "",
     "stazione, 25, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, PRIMA\r\n"
     "stazione, 3650, 2, 650, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, SECONDA\r\n",
     "R_7-.txt:2:11: error 8: `stazione` field `posizione` 25 m is not a multiple of 50 (position "
     "25 m)\n  stazione, 25, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, PRIMA\n            ^~\n        "
     "    50\nR_7-.txt:3:20: error 9: `stazione` field `lunghezza` 650 m is not a multiple of 100 "
     "(position 3650 m)\n  stazione, 3650, 2, 650, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, SECONDA\n        "
     "             ^~~\n                     700\n2 errors, 0 warnings\n"},
    // The compiler reads "sabbia" as the clock's third number, so line 3 starts no record;
    // the file ends inside the signal.
    {"RecordTroncati", "[generale]\r\nlunghezza percorso, 4000\r\n",
     "[generale]\r\norologio, 8, 0\r\nsabbia\r\nsabbia, y\r\nsegnale, 1800, 2, 4\r\n",
     "R_7-.txt:2:1: error 25: `orologio` takes 3 numbers, and this record has 2: \"sabbia\" on "
     "line 3 would be its `secondi`\n  orologio, 8, 0\n  ^~~~~~~~\nR_7-.txt:3:1: note: read as the "
     "record's `secondi` here\n  sabbia\n  ^~~~~~\nR_7-.txt:3:1: error 25: `sabbia` takes one "
     "number, and this record has 0: \"sabbia\" on line 4 would be its `quantita`\n  sabbia\n  "
     "^~~~~~\nR_7-.txt:4:1: note: read as the record's `quantita` here\n  sabbia, y\n  "
     "^~~~~~\nR_7-.txt:4:9: error 25: `sabbia` field `quantita` is \"y\", not a whole number\n  "
     "sabbia, y\n          ^\nR_7-.txt:5:1: error 25: `segnale` takes 11 numbers, and the file "
     "ends after 3 fields\n  segnale, 1800, 2, 4\n  ^~~~~~~\n4 errors, 0 warnings\n",
     true},
    {"SegnaleOltreLaFine", "", prima + "segnale, 4050, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n",
     "R_7-.txt:3:10: warning: `segnale` field `posizione` 4050 m is beyond the end of the line "
     "(4000 m)\n  segnale, 4050, 2, 4, 0, 0, 0, 0, 0,0,0, 0\n           ^~~~\n0 errors, 1 "
     "warning\n"},
    {"StazioniFuoriOrdine", "",
     prima + "stazione, 3000, 24, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, TERZA\r\n"
             "stazione, 2000, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,8,0, SECONDA\r\n",
     "R_7-.txt:4:11: error 22: station `SECONDA`'s area starts at 1700 m, before station `TERZA`'s "
     "ends at 3300 m: station areas must be 350 m apart, and stations in order along the line "
     "(position 2000 m)\n  stazione, 2000, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,8,0, SECONDA\n        "
     "    ^~~~\nR_7-.txt:3:1: note: station `TERZA` is here\n  stazione, 3000, 24, 600, 1,1,0, "
     "1,1,0, 2,1,1, 0, 8,4,0, TERZA\n  ^~~~~~~~\nR_7-.txt:4:11: warning: `stazione` at 2000 m "
     "comes after the one at 3000 m: `[stazioni]` must be in order along the line\n  stazione, "
     "2000, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,8,0, SECONDA\n            ^~~~\nR_7-.txt:3:1: note: "
     "the one at 3000 m\n  stazione, 3000, 24, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0, TERZA\n  "
     "^~~~~~~~\n1 error, 1 warning\n"},
    {"PendenzeELimitiFuoriOrdine", "pendenza, 0, 5\r\npendenza, 1000, 5\r\npendenza, 1000, 0\r\n",
     "velocita, 0, 30\r\nvelocita, 3000, 100\r\nvelocita, 2950, 100\r\n",
     "R_7-.txt:4:11: warning: `velocita` at 2950 m comes after the one at 3000 m: `[vel_limite]` "
     "must be in order along the line\n  velocita, 2950, 100\n            ^~~~\nR_7-.txt:3:1: "
     "note: the one at 3000 m\n  velocita, 3000, 100\n  ^~~~~~~~\n0 errors, 1 warning\n"},
    {"SegnaleAllaFine", "", prima + "segnale, 4000, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n",
     "0 errors, 0 warnings\n"},
    // Records split over lines compile; a bad field is placed at its own line and column.
    {"RecordSuPiuRighe", "pendenza,  1500,\r\n   5\r\n", "velocita,\r\n 0,\r\n 30\r\n" + prima,
     "0 errors, 0 warnings\n"},
    {"RecordDivisoConUnCampoSbagliato", "pendenza, 0, x\r\npendenza,  1500,\r\n   5y\r\n",
     "velocita, 0,\r\n\r\n   1276\r\n",
     "R_linea.txt:4:14: error 25: `pendenza` field `pendenza` is \"x\", not a whole number\n  "
     "pendenza, 0, x\n               ^\nR_linea.txt:6:4: error 25: `pendenza` field `pendenza` is "
     "\"5y\", not a whole number\n     5y\n     ^~\nR_7-.txt:4:4: warning: `velocita` field "
     "`limite` 1276 km/h is kept as 1275 km/h: the format stores it in steps of 5\n     1276\n     "
     "^~~~\n     1275\n2 errors, 1 warning\n"},
    {"SoloCr", "[generale]\rlunghezza percorso,\r 4000\r[curve]\rpendenza, 0,\r 500\r[fine]\r",
     "[generale]\rsabbia, 10\r[fine]\r",
     "R_linea.txt:6:2: warning: `pendenza` field `pendenza` 500 per mille is outside its range "
     "-100 to 155 (the value wraps)\n   500\n   ^~~\n0 errors, 1 warning\n",
     true},
    {"SoloLf", "[generale]\nlunghezza percorso,\n 4000\n[curve]\npendenza, 0,\n 500\n[fine]\n",
     "[generale]\nsabbia,\n\n 40000\n[fine]\n",
     "R_7-.txt:4:2: error 25: `sabbia` field `quantita` 40000 does not fit its 16 bits: the "
     "compiler takes -32768 to 32767\n   40000\n   ^~~~~\nR_linea.txt:6:2: warning: `pendenza` "
     "field `pendenza` 500 per mille is outside its range -100 to 155 (the value wraps)\n   500\n  "
     " ^~~\n1 error, 1 warning\n",
     true},
    // Keywords where the compiler never reads them.
    {"ParoleDellaParteSbagliata",
     "pendenza, 0, 5\r\n[generale]\r\nlunghezza percorso, 4000\r\npendenza, 0, 5\r\n"
     "curvad1, 100, 100\r\n[curve]\r\nlunghezza percorso, 5000\r\nsfondo uno, 3\r\n"
     "stazione, 0, 8\r\n[fine]\r\n",
     "sabbia, 10\r\n[generale]\r\npendenza, 0, 5\r\n[fine]\r\n",
     "R_linea.txt:1:1: warning: `pendenza` is skipped before `[generale]`; it belongs under "
     "`[pendenze]`\n  pendenza, 0, 5\n  ^~~~~~~~\nR_linea.txt:4:1: warning: `pendenza` is skipped "
     "in the general section; it belongs under `[pendenze]`, after the general section\n  "
     "pendenza, 0, 5\n  ^~~~~~~~\nR_linea.txt:5:1: warning: `curvad1` is skipped in the general "
     "section; it belongs under `[curve]`, after the general section\n  curvad1, 100, 100\n  "
     "^~~~~~~\nR_linea.txt:7:1: warning: `lunghezza percorso` is skipped after the general "
     "section; it belongs under `[generale]`\n  lunghezza percorso, 5000\n  "
     "^~~~~~~~~~~~~~~~~~\nR_linea.txt:8:1: warning: `sfondo uno` is skipped after the general "
     "section; it belongs under `[generale]`\n  sfondo uno, 3\n  ^~~~~~~~~~\nR_linea.txt:9:1: "
     "warning: `stazione` is skipped in the line description; it belongs in the train service, "
     "under `[stazioni]`\n  stazione, 0, 8\n  ^~~~~~~~\nR_7-.txt:1:1: warning: `sabbia` is skipped "
     "before `[generale]`; it belongs under `[generale]`\n  sabbia, 10\n  ^~~~~~\nR_7-.txt:3:1: "
     "warning: `pendenza` is skipped in the train service; it belongs in the line description, "
     "under `[pendenze]`\n  pendenza, 0, 5\n  ^~~~~~~~\n0 errors, 8 warnings\n",
     true},
    {"TrattinoUltimoCampoEDopoLaFine",
     "[generale]\r\nlunghezza percorso, 4000\r\n-sfondo uno, 7\r\n[curve]\r\ncurva-d4, 100, 200\r\n"
     "[fine]\r\npendenza, 0, 5\r\n",
     "[generale]\r\nsabbia, 10\r\nsabbia",
     "R_linea.txt:3:1: warning: `-sfondo uno` holds `-`, so it is passed over and the field after "
     "it is read as the keyword\n  -sfondo uno, 7\n  ^~~~~~~~~~~\nR_linea.txt:5:1: warning: "
     "`curva-d4` holds `-`, so it is passed over and the field after it is read as the keyword\n  "
     "curva-d4, 100, 200\n  ^~~~~~~~\nR_linea.txt:7:1: warning: `pendenza` stands after `[fine]` "
     "and is still read as a record\n  pendenza, 0, 5\n  ^~~~~~~~\nR_7-.txt:3:1: warning: `sabbia` "
     "is the last field of the file and is never read as a record; end the file with `[fine]`\n  "
     "sabbia\n  ^~~~~~\n0 errors, 4 warnings\n",
     true},
    {"TrenoSenzaGenerale", "[generale]\r\nlunghezza percorso, 4000\r\n[fine]\r\n", "sabbia, 10\r\n",
     "R_7-.txt:1:1: warning: `sabbia` is skipped before `[generale]`; it belongs under "
     "`[generale]`\n  sabbia, 10\n  ^~~~~~\nR_7-.txt: warning: no `[generale]` header: every field "
     "of the file is skipped\n0 errors, 2 warnings\n",
     true},
    // A length refused leaves no route: the check says so once, in those words, and applies
    // no feature; with no length at all, it says that instead.
    {"LunghezzaRifiutata",
     "[generale]\r\nlunghezza percorso, -1\r\n[curve]\r\npendenza, 100, 5\r\n[fine]\r\n",
     "[generale]\r\n" + prima + "[fine]\r\n",
     "R_linea.txt:2:21: error 25: `lunghezza percorso` field `L` -1 m is below 0 m, the least the "
     "compiler takes: a line is 0 to 1000000 m long\n  lunghezza percorso, -1\n                  "
     "    ^~\nR_linea.txt: error 25: the route has no cells, as its `lunghezza percorso` is "
     "refused: no feature is checked against it\n2 errors, 0 warnings\n",
     true},
    {"LunghezzaMancante", "[generale]\r\n[curve]\r\npendenza, 100, 5\r\n[fine]\r\n",
     "[generale]\r\n" + prima + "[fine]\r\n",
     "R_linea.txt: error 25: no `lunghezza percorso` in the general section, so the route has no "
     "cells\n1 error, 0 warnings\n",
     true},
    // The blank before the line end is not part of the empty name.
    {"NomeVuotoDopoUnoSpazio", "", "stazione, 0, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, \r\n",
     "R_7-.txt:2:53: warning: `stazione` field `nome` is empty\n  stazione, 0, 8, 600, 0,0,0, "
     "1,1,0, 4,1,1, 1, 8,0,0, \n                                                      ^\n0 errors, "
     "1 warning\n"},
    {"NomeMancanteOVuoto", "",
     "stazione, 0, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0\r\n[rallentamenti]\r\n"
     "stazione, 3600, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0,\r\n",
     "R_7-.txt:3:1: warning: `stazione` has no `nome` on its line, so `[rallentamenti]` on line 3 "
     "is read as its `nome`\n  [rallentamenti]\n  ^~~~~~~~~~~~~~~\nR_7-.txt:4:55: warning: "
     "`stazione` field `nome` is empty\n  stazione, 3600, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0,\n "
     "                                                       ^\n0 errors, 2 warnings\n"},
    // A field with two keywords reads both records, in the parser's order: the clock first.
    {"DueParoleInUnCampo", "",
     "sabbia orologio, 5, 8, 0, 40000\r\nsabbia orologio, 5, 8, 0, 40000\r\n",
     "R_7-.txt:2:27: error 25: `sabbia orologio` (read as `sabbia`) field `quantita` 40000 does "
     "not fit its 16 bits: the compiler takes -32768 to 32767\n  sabbia orologio, 5, 8, 0, 40000\n "
     "                           ^~~~~\nR_7-.txt:2:1: warning: `sabbia orologio` holds 2 keywords, "
     "`orologio` and `sabbia`, and each reads its own fields in turn: a field must hold one\n  "
     "sabbia orologio, 5, 8, 0, 40000\n  ^~~~~~~~~~~~~~~\nR_7-.txt:3:1: warning: `sabbia orologio` "
     "holds 2 keywords, `orologio` and `sabbia`, and each reads its own fields in turn: a field "
     "must hold one\n  sabbia orologio, 5, 8, 0, 40000\n  ^~~~~~~~~~~~~~~\nR_7-.txt:3:27: error "
     "25: `sabbia orologio` (read as `sabbia`) field `quantita` 40000 does not fit its 16 bits: "
     "the compiler takes -32768 to 32767\n  sabbia orologio, 5, 8, 0, 40000\n                      "
     "      ^~~~~\n2 errors, 2 warnings\n"},
    // What the compiler records, for the records after the one it stops at.
    // The verdict comes first, before a warning on an earlier line.
    {"CurvaSenzaClasse", "pendenza, 0, 500\r\ncurvad, 100, 100\r\ncurvas, 300, 100\r\n", "",
     "R_linea.txt:5:1: error 103: `curvad` holds no curve class, a digit 1 to 6: write `curvad4` "
     "for a right curve of class 4\n  curvad, 100, 100\n  ^~~~~~\nR_linea.txt:4:14: warning: "
     "`pendenza` field `pendenza` 500 per mille is outside its range -100 to 155 (the value "
     "wraps)\n  pendenza, 0, 500\n               ^~~\nR_linea.txt:6:1: error 103: `curvas` holds "
     "no curve class, a digit 1 to 6: write `curvad4` for a right curve of class 4\n  curvas, 300, "
     "100\n  ^~~~~~\n2 errors, 1 warning\n"},
    {"RipetizioneSenzaCodici",
     "[generale]\r\nlunghezza percorso, 4000\r\nripetizione segnali codici, 0, 0\r\n"
     "ripetizione segnali, 50, 75\r\n[curve]\r\n[fine]\r\n",
     "[generale]\r\n[fine]\r\n",
     "R_linea.txt:3:1: error 5: `ripetizione segnali codici` holds neither \"4\" nor \"9\" for the "
     "number of codes the cab repeats\n  ripetizione segnali codici, 0, 0\n  "
     "^~~~~~~~~~~~~~~~~~~~~~~~~~\n  ripetizione segnali 4 codici\nR_linea.txt:4:26: error 4: "
     "`ripetizione segnali` (read as `ripetizione segnali 4 codici`) field `fine` 75 m is not a "
     "multiple of 50\n  ripetizione segnali, 50, 75\n                           ^~\n               "
     "            100\n2 errors, 0 warnings\n",
     true},
    {"ValoriCheIlCompilatoreRifiuta", "cartello_indicatore, -76, (A)\r\n",
     "velocita, 0, 1278\r\nsabbia, 32768\r\nsegnale, 324, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n"
     "stazione, 0, 256, 600, -1,0,0, 1,1,0, 4,1,1, 1, 8,0,0, PRIMA\r\n",
     "R_linea.txt:4:22: error 25: `cartello_indicatore` field `posizione` -76 m is below -75 m, "
     "the least the compiler takes: its cell p / 50 + 1 must not fall before cell 0\n  "
     "cartello_indicatore, -76, (A)\n                       ^~~\nR_7-.txt:2:14: error 25: "
     "`velocita` field `limite` 1278 km/h is over 1277 km/h, the most the compiler takes: the "
     "limit / 5 is kept in one byte\n  velocita, 0, 1278\n               ^~~~\nR_7-.txt:3:9: error "
     "25: `sabbia` field `quantita` 32768 does not fit its 16 bits: the compiler takes -32768 to "
     "32767\n  sabbia, 32768\n          ^~~~~\nR_7-.txt:4:10: error 25: `segnale` field "
     "`posizione` 324 m is below 325 m, the least the compiler takes: a signal needs 325 m before "
     "it for its four approach cells\n  segnale, 324, 2, 4, 0, 0, 0, 0, 0,0,0, 0\n           "
     "^~~\nR_7-.txt:5:14: error 25: `stazione` field `tipo` 256 does not fit its byte: the "
     "compiler takes 0 to 255\n  stazione, 0, 256, 600, -1,0,0, 1,1,0, 4,1,1, 1, 8,0,0, PRIMA\n    "
     "           ^~~\nR_7-.txt:5:24: error 25: `stazione` field `opzione` -1 does not fit its "
     "byte: the compiler takes 0 to 255\n  stazione, 0, 256, 600, -1,0,0, 1,1,0, 4,1,1, 1, 8,0,0, "
     "PRIMA\n                         ^~\n6 errors, 0 warnings\n"},
    {"OltreIlPercorso", "pendenza, 10901, 1\r\n",
     "stazione, 10250, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, PRIMA\r\n",
     "R_7-.txt:2:11: error 15: `stazione` field `posizione` 10250 m is beyond the route: on this "
     "4000 m line, whose cells run 7000 m past its end, a `stazione` stands at 10200 m at most "
     "(position 10250 m)\n  stazione, 10250, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, PRIMA\n        "
     "    ^~~~~\nR_linea.txt:4:11: error 15: `pendenza` field `posizione` 10901 m is beyond the "
     "route: on this 4000 m line, whose cells run 7000 m past its end, a `pendenza` stands at "
     "10900 m at most (position 10901 m)\n  pendenza, 10901, 1\n            ^~~~~\n2 errors, 0 "
     "warnings\n"},
    {"GruppoDiIndicatoriEOrarioCheNonEntrano",
     "indicatori_vmax, 1000, 100,100,1639,0,0,0,0,0\r\n"
     "indicatori_vmax, 2000, 1638,100,100,0,40,0,0,0\r\n",
     "stazione, 0, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 596523,14,8, PRIMA\r\n",
     "R_linea.txt:4:32: error 25: `indicatori_vmax` fields `vcs` 1639 and `vcd` 0 make 1639 x 20 + "
     "0 / 5 = 32780, which does not fit 16 bits\n  indicatori_vmax, 1000, 100,100,1639,0,0,0,0,0\n "
     "                                ^~~~\nR_linea.txt:4:32: warning: `indicatori_vmax` field "
     "`vcs` 1639 km/h is outside its range 0 to 1635\n  indicatori_vmax, 1000, "
     "100,100,1639,0,0,0,0,0\n                                 ^~~~\nR_linea.txt:5:24: warning: "
     "`indicatori_vmax` field `vas` 1638 km/h is outside its range 0 to 1635\n  indicatori_vmax, "
     "2000, 1638,100,100,0,40,0,0,0\n                         ^~~~\nR_linea.txt:5:24: error 25: "
     "`indicatori_vmax` fields `vas` 1638 and `vad` 40 make 1638 x 20 + 40 / 5 = 32768, which does "
     "not fit 16 bits\n  indicatori_vmax, 2000, 1638,100,100,0,40,0,0,0\n                         "
     "^~~~\nR_7-.txt:2:46: warning: `stazione` field `ore` 596523 h is outside its range 0 to 23\n "
     " stazione, 0, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 596523,14,8, PRIMA\n                           "
     "                    ^~~~~~\nR_7-.txt:2:46: error 25: `stazione` time 596523 h 14 min 8 s "
     "does not fit 32 bits of seconds\n  stazione, 0, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 596523,14,8, "
     "PRIMA\n                                               ^~~~~~\n3 errors, 3 warnings\n"},
    // Each station past the slots the boards leave is an error of its own.
    {"StazioniOltreIPostiDeiCartelli", cartelli(77),
     prima + "stazione, 1500, 24, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,2,0, B\r\n" +
         "stazione, 2500, 24, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,4,0, C\r\n",
     "R_7-.txt:3:1: error 10: no station slot left: stations and signboard texts share slots 1 "
     "to 80, and with 77 signboards there is room for 1 station\n  stazione, 1500, 24, 600, "
     "0,0,0, 1,1,0, 4,1,1, 1, 8,2,0, B\n  ^~~~~~~~\nR_7-.txt:4:1: error 10: no station slot "
     "left: stations and signboard texts share slots 1 to 80, and with 77 signboards there is "
     "room for 1 station\n  stazione, 2500, 24, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,4,0, C\n  "
     "^~~~~~~~\n2 errors, 0 warnings\n"},
};

// The usual mistakes of an author, one each, with the words both commands use.
const caso errori_comuni[] = {
    {"CampoMancanteSullaRiga", "",
     prima +
         "segnale, 1800, 2, 4, 0, 0, 0, 0, 0,0,0\r\nsegnale, 2400, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n",
     "R_7-.txt:3:1: error 25: `segnale` takes 11 numbers, and this record has 10: \"segnale\" on "
     "line 4 would be its `tempo`\n"
     "  segnale, 1800, 2, 4, 0, 0, 0, 0, 0,0,0\n"
     "  ^~~~~~~\n"
     "R_7-.txt:4:1: note: read as the record's `tempo` here\n"
     "  segnale, 2400, 2, 4, 0, 0, 0, 0, 0,0,0, 0\n"
     "  ^~~~~~~\n"
     "1 error, 0 warnings\n"},
    {"SegnaleTroppoVicinoAllInizio", "", "segnale, 300, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n",
     "R_7-.txt:2:10: error 25: `segnale` field `posizione` 300 m is below 325 m, the least the "
     "compiler takes: a signal needs 325 m before it for its four approach cells\n"
     "  segnale, 300, 2, 4, 0, 0, 0, 0, 0,0,0, 0\n"
     "           ^~~\n"
     "1 error, 0 warnings\n"},
    {"SegnaleSullaFermata", "", prima + "segnale, 500, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n",
     "R_7-.txt:3:10: error 16: `segnale` at 500 m falls in cell 11 (500 m), which already holds "
     "the stop marker of station `PRIMA`: two point features never share a 50 m cell (position 500 "
     "m)\n"
     "  segnale, 500, 2, 4, 0, 0, 0, 0, 0,0,0, 0\n"
     "           ^~~\n"
     "R_7-.txt:2:1: note: the stop marker of station `PRIMA` in cell 11 comes from this `stazione` "
     "at 0 m\n"
     "  stazione, 0, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, PRIMA\n"
     "  ^~~~~~~~\n"
     "1 error, 0 warnings\n"},
    {"DopoUnErroreUnSegnaleBuono", "",
     prima + "segnale, 500, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\nsegnale, 1800, 2, 4, 0, 0, 0, 0, 0,0,0, "
             "0\r\n",
     "R_7-.txt:3:10: error 16: `segnale` at 500 m falls in cell 11 (500 m), which already holds "
     "the stop marker of station `PRIMA`: two point features never share a 50 m cell (position 500 "
     "m)\n"
     "  segnale, 500, 2, 4, 0, 0, 0, 0, 0,0,0, 0\n"
     "           ^~~\n"
     "R_7-.txt:2:1: note: the stop marker of station `PRIMA` in cell 11 comes from this `stazione` "
     "at 0 m\n"
     "  stazione, 0, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, PRIMA\n"
     "  ^~~~~~~~\n"
     "1 error, 0 warnings\n"},
    {"PuntoEVirgola", "", "segnale; 1800; 2; 4; 0; 0; 0; 0; 0;0;0; 0\r\n" + prima,
     "R_7-.txt:2:1: error 25: fields are separated by commas, not `;`: `segnale; 1800; 2; 4; 0; 0; "
     "0; 0; 0;0;...` is read as one keyword field, so `segnale` finds no numbers after it\n"
     "  segnale; 1800; 2; 4; 0; 0; 0; 0; 0;0;0; 0\n"
     "  ^~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\n"
     "  segnale, 1800, 2, 4, 0, 0, 0, 0, 0,0,0, 0\n"
     "1 error, 0 warnings\n"},
    {"CommentoConUnaParola", "", "# il segnale va spostato, poi\r\n" + prima,
     "R_7-.txt:2:1: error 25: `# il segnale va spostato` is read as a `segnale` record because it "
     "holds `segnale`: the sources have no comments, and a note may stand only before "
     "`[generale]`\n"
     "  # il segnale va spostato, poi\n"
     "  ^~~~~~~~~~~~~~~~~~~~~~~~\n"
     "1 error, 0 warnings\n"},
    {"CommentoCheSiLegge", "", "# sabbia, 10\r\n" + prima,
     "R_7-.txt:2:1: warning: `# sabbia` is read as a `sabbia` record because it holds `sabbia`: "
     "the sources have no comments, and a note may stand only before `[generale]`\n"
     "  # sabbia, 10\n"
     "  ^~~~~~~~\n"
     "0 errors, 1 warning\n"},
    {"GalleriaAlContrario", "montagna, 2400, 2000, 11\r\nmontagna, 3000, 3020, 1\r\n", prima,
     "R_linea.txt:4:17: warning: `montagna` ends at 2000 m, before its start at 2400 m, so no cell "
     "is marked as a tunnel\n"
     "  montagna, 2400, 2000, 11\n"
     "                  ^~~~\n"
     "R_linea.txt:5:17: warning: `montagna` field `fine` 3020 m falls between two cells of 50 m: "
     "it is taken as cell 60, at 3000 m\n"
     "  montagna, 3000, 3020, 1\n"
     "                  ^~~~\n"
     "                  3000\n"
     "R_linea.txt:5:17: warning: `montagna` from 3000 m to 3020 m spans no whole cell of 50 m, so "
     "no cell is marked as a tunnel\n"
     "  montagna, 3000, 3020, 1\n"
     "                  ^~~~\n"
     "0 errors, 3 warnings\n"},
    {"CurveSovrapposte", "curvad4, 1000, 300\r\ncurvas2, 1100, 300\r\n", prima,
     "R_linea.txt:5:10: warning: `curvas2` starts at 1100 m, inside the previous curve, which ends "
     "at 1300 m: the track plan turns from 1300 m instead, and curves must not overlap\n"
     "  curvas2, 1100, 300\n"
     "           ^~~~\n"
     "R_linea.txt:4:1: note: the previous curve\n"
     "  curvad4, 1000, 300\n"
     "  ^~~~~~~\n"
     "0 errors, 1 warning\n"},
    // A curve before the start that ends at 0 m still bounds the next.
    {"CurveSovrapposteFinoAZero", "curvad4, -100, 100\r\ncurvad4, -50, 10\r\n", prima,
     "R_linea.txt:4:10: warning: `curvad4` field `inizio` -100 m is outside its range 0 to "
     "1006900\n"
     "  curvad4, -100, 100\n"
     "           ^~~~\n"
     "R_linea.txt:5:10: warning: `curvad4` field `inizio` -50 m is outside its range 0 to 1006900\n"
     "  curvad4, -50, 10\n"
     "           ^~~\n"
     "R_linea.txt:5:10: warning: `curvad4` starts at -50 m, inside the previous curve, which ends "
     "at 0 m: the track plan turns from 0 m instead, and curves must not overlap\n"
     "  curvad4, -50, 10\n"
     "           ^~~\n"
     "R_linea.txt:4:1: note: the previous curve\n"
     "  curvad4, -100, 100\n"
     "  ^~~~~~~\n"
     "0 errors, 3 warnings\n"},
    {"LimiteNonMultiploDi5", "", "velocita, 0, 30\r\nvelocita, 800, 87\r\n" + prima,
     "R_7-.txt:3:16: warning: `velocita` field `limite` 87 km/h is kept as 85 km/h: the format "
     "stores it in steps of 5\n"
     "  velocita, 800, 87\n"
     "                 ^~\n"
     "                 85\n"
     "0 errors, 1 warning\n"},
    {"PosizioneTraDueCelle", "", prima + "segnale, 1810, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n",
     "R_7-.txt:3:10: warning: `segnale` field `posizione` 1810 m falls between two cells of 50 m: "
     "it is taken as cell 37, at 1800 m\n"
     "  segnale, 1810, 2, 4, 0, 0, 0, 0, 0,0,0, 0\n"
     "           ^~~~\n"
     "           1800\n"
     "0 errors, 1 warning\n"},
    {"PrimoLimiteNonAZero", "", "velocita, 800, 100\r\n" + prima,
     "R_7-.txt:2:11: warning: the first `velocita` is at 800 m: nothing fills the cells before it; "
     "start with one at 0 m\n"
     "  velocita, 800, 100\n"
     "            ^~~\n"
     "0 errors, 1 warning\n"},
    {"CampiInPiu", "", prima + "segnale, 1800, 2, 4, 0, 0, 0, 0, 0,0,0, 0, 0\r\n",
     "R_7-.txt:3:44: warning: `segnale` has more fields than it takes, and \"0\" and the rest of "
     "its line are skipped\n"
     "  segnale, 1800, 2, 4, 0, 0, 0, 0, 0,0,0, 0, 0\n"
     "                                             ^\n"
     "0 errors, 1 warning\n"},
    {"RallentamentoSulSegnale", "",
     prima +
         "segnale, 2700, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\nrallentamento, 2700, 50, 200, 0, 1, 0\r\n",
     "R_7-.txt:4:16: error 18: `rallentamento` at 2700 m falls in cell 55 (2700 m), which already "
     "holds a signal: two point features never share a 50 m cell (position 2700 m)\n"
     "  rallentamento, 2700, 50, 200, 0, 1, 0\n"
     "                 ^~~~\n"
     "R_7-.txt:3:1: note: a signal in cell 55 comes from this `segnale` at 2700 m\n"
     "  segnale, 2700, 2, 4, 0, 0, 0, 0, 0,0,0, 0\n"
     "  ^~~~~~~\n"
     "1 error, 0 warnings\n"},
};

class Controllo : public ::testing::TestWithParam<caso> {};

TEST_P(Controllo, RapportoParolaPerParola) {
  const caso& c = GetParam();
  EXPECT_EQ(rapporto(sorgenti(c.linea, c.treno, c.interi)), c.atteso);
}

INSTANTIATE_TEST_SUITE_P(Sorgenti, Controllo, ::testing::ValuesIn(casi),
                         [](const auto& i) { return std::string(i.param.nome); });
INSTANTIATE_TEST_SUITE_P(ErroriComuni, Controllo, ::testing::ValuesIn(errori_comuni),
                         [](const auto& i) { return std::string(i.param.nome); });

// Where a record of the agreement table goes.
enum class posto_record { generale, linea, treno };

struct caso_compilatore {
  const char* nome;
  posto_record dove;
  std::string record;
  int32_t codice;  // what compile records for the record alone
  int lunghezza = 4000;
};

void PrintTo(const caso_compilatore& c, std::ostream* os) { *os << c.nome; }

// The route with the record `volte` times in its place.
testi_sorgenti con_record(const caso_compilatore& c, int volte) {
  std::string r;
  for (int i = 0; i < volte; ++i) r += c.record;
  const auto se = [&](posto_record p) { return c.dove == p ? r : ""; };
  return {"[generale]\r\nlunghezza percorso, " + std::to_string(c.lunghezza) + "\r\n" +
              se(posto_record::generale) + "[curve]\r\n" + se(posto_record::linea) + "[fine]\r\n",
          "[generale]\r\n" + se(posto_record::treno) + "[fine]\r\n"};
}

std::vector<diagnostica> errori(const testi_sorgenti& t) {
  std::vector<diagnostica> e = controlla(t, opzioni).elenco();
  std::erase_if(e, [](const diagnostica& d) { return !d.errore(); });
  return e;
}

std::string testo(const std::vector<diagnostica>& e, const testi_sorgenti& t) {
  std::string s;
  for (const diagnostica& d : e) s += strumento::testo_diagnostica(d, {t, opzioni});
  return s;
}

// Both sides of each edge the compiler draws: where it compiles, check finds no error; where
// it stops, check's one error is its verdict, and the same record again (which the compile no
// longer reaches) is found by check's own reading with the same code.
const caso_compilatore casi_compilatore[] = {
    {"RecordSuDueRighe", posto_record::linea, "pendenza, 100,\r\n 5\r\n", 0},
    {"StazioneSuTreRighe", posto_record::treno,
     "stazione,\r\n 0, 8,\r\n 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, PRIMA\r\n", 0},
    // Fields holding "-" are passed over: up to ten in the general section, two after it.
    {"NoveTrattiniNellaGenerale", posto_record::generale,
     "-1,-1,-1,-1,-1,-1,-1,-1,-1, -lunghezza percorso, -1\r\n", 0},
    {"DieciTrattiniNellaGenerale", posto_record::generale,
     "-1,-1,-1,-1,-1,-1,-1,-1,-1,-1, -lunghezza percorso, -1\r\n", 25},
    {"UnTrattinoDopo", posto_record::linea, "-1, -pendenza, 10901, 1\r\n", 0},
    {"DueTrattiniDopo", posto_record::linea, "-1, -1, -pendenza, 10901, 1\r\n", 15},
    {"UnTrattinoNelTreno", posto_record::treno, "-1, -sabbia, 40000\r\n", 0},
    {"DueTrattiniNelTreno", posto_record::treno, "-1, -1, -sabbia, 40000\r\n", 25},
    // The general section ends at a field with both brackets.
    {"GeneraleNonChiusa", posto_record::generale, "[x\r\nlunghezza percorso, -1\r\n", 25},
    {"GeneraleChiusa", posto_record::generale, "[x]\r\nlunghezza percorso, -1\r\n", 0},
    // After an unknown keyword, the next field on its line is a keyword field.
    {"DopoUnaParolaSconosciuta", posto_record::linea, "xx, pendenza, 10901, 1\r\n", 15},
    {"LunghezzaZero", posto_record::generale, "lunghezza percorso, 0\r\n", 0},
    {"LunghezzaNegativa", posto_record::generale, "lunghezza percorso, -1\r\n", 25},
    {"LunghezzaMassima", posto_record::generale, "lunghezza percorso, 1000000\r\n", 0},
    {"LunghezzaOltre", posto_record::generale, "lunghezza percorso, 1000001\r\n", 1},
    {"RipetizioneCon9", posto_record::generale, "ripetizione segnali 9 codici, 0, 0\r\n", 0},
    {"RipetizioneSenzaCifra", posto_record::generale, "ripetizione segnali codici, 0, 0\r\n", 5},
    {"RipetizioneFuoriPasso", posto_record::generale, "ripetizione segnali 4, 25, 0\r\n", 3},
    {"CurvaClasse6", posto_record::linea, "curvad6, 100, 100\r\n", 0},
    {"CurvaClasse7", posto_record::linea, "curvad7, 100, 100\r\n", 103},
    {"TracciatoFinoAlMilione", posto_record::linea, "curvad4, 999000, 999\r\n", 0, 1000000},
    {"TracciatoOltreIlMilione", posto_record::linea, "curvad4, 999000, 1000\r\n", 103, 1000000},
    {"PendenzaAllUltimaPosizione", posto_record::linea, "pendenza, 10900, 1\r\n", 0},
    {"PendenzaOltre", posto_record::linea, "pendenza, 10901, 1\r\n", 15},
    // Every keyword with a position check, at its last position and one metre past it.
    {"CurvaAllUltimaPosizione", posto_record::linea, "curvad4, 10900, 1\r\n", 0},
    {"CurvaOltre", posto_record::linea, "curvad4, 10901, 1\r\n", 15},
    {"GalleriaAllUltimaPosizione", posto_record::linea, "montagna, 10900, 10950, 1\r\n", 0},
    {"GalleriaOltre", posto_record::linea, "montagna, 10901, 10950, 1\r\n", 15},
    {"IndicatoreAllUltimaPosizione", posto_record::linea,
     "indicatori_vmax, 10900, 100,100,100,0,,,,0\r\n", 0},
    {"IndicatoreOltre", posto_record::linea, "indicatori_vmax, 10901, 100,100,100,0,,,,0\r\n", 15},
    {"CartelloAllUltimaPosizione", posto_record::linea, "cartello_indicatore, 10900, (A)\r\n", 0},
    {"CartelloOltre", posto_record::linea, "cartello_indicatore, 10901, (A)\r\n", 15},
    {"LimiteAllUltimaPosizione", posto_record::treno, "velocita, 10900, 100\r\n", 0},
    {"LimiteOltre", posto_record::treno, "velocita, 10901, 100\r\n", 15},
    {"AderenzaAllUltimaPosizione", posto_record::treno, "aderenza, 10900, 100\r\n", 0},
    {"AderenzaOltre", posto_record::treno, "aderenza, 10901, 100\r\n", 15},
    {"SegnaleAllUltimaPosizione", posto_record::treno,
     "segnale, 10900, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n", 0},
    {"SegnaleOltre", posto_record::treno, "segnale, 10901, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n", 15},
    {"RallentamentoAllUltimaPosizione", posto_record::treno,
     "rallentamento, 10900, 50, 0, 0, 0, 0\r\n", 0},
    {"RallentamentoOltre", posto_record::treno, "rallentamento, 10901, 50, 0, 0, 0, 0\r\n", 15},
    {"AbbattimentoAllUltimaPosizione", posto_record::treno, "abbattimento, 10900, 1\r\n", 0},
    {"AbbattimentoOltre", posto_record::treno, "abbattimento, 10901, 1\r\n", 15},
    {"CartelloAMeno75", posto_record::linea, "cartello_indicatore, -75, (A)\r\n", 0},
    {"CartelloAMeno76", posto_record::linea, "cartello_indicatore, -76, (A)\r\n", 25},
    {"IndicatoreAMeno75", posto_record::linea, "indicatori_vmax, -75, 100,100,100,0,,,,0\r\n", 0},
    {"IndicatoreAMeno76", posto_record::linea, "indicatori_vmax, -76, 100,100,100,0,,,,0\r\n", 25},
    {"GruppoCheEntra", posto_record::linea, "indicatori_vmax, 1000, 1638,100,100,0,35,,,0\r\n", 0},
    {"GruppoCheNonEntra", posto_record::linea, "indicatori_vmax, 1000, 1638,100,100,0,40,,,0\r\n",
     25},
    {"Limite1277", posto_record::treno, "velocita, 0, 1277\r\n", 0},
    {"Limite1278", posto_record::treno, "velocita, 0, 1278\r\n", 25},
    {"LimiteMeno2", posto_record::treno, "velocita, 0, -2\r\n", 0},
    {"LimiteMeno3", posto_record::treno, "velocita, 0, -3\r\n", 25},
    {"Sabbia32767", posto_record::treno, "sabbia, 32767\r\n", 0},
    {"Sabbia32768", posto_record::treno, "sabbia, 32768\r\n", 25},
    {"SabbiaMeno32768", posto_record::treno, "sabbia, -32768\r\n", 0},
    {"SabbiaMeno32769", posto_record::treno, "sabbia, -32769\r\n", 25},
    {"Orologio32767", posto_record::treno, "orologio, 32767, 0, 0\r\n", 0},
    {"Orologio32768", posto_record::treno, "orologio, 32768, 0, 0\r\n", 25},
    {"SegnaleA325", posto_record::treno, "segnale, 325, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n", 0},
    {"SegnaleA324", posto_record::treno, "segnale, 324, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n", 25},
    {"AbbattimentoAMeno25", posto_record::treno, "abbattimento, -25, 1\r\n", 0},
    {"AbbattimentoAMeno26", posto_record::treno, "abbattimento, -26, 1\r\n", 25},
    {"RallentamentoAMeno75", posto_record::treno, "rallentamento, -75, 50, 200, 0, 0, 0\r\n", 0},
    {"RallentamentoAMeno76", posto_record::treno, "rallentamento, -76, 50, 200, 0, 0, 0\r\n", 25},
    {"StazioneTipo255", posto_record::treno,
     "stazione, 0, 255, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, P\r\n", 0},
    {"StazioneTipo256", posto_record::treno,
     "stazione, 0, 256, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, P\r\n", 25},
    {"StazioneIntero1Meno32768", posto_record::treno,
     "stazione, 0, 8, 600, 0,0,0, -32768,1,0, 4,1,1, 1, 8,0,0, P\r\n", 0},
    {"StazioneIntero1Meno32769", posto_record::treno,
     "stazione, 0, 8, 600, 0,0,0, -32769,1,0, 4,1,1, 1, 8,0,0, P\r\n", 25},
    {"StazioneOrarioCheEntra", posto_record::treno,
     "stazione, 0, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 596523,14,7, P\r\n", 0},
    {"StazioneOrarioCheNonEntra", posto_record::treno,
     "stazione, 0, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 596523,14,8, P\r\n", 25},
    {"StazioneAllUltimaPosizione", posto_record::treno,
     "stazione, 10200, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, P\r\n", 0},
    {"StazioneOltre", posto_record::treno,
     "stazione, 10250, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, P\r\n", 15},
    {"StazioneFuoriPasso", posto_record::treno,
     "stazione, 25, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, P\r\n", 8},
    {"StazioneLungaFuoriPasso", posto_record::treno,
     "stazione, 0, 8, 650, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, P\r\n", 9},
};

class ControlloECompilatore : public ::testing::TestWithParam<caso_compilatore> {};

TEST_P(ControlloECompilatore, StessoVerdetto) {
  const caso_compilatore& c = GetParam();
  const testi_sorgenti una = con_record(c, 1);
  ASSERT_EQ(compila(una, opzioni).risultato.codice, c.codice);
  std::vector<diagnostica> e = errori(una);
  if (c.codice == 0) {
    EXPECT_TRUE(e.empty()) << testo(e, una);
    return;
  }
  ASSERT_EQ(e.size(), 1u) << testo(e, una);
  EXPECT_EQ(e[0].codice, c.codice);
  const testi_sorgenti due = con_record(c, 2);
  e = errori(due);
  ASSERT_EQ(e.size(), 2u) << testo(e, due);
  EXPECT_EQ(e[1].codice, c.codice) << testo(e, due);
  EXPECT_GT(e[1].dove.riga, e[0].dove.riga) << testo(e, due);
}

INSTANTIATE_TEST_SUITE_P(Bordi, ControlloECompilatore, ::testing::ValuesIn(casi_compilatore),
                         [](const auto& i) { return std::string(i.param.nome); });

TEST(Controllo, IlPrimoErroreEIlVerdettoDelCompilatore) {
  const testi_sorgenti t{test::linea_minima(),
                         test::treno_minimo("segnale, 1000, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n"
                                            "segnale, 1000, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n")};
  const compilazione c = compila(t, opzioni);
  ASSERT_NE(c.risultato.codice, 0);
  ASSERT_TRUE(c.verdetto);
  const raccolta_diagnostiche p = controlla(t, opzioni);
  ASSERT_FALSE(p.elenco().empty());
  const diagnostica& primo = p.elenco()[0];
  EXPECT_TRUE(primo.errore());
  EXPECT_EQ(primo.codice, c.risultato.codice);
  EXPECT_EQ(primo.posizione, c.risultato.posizione);
  EXPECT_EQ(primo.file, c.verdetto->file);
  EXPECT_EQ(primo.dove, c.verdetto->dove);
  EXPECT_EQ(primo.messaggio, c.verdetto->messaggio);
}

TEST(Controllo, PercorsoSpeditoEMinimoSenzaProblemi) {
  const opzioni_compilazione spedito;
  EXPECT_TRUE(controlla({test::linea_spedita(), test::treno_spedito()}, spedito).elenco().empty());
  EXPECT_TRUE(
      compila({test::linea_spedita(), test::treno_spedito()}, spedito).problemi.elenco().empty());
  EXPECT_TRUE(
      controlla({testo_esempio(file_sorgente::linea), testo_esempio(file_sorgente::treno)}, opzioni)
          .elenco()
          .empty());
}

TEST(Controllo, SeveroFaDegliAvvisiErrori) {
  const testi_sorgenti t{test::linea_minima("pendenza, 0, 500\r\n"), test::treno_minimo()};
  raccolta_diagnostiche p = controlla(t, opzioni);
  ASSERT_EQ(p.elenco().size(), 1u);
  EXPECT_FALSE(p.elenco()[0].errore());
  severo(p);
  EXPECT_TRUE(p.elenco()[0].errore());
  EXPECT_EQ(strumento::riassunto(p), "1 error, 0 warnings");
}

TEST(Controllo, ParolaPiuVicina) {
  EXPECT_EQ(piu_vicina("stazoine", {"segnale", "stazione"}), "stazione");
  EXPECT_EQ(piu_vicina("SEGNALE", {"segnale", "stazione"}), "segnale");
  EXPECT_EQ(piu_vicina("qwertyuiop", {"segnale", "stazione"}), "");
}

}  // namespace
}  // namespace scenario
