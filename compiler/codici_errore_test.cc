// The author's message: location, reason, the quoted line and the caret under the field, and
// the package's Italian line left as it was. Finding and cutting the line is io/'s.
#include "compiler/codici_errore.h"

#include <gtest/gtest.h>

#include "tests/aiuti_test.h"

namespace scenario {
namespace {

TEST(MessaggioAutore, RigaGiaTagliataESegno) {
  const std::string treno = "[generale]\r\n\tsabbia, 10, segnale, 5000, 2, 4\r\n";
  const auto c = test::compila(test::linea_minima(), treno);
  EXPECT_EQ(messaggio_autore(c.r, "\tsabbia, 10", 3),
            "ARONA_DOMODOSSOLA_324-.txt:2:14: error 25: the file ends inside a record, where a "
            "number was expected\n"
            "   sabbia, 10\n"
            "    ^\n");
  EXPECT_EQ(messaggio_autore(c.r, "sabbia", 0),
            "ARONA_DOMODOSSOLA_324-.txt:2:14: error 25: the file ends inside a record, where a "
            "number was expected\n"
            "  sabbia\n");
  // The package's own line for the same record: Italian, no column.
  EXPECT_EQ(messaggio_errore(c.r.codice, c.r.posizione, c.r.file, static_cast<int32_t>(c.r.riga)),
            "ARONA_DOMODOSSOLA_324-.txt:2: errore 25: errore di lettura dei sorgenti (file "
            "mancante, record incompleto o valore non valido)");
}

TEST(MessaggioAutore, CodiciSenzaLuogoEIdentita) {
  esito r;
  EXPECT_EQ(messaggio_autore(r, ""), "");
  r.codice = 12;
  r.posizione = 5000;
  r.file = "R_1-.txt";
  r.riga = 3;
  EXPECT_EQ(messaggio_autore(r, "x"),
            "error 12: no free cell for a check before the start of a slow order "
            "(position 5000 m)\n");
  r.errore_identita = 1251;
  EXPECT_EQ(messaggio_autore(r, "x"), "error 1251: identity code field already in use\n");
}

}  // namespace
}  // namespace scenario
