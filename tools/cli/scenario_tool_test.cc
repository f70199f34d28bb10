// scenario-tool as an author uses it: export, compile, the status line, the exit statuses, and
// output that cannot be written whole.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
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
  EXPECT_EQ(uscita_,
            "compiled route ARONA_DOMODOSSOLA, train 324 into ARONA_DOMODOSSOLA_linea.dat, "
            "ARONA_DOMODOSSOLA_324.sim, ARONA_DOMODOSSOLA_324.dat\n"
            "codice_errore=0 posizione_errore=0\n");
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
  EXPECT_EQ(errori_.substr(0, errori_.find('\n') + 1), "scenario-tool:  Errore n. 1250\n");
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

// With the names given, a missing source is the compile's code 101 or 25, named by its full
// path; a missing folder ends before any lock.
TEST_F(Strumento, SorgentiMancantiSonoIlCodice101) {
  EXPECT_EQ(esegui("compile --route R --train 7"), 1);
  EXPECT_EQ(uscita_, "codice_errore=101 posizione_errore=0\n");
  const std::string c = cartella_.string();
  EXPECT_EQ(errori_,
            "R_linea.txt: error 101: the line description is missing\n"
            "scenario-tool: no source " +
                c +
                "/R_linea.txt\n"
                "scenario-tool: no source " +
                c + "/R_7-.txt\n");
  test::scrivi_file(cartella_ / "R_linea.txt", test::linea_minima());
  EXPECT_EQ(esegui("compile --route R --train 7"), 1);
  EXPECT_EQ(errori_,
            "R_7-.txt: error 25: the train service file does not exist\n"
            "scenario-tool: no source " +
                c + "/R_7-.txt\n");
  EXPECT_EQ(esegui("compile --dir altrove/sotto --route R --train 7"), 4);
  EXPECT_EQ(errori_, "scenario-tool: no folder " + c + "/altrove/sotto\n");
  EXPECT_EQ(uscita_, "");
  EXPECT_FALSE(fs::exists(cartella_ / "altrove"));
}

// Output that cannot be written whole (a full disk, a file-size limit) ends the command with
// status 4 and the reason, never 0, and an --out file cut by the limit is not left behind.
TEST_F(Strumento, UscitaNonScrittaNonEUnSuccesso) {
  ASSERT_EQ(esegui("export"), 0);
  ASSERT_EQ(esegui("compile"), 0) << errori_;
  const std::string pieno =
      "scenario-tool: cannot write standard output: No space left on device\n";
  const std::string limite = "scenario-tool: cannot write standard output: File too large\n";
  const struct {
    const char* riga;  // @ is scenario-tool
    std::string errori;
  } casi[] = {
      {"@ dump >/dev/full", pieno},
      {"@ dump --json >/dev/full", pieno},
      {"@ check --json >/dev/full", pieno},
      {"@ compile >/dev/full", pieno},
      {"ulimit -f 1; @ dump --json >dump.json", limite},
      {"ulimit -f 1; @ plot --out piano.png",
       "scenario-tool: piano.png: cannot be written: File too large\n"},
  };
  for (const auto& k : casi) {
    std::string riga = k.riga;
    riga.replace(riga.find('@'), 1, "'" CARTELLA_BUILD "/scenario-tool'");
    const int stato =
        std::system(("cd '" + cartella_.string() + "' && (" + riga + ") 2>errori.log").c_str());
    EXPECT_TRUE(WIFEXITED(stato) && WEXITSTATUS(stato) == 4) << k.riga << ": " << stato;
    EXPECT_EQ(file("errori.log"), k.errori) << k.riga;
  }
  for (const auto& voce : fs::directory_iterator(cartella_)) {
    EXPECT_FALSE(voce.path().filename().string().starts_with("piano.png")) << voce.path();
  }
}

// Out of memory: status 8 and its line, the earlier compiled files kept and nothing left
// behind. The address space is capped below the source's size, so reading it fails.
TEST_F(Strumento, MemoriaEsauritaTieneICompilatiDiPrima) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the sanitizer's shadow memory needs more address space than the cap leaves";
#endif
  test::scrivi_file(cartella_ / "R_linea.txt", test::linea_minima());
  test::scrivi_file(cartella_ / "R_7-.txt", test::treno_minimo());
  ASSERT_EQ(esegui("compile --route R --train 7 -q"), 0) << errori_;
  test::scrivi_file(cartella_ / "R_linea.txt", test::linea_minima() + std::string(48 << 20, ' '));
  const auto prima = contenuto();
  const int stato = std::system(("cd '" + cartella_.string() +
                                 "' && prlimit --as=41943040 '" CARTELLA_BUILD
                                 "/scenario-tool' compile --route R --train 7 >uscita.log "
                                 "2>errori.log")
                                    .c_str());
  EXPECT_TRUE(WIFEXITED(stato) && WEXITSTATUS(stato) == 8) << stato;
  EXPECT_EQ(file("uscita.log"), "");
  EXPECT_EQ(file("errori.log"), "scenario-tool: out of memory: the run stopped\n");
  fs::remove(cartella_ / "uscita.log");
  fs::remove(cartella_ / "errori.log");
  EXPECT_EQ(contenuto(), prima);
}

// A reader that has closed the pipe ends the command as it ends any program, by SIGPIPE, with
// nothing on standard error.
TEST_F(Strumento, TuboChiusoFinisceInSilenzio) {
  ASSERT_EQ(esegui("export"), 0);
  ASSERT_EQ(esegui("compile"), 0) << errori_;
  int tubo[2];
  ASSERT_EQ(::pipe(tubo), 0);
  ::close(tubo[0]);
  const std::string errori = (cartella_ / "errori.log").string();
  const pid_t figlio = ::fork();
  if (figlio == 0) {
    const int e = ::open(errori.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (e < 0 || ::dup2(tubo[1], STDOUT_FILENO) < 0 || ::dup2(e, STDERR_FILENO) < 0 ||
        ::chdir(cartella_.c_str()) != 0) {
      ::_exit(127);
    }
    ::execl(CARTELLA_BUILD "/scenario-tool", "scenario-tool", "dump", "--json", nullptr);
    ::_exit(127);
  }
  ::close(tubo[1]);
  int stato = 0;
  ASSERT_EQ(::waitpid(figlio, &stato, 0), figlio);
  EXPECT_TRUE(WIFSIGNALED(stato) && WTERMSIG(stato) == SIGPIPE) << stato;
  EXPECT_EQ(file("errori.log"), "");
}

}  // namespace
}  // namespace scenario::strumento
