// The package's own Italian line for a recorded code: location, meaning and position, and no
// place for a code found after reading.
#include "compiler/codici_errore.h"

#include <gtest/gtest.h>

#include "tests/aiuti_test.h"

namespace scenario {
namespace {

TEST(MessaggioErrore, RigaItalianaDelPacchetto) {
  const std::string treno = "[generale]\r\n\tsabbia, 10, segnale, 5000, 2, 4\r\n";
  const auto c = test::compila(test::linea_minima(), treno);
  EXPECT_EQ(messaggio_errore(c.r.codice, c.r.posizione, c.r.file, static_cast<int32_t>(c.r.riga)),
            "ARONA_DOMODOSSOLA_324-.txt:2: errore 25: errore di lettura dei sorgenti (file "
            "mancante, record incompleto o valore non valido)");
  // A place from line 1 on; line 0 or no file is a code with no place.
  const std::string lettura =
      "errore 25: errore di lettura dei sorgenti (file mancante, record incompleto o valore non "
      "valido)";
  EXPECT_EQ(messaggio_errore(25, 0, "R_linea.txt", 1), "R_linea.txt:1: " + lettura);
  EXPECT_EQ(messaggio_errore(25, 0, "R_linea.txt", 0), lettura);
  EXPECT_EQ(messaggio_errore(25, 0, "", 1), lettura);
  EXPECT_EQ(messaggio_errore(12, 5000, "R_1-.txt", 3),
            "errore 12: nessuna cella libera per un controllo prima dell'inizio del rallentamento "
            "(posizione 5000 m)");
  EXPECT_EQ(messaggio_errore(1251, 0, "", 0),
            "errore 1251: campo del codice di identita' gia' "
            "occupato");
}

}  // namespace
}  // namespace scenario
