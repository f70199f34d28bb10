// The quoted source line: each kind of line end, a missing line, and the cut around the
// column on both sides of the width.
#include "tools/cli/estratto_sorgente.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/aiuti_test.h"

namespace scenario::strumento {
namespace {

struct caso {
  const char* cosa;
  std::string testo;
  std::int64_t riga;
  std::int32_t colonna;
  std::string atteso;
  std::int32_t colonna_attesa;
};

TEST(EstrattoSorgente, RigheEFineRiga) {
  const std::string lunga_200(200, 'a');
  const std::string lunga_201 = std::string(200, 'a') + "b";
  std::string numerata;  // 0123456789 repeated, 400 characters
  for (int i = 0; i < 400; ++i) numerata += static_cast<char>('0' + i % 10);
  const caso casi[] = {
      {"LF", "uno\ndue\ntre\n", 2, 1, "due", 1},
      {"CR LF", "uno\r\ndue\r\ntre\r\n", 3, 2, "tre", 2},
      {"solo CR", "uno\rdue\rtre\r", 2, 0, "due", 0},
      {"misti", "uno\r\rdue\n\r\ntre", 5, 0, "tre", 0},
      {"CR CR e' una riga vuota", "uno\r\rdue", 2, 0, "", 0},
      {"ultima riga senza a capo", "uno\ndue", 2, 0, "due", 0},
      {"oltre la fine", "uno\ndue\n", 3, 0, "", 0},
      {"riga 0", "uno\n", 0, 0, "", 0},
      {"riga oltre 2^31", "uno\n", std::int64_t{1} << 32, 0, "", 0},
      {"200 caratteri interi", lunga_200, 1, 150, lunga_200, 150},
      {"201 tagliati alla fine", lunga_201, 1, 1, std::string(200, 'a') + "...", 1},
      {"201 con la colonna in fondo", lunga_201, 1, 201, "..." + std::string(199, 'a') + "b", 203},
      {"al centro", numerata, 1, 201, "..." + numerata.substr(100, 200) + "...", 104},
  };
  for (const caso& c : casi) {
    const estratto_riga e = estrai_riga(c.testo, c.riga, c.colonna);
    EXPECT_EQ(e.testo, c.atteso) << c.cosa;
    EXPECT_EQ(e.colonna, c.colonna_attesa) << c.cosa;
  }
}

// The whole message over a source: the line found by its own line ends, the caret under the
// field, also when the line is cut around it.
TEST(EstrattoSorgente, MessaggioConLaRigaDelSorgente) {
  const std::string intestazione =
      "ARONA_DOMODOSSOLA_324-.txt:2:14: error 25: the file ends inside a record, where a "
      "number was expected\n";
  const std::string treno = "[generale]\r\n\tsabbia, 10, segnale, 5000, 2, 4\r\n";
  const auto c = test::compila(test::linea_minima(), treno);
  EXPECT_EQ(messaggio_con_sorgente(c.r, treno), intestazione +
                                                    "   sabbia, 10, segnale, 5000, 2, 4\n"
                                                    "               ^\n");
  EXPECT_EQ(messaggio_con_sorgente(c.r, ""), intestazione);

  esito lunga = c.r;  // the same field at column 301 of a line of 600
  lunga.colonna = 301;
  const std::string riga(600, 'x');
  const std::string cr_solo = "[generale]\r" + riga + "\r";
  EXPECT_EQ(messaggio_con_sorgente(lunga, cr_solo),
            "ARONA_DOMODOSSOLA_324-.txt:2:301: error 25: the file ends inside a record, where a "
            "number was expected\n"
            "  ..." +
                std::string(200, 'x') +
                "...\n"
                "  " +
                std::string(103, ' ') + "^\n");
}

}  // namespace
}  // namespace scenario::strumento
