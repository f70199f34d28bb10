// scenario-tool as an author uses it: export, compile, the status line, the exit statuses.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "tests/aiuti_test.h"

namespace scenario::strumento {
namespace {

namespace fs = std::filesystem;

class Strumento : public test::cartella_di_prova {
 protected:
  int esegui(const std::string& argomenti) { return esegui_strumento(argomenti); }
};

TEST_F(Strumento, EsportaECompilaComeIlPacchetto) {
  ASSERT_EQ(esegui("export"), 0);
  ASSERT_EQ(esegui("compile"), 0) << errori_;
  EXPECT_EQ(uscita_, "codice_errore=0 posizione_errore=0\n");
  EXPECT_TRUE(fs::exists(cartella_ / "ARONA_DOMODOSSOLA_linea.txt"));
  EXPECT_TRUE(fs::exists(cartella_ / "ARONA_DOMODOSSOLA_324-.txt"));
  const auto atteso = test::compila(test::linea_spedita(), test::treno_spedito());
  for (const auto& [nome, byte] : atteso.file.file) EXPECT_EQ(file(nome), byte) << nome;
}

TEST_F(Strumento, CodiceRegistratoConFileRigaEPosizione) {
  test::scrivi_file(cartella_ / "R_7-.txt",
                    "[generale]\r\nsabbia, 10\r\nstazione, 25, 24, 600, 0,0,0, 0,0,0, 0,0,0, 0, "
                    "12,0,0, X\r\n[fine]\r\n");
  test::scrivi_file(cartella_ / "R_linea.txt", test::linea_minima());
  ASSERT_EQ(esegui("compile --route R --train 7 --no-plan"), 1);
  EXPECT_EQ(uscita_, "codice_errore=8 posizione_errore=25\n");
  EXPECT_EQ(errori_,
            "R_7-.txt:3:11: error 8: `stazione` field `posizione` 25 m is not a multiple of 50 "
            "(position 25 m)\n"
            "  stazione, 25, 24, 600, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, X\n"
            "            ^~\n"
            "            50\n");
  EXPECT_TRUE(fs::exists(cartella_ / "R_7.dat"));
  EXPECT_TRUE(fs::exists(cartella_ / "R_7.sim"));
  EXPECT_FALSE(fs::exists(cartella_ / "R_linea.dat"));
}

TEST_F(Strumento, ErroreDiIdentitaNonScriveNulla) {
  test::scrivi_file(cartella_ / "R_linea.txt", test::linea_minima());
  test::scrivi_file(cartella_ / "R_7-.txt",
                    test::treno_minimo("rallentamento, 0, 50, 200, 0, 0, 0\r\n"));
  EXPECT_EQ(esegui("compile --route R --train 7"), 3);
  EXPECT_NE(errori_.find(" Errore n. 1250"), std::string::npos);
  EXPECT_EQ(uscita_, "codice_errore=0 posizione_errore=0\n");
  EXPECT_FALSE(fs::exists(cartella_ / "R_7.dat"));
}

TEST_F(Strumento, FileNonScrivibileDopoLaCompilazione) {
  test::scrivi_file(cartella_ / "R_linea.txt", test::linea_minima());
  test::scrivi_file(cartella_ / "R_7-.txt",
                    test::treno_minimo("segnale, 63950, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n"));
  fs::create_directory(cartella_ / "R_7.sim");
  EXPECT_EQ(esegui("compile --route R --train 7 --no-plan"), 4);
  EXPECT_NE(errori_.find("R_7.sim"), std::string::npos) << errori_;
  EXPECT_EQ(uscita_, "codice_errore=15 posizione_errore=63950\n");
}

TEST_F(Strumento, NomiRifiutatiEUsoSbagliato) {
  for (const char* argomenti :
       {"compile --route ''", "compile --route ../x", "compile --train a/b", "compile --train ..",
        "compile --route \"$(printf 'a\\001b')\"", "compile --frobnicate", "nessuno"}) {
    EXPECT_EQ(esegui(argomenti), 2) << argomenti;
  }
  EXPECT_EQ(esegui("compile --help"), 0);
}

// The message names the source as the author can open it from where the command ran.
TEST_F(Strumento, IlFileDelMessaggioSiApreDaDoveSiEra) {
  fs::create_directories(cartella_ / "lago");
  test::scrivi_file(cartella_ / "lago/R_linea.txt", test::linea_minima());
  test::scrivi_file(cartella_ / "lago/R_7-.txt",
                    test::treno_minimo("stazione, 25, 24, 600, 0,0,0, 0,0,0, 0,0,0, 0, "
                                       "12,0,0, X\r\n"));
  const std::string errore =
      ":2:11: error 8: `stazione` field `posizione` 25 m is not a multiple of 50 (position 25 "
      "m)\n";
  const std::pair<const char*, std::string> casi[] = {
      {"--dir lago", "lago/R_7-.txt"},
      {"--dir lago/", "lago/R_7-.txt"},
      {"--dir ./lago", "./lago/R_7-.txt"},
  };
  for (const auto& [argomento, file] : casi) {
    ASSERT_EQ(esegui(std::string("compile --no-plan ") + argomento), 1) << argomento;
    EXPECT_EQ(errori_.substr(0, errori_.find('\n') + 1), file + errore) << argomento;
  }
  fs::rename(cartella_ / "lago/R_linea.txt", cartella_ / "R_linea.txt");
  fs::rename(cartella_ / "lago/R_7-.txt", cartella_ / "R_7-.txt");
  ASSERT_EQ(esegui("compile --no-plan"), 1);
  EXPECT_EQ(errori_.substr(0, errori_.find('\n') + 1), "R_7-.txt" + errore);
}

// A missing source is named by its full path; a missing folder ends before any lock.
TEST_F(Strumento, SorgentiMancantiSonoIlCodice101) {
  EXPECT_EQ(esegui("compile"), 1);
  EXPECT_EQ(uscita_, "codice_errore=101 posizione_errore=0\n");
  const std::string c = cartella_.string();
  EXPECT_EQ(errori_,
            "ARONA_DOMODOSSOLA_linea.txt: error 101: the line description is missing\n"
            "scenario-tool: no source " +
                c +
                "/ARONA_DOMODOSSOLA_linea.txt\n"
                "scenario-tool: no source " +
                c + "/ARONA_DOMODOSSOLA_324-.txt\n");
  test::scrivi_file(cartella_ / "R_linea.txt", test::linea_minima());
  EXPECT_EQ(esegui("compile --route R --train 7"), 1);
  EXPECT_EQ(errori_,
            "R_7-.txt: error 25: the train service file does not exist\n"
            "scenario-tool: no source " +
                c + "/R_7-.txt\n");
  EXPECT_EQ(esegui("compile --dir altrove/sotto"), 4);
  EXPECT_EQ(errori_, "scenario-tool: no folder " + c + "/altrove/sotto\n");
  EXPECT_EQ(uscita_, "");
  EXPECT_FALSE(fs::exists(cartella_ / "altrove"));
}

}  // namespace
}  // namespace scenario::strumento
