// docs/sorgenti.md shows the table of keywords and fields as it is, and regenerating it
// replaces only its generated parts.
#include "tools/docs/documento_sorgenti.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "tests/aiuti_test.h"

namespace scenario::strumento {
namespace {

TEST(DocumentoSorgenti, MostraLaTabellaComE) {
  const std::string testo = test::leggi_file(CARTELLA_SORGENTI "/docs/sorgenti.md");
  ASSERT_FALSE(testo.empty());
  EXPECT_EQ(aggiorna_documento(testo), testo)
      << "docs/sorgenti.md is out of step with compiler/campi_sorgenti.cc: run "
         "cmake --build build --target rigenera_documento_sorgenti";
  // Every generated part is there once.
  for (const char* parte : {"sezioni-linea", "sezioni-treno", "parole-linea", "parole-treno",
                            "tipi-stazione", "codici", "esempio-linea", "esempio-treno"}) {
    const std::string marcatore = std::string("<!-- generato: ") + parte + " -->";
    const std::size_t p = testo.find(marcatore);
    EXPECT_NE(p, std::string::npos) << parte;
    EXPECT_EQ(testo.find(marcatore, p + 1), std::string::npos) << parte;
  }
}

TEST(DocumentoSorgenti, AggiornaSoloLeParti) {
  const std::string vecchio =
      "a\n<!-- generato: tipi-stazione -->\nvecchio\n<!-- fine generato -->\nb\n";
  const std::string nuovo = aggiorna_documento(vecchio);
  EXPECT_EQ(nuovo, "a\n<!-- generato: tipi-stazione -->\n" + *parte_generata("tipi-stazione") +
                       "<!-- fine generato -->\nb\n");
  EXPECT_THROW(aggiorna_documento("<!-- generato: nessuna -->\n<!-- fine generato -->"),
               std::invalid_argument);
  EXPECT_THROW(aggiorna_documento("<!-- generato: codici -->\nsenza fine"), std::invalid_argument);
}

}  // namespace
}  // namespace scenario::strumento
