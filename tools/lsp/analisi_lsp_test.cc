// The adapter between the checks and the server: each problem over its whole field, blanks
// after it left out, the compiler's code kept, the words in UTF-8.
#include "tools/lsp/analisi_lsp.h"

#include <gtest/gtest.h>

namespace scenario::strumento {
namespace {

diagnostica attesa(int64_t riga, int64_t colonna, int64_t fine, gravita g, int32_t codice,
                   std::string messaggio, std::string file = "R_7-.txt") {
  return {std::move(file), riga, colonna, fine, g, codice, std::move(messaggio)};
}

TEST(AnalisiLsp, OgniProblemaSulSuoCampo) {
  testi_sorgenti t;
  t.linea = "[generale]\r\nlunghezza percorso, 4000\r\n[curve]\r\n[fine]\r\n";
  t.treno =
      "[generale]\r\nsabbia, 10\r\n[vel_limite]\r\nvelocita, 0, 70\xB0\r\n[stazioni]\r\n"
      "stazione,  25, 24, 600, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, X\r\n"
      "segnalle  , 1800\r\n"
      "segnale, 2O00\t, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n[fine]\r\n";
  const std::vector<diagnostica> attese = {
      attesa(4, 1, 9, gravita::errore, 25,
             "code 25: \"70\u00B0\" at line 4 is not a whole number of 32 bits with one sign "
             "at most"),
      attesa(6, 12, 14, gravita::errore, 0,
             "`stazione` field `posizione` 25 is not a multiple of 50 (code 8)"),
      attesa(7, 1, 9, gravita::avviso, 0,
             "unknown keyword `segnalle`, the record is skipped; did you mean `segnale`?"),
      attesa(8, 10, 14, gravita::errore, 0,
             "`segnale` field `posizione` is \"2O00\", not a whole number"),
  };
  EXPECT_EQ(diagnostiche_coppia(t, {"R", "7", true}), attese);
}

// A problem of the pair as a whole has no file and no place.
TEST(AnalisiLsp, SenzaLuogo) {
  testi_sorgenti t;
  t.treno = "[generale]\r\n[fine]\r\n";
  EXPECT_EQ(diagnostiche_coppia(t, {"R", "7", true}),
            std::vector<diagnostica>{attesa(0, 1, 1, gravita::errore, 101,
                                            "code 101: the line description is missing", "")});
}

}  // namespace
}  // namespace scenario::strumento
