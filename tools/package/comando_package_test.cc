// scenario-tool package as an author uses it, and the package it makes as a driver runs it:
// the same compiled files as compile, the documents as given, sources with errors refused,
// damaged payloads refused with nothing written, and the runtimes found or explained.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "compiler/campi_sorgenti.h"
#include "sources/carico.h"
#include "tests/aiuti_test.h"

namespace scenario::strumento {
namespace {

namespace fs = std::filesystem;

class Package : public test::cartella_di_prova {
 protected:
  int esegui(const std::string& argomenti) { return esegui_strumento(argomenti); }

  // The minimal route of the source-format reference as MIA 7 in r/.
  void route_minima() { ASSERT_EQ(esegui("new --dir r --route MIA --train 7"), 0) << errori_; }

  // Copies `programma` into the empty folder `cartella` and runs it there without a display;
  // the exit status, with standard error in `errori_`.
  int esegui_pacchetto(const fs::path& programma, const std::string& cartella) {
    const fs::path c = cartella_ / cartella;
    fs::create_directories(c);
    fs::copy_file(programma, c / programma.filename(), fs::copy_options::overwrite_existing);
    const std::string comando = "cd '" + c.string() + "' && env -u DISPLAY './" +
                                programma.filename().string() + "' 2>'" +
                                (cartella_ / "errori.log").string() + "'";
    const int stato = std::system(comando.c_str());
    errori_ = file("errori.log");
    fs::remove(cartella_ / "errori.log");
    return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
  }

  // Every file of a folder but `tranne`, by name, with its bytes.
  std::map<std::string, std::string> contenuto(const std::string& cartella,
                                               const std::string& tranne = "") {
    std::map<std::string, std::string> m;
    for (const auto& f : fs::directory_iterator(cartella_ / cartella)) {
      const std::string nome = f.path().filename().string();
      if (nome != tranne) m[nome] = test::leggi_file(f.path());
    }
    return m;
  }

  // The compiled files that `scenario-tool compile` writes for ROUTE_TRAIN in `cartella`.
  std::map<std::string, std::string> compilati(const std::string& cartella,
                                               const std::string& linea, const std::string& treno) {
    esegui("compile --dir " + cartella);
    std::map<std::string, std::string> m;
    for (const std::string& n :
         {linea + "_linea.dat", linea + "_" + treno + ".sim", linea + "_" + treno + ".dat"}) {
      m[n] = file(cartella + "/" + n);
    }
    return m;
  }
};

// Documents as an author may write them: any bytes, the degree sign of Windows-1252, no
// final line end, or nothing at all.
const std::string note = "Note del treno 7\r\nvelocit\xe0 80 km/h, 0\xb0";
const std::string scheda;

TEST_F(Package, LaLineaMinimaImpacchettataScriveCioCheScriveCompile) {
  route_minima();
  test::scrivi_file(cartella_ / "r/MIA_7_note.txt", note);
  test::scrivi_file(cartella_ / "r/MIA_7_scheda_treno.txt", scheda);
  ASSERT_EQ(esegui("package --dir r"), 0) << errori_;
  EXPECT_EQ(errori_, "");
  const std::size_t byte = fs::file_size(cartella_ / "r/dist/MIA_7");
  EXPECT_EQ(uscita_, "r/dist/MIA_7: the Linux package of route MIA, train 7 (" +
                         std::to_string(byte) +
                         " bytes), documents: MIA_7_note.txt, MIA_7_scheda_treno.txt\n");
  EXPECT_EQ(fs::status(cartella_ / "r/dist/MIA_7").permissions() & fs::perms::owner_exec,
            fs::perms::owner_exec);

  std::map<std::string, std::string> attesi = compilati("r", "MIA", "7");
  attesi["MIA_7_note.txt"] = note;
  attesi["MIA_7_scheda_treno.txt"] = scheda;
  for (int giro = 0; giro < 2; ++giro) {
    ASSERT_EQ(esegui_pacchetto(cartella_ / "r/dist/MIA_7", "corsa"), 0) << errori_;
    EXPECT_EQ(errori_, "");
    EXPECT_EQ(contenuto("corsa", "MIA_7"), attesi) << "run " << giro;
  }
}

// The package goes to DIR/dist by default: never beside the sources it would write over when
// run there. An --out in the route folder itself is refused unless --force.
TEST_F(Package, NonFiniscePrimaDeiSorgentiNellaLoroCartella) {
  route_minima();
  for (const char* fuori : {"r/MIA_7", "r/./altro", "./r/../r/MIA_7"}) {
    EXPECT_EQ(esegui(std::string("package --dir r --out ") + fuori), 2) << fuori;
    EXPECT_EQ(errori_, std::string("scenario-tool: --out ") + fuori +
                           " is in the route folder r, whose sources the package would write over "
                           "and delete when run there; the default is r/dist/MIA_7, and --force "
                           "writes it there anyway\n")
        << fuori;
    EXPECT_EQ(uscita_, "") << fuori;
  }
  EXPECT_EQ(contenuto("r").size(), 2u);
  ASSERT_EQ(esegui("package --dir r --out r/MIA_7 --force -q"), 0) << errori_;
  EXPECT_EQ(uscita_, "");
  EXPECT_TRUE(fs::exists(cartella_ / "r/MIA_7"));
  ASSERT_EQ(esegui("package --dir r --out r/dist/sotto/MIA_7"), 0) << errori_;
  EXPECT_TRUE(fs::exists(cartella_ / "r/dist/sotto/MIA_7"));
}

// The author's package run in its route folder: sources edited since it was made are the
// author's, and the run stops with status 7 before it writes or deletes a file.
TEST_F(Package, NonDistruggeISorgentiModificatiDellAutore) {
  route_minima();
  ASSERT_EQ(esegui("package --dir r --out pacchetti/MIA_7"), 0) << errori_;
  test::scrivi_file(cartella_ / "r/MIA_linea.txt",
                    file("r/MIA_linea.txt") + "curvas2, 3000, 100\r\n");
  fs::copy_file(cartella_ / "pacchetti/MIA_7", cartella_ / "r/MIA_7");
  const auto prima = contenuto("r");
  EXPECT_EQ(esegui_pacchetto(cartella_ / "pacchetti/MIA_7", "r"), 7);
  EXPECT_EQ(errori_, "il file " + (cartella_ / "r/MIA_linea.txt").string() +
                         " non e' stato scritto da questo pacchetto: nulla e' stato scritto ne' "
                         "cancellato; eseguire il pacchetto in una cartella propria\n");
  EXPECT_EQ(contenuto("r"), prima);
}

TEST_F(Package, SenzaDocumentiNeScriveNessuno) {
  route_minima();
  fs::create_directories(cartella_ / "pacchetti");
  ASSERT_EQ(esegui("package --dir r --out pacchetti/mia"), 0) << errori_;
  EXPECT_EQ(uscita_.substr(uscita_.find(", documents")), ", documents: none\n");
  EXPECT_FALSE(fs::exists(cartella_ / "r/dist/MIA_7"));
  ASSERT_EQ(esegui_pacchetto(cartella_ / "pacchetti/mia", "corsa"), 0) << errori_;
  EXPECT_EQ(contenuto("corsa", "mia"), compilati("r", "MIA", "7"));
}

// The identity codes come from the author's names: dump finds them right.
TEST_F(Package, IdentitaDaiNomiDellAutore) {
  ASSERT_EQ(esegui("new --dir r --route LAGO_MAGGIORE --train 12"), 0);
  ASSERT_EQ(esegui("package --dir r"), 0) << errori_;
  ASSERT_EQ(esegui_pacchetto(cartella_ / "r/dist/LAGO_MAGGIORE_12", "corsa"), 0) << errori_;
  ASSERT_EQ(esegui("dump --dir corsa"), 0) << errori_;
  EXPECT_NE(uscita_.find("Identity: matches the route and train\n"), std::string::npos);
}

const char* const treno_con_codice =
    "[generale]\r\nstazione, 25, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, P\r\n[fine]\r\n";

TEST_F(Package, SorgentiConErroriRifiutateSenzaForce) {
  fs::create_directories(cartella_ / "r");
  test::scrivi_file(cartella_ / "r/R_linea.txt", test::linea_minima("", 4000));
  test::scrivi_file(cartella_ / "r/R_7-.txt", treno_con_codice);
  EXPECT_EQ(esegui("package --dir r"), 1);
  EXPECT_EQ(uscita_, "");
  EXPECT_EQ(errori_,
            "r/R_7-.txt:2:11: error 8: `stazione` field `posizione` 25 m is not a multiple of 50 "
            "(position 25 m)\n"
            "  stazione, 25, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, P\n"
            "            ^~\n"
            "            50\n"
            "scenario-tool: not packaged: 1 error, 0 warnings (--force packages the sources "
            "anyway)\n");
  EXPECT_FALSE(fs::exists(cartella_ / "r/dist/R_7"));
}

// With --force the package behaves as the shipped one does with a recorded code: the files
// are written, the code is on standard error, the status is 1.
TEST_F(Package, ConForceIlPacchettoRiportaIlCodice) {
  fs::create_directories(cartella_ / "r");
  test::scrivi_file(cartella_ / "r/R_linea.txt", test::linea_minima("", 4000));
  test::scrivi_file(cartella_ / "r/R_7-.txt", treno_con_codice);
  ASSERT_EQ(esegui("package --dir r --force"), 0) << errori_;
  EXPECT_EQ(errori_.substr(errori_.find("scenario-tool:")),
            "scenario-tool: packaged in spite of 1 error, 0 warnings, as --force asks\n");
  EXPECT_EQ(esegui_pacchetto(cartella_ / "r/dist/R_7", "corsa"), 1);
  EXPECT_EQ(errori_,
            "R_7-.txt:2: errore 8: posizione della stazione non multipla di 50 "
            "(posizione 25 m)\n");
  EXPECT_EQ(esegui("compile --dir r"), 1);
  for (const char* nome : {"R_linea.dat", "R_7.sim", "R_7.dat"}) {
    EXPECT_EQ(file(std::string("corsa/") + nome), file(std::string("r/") + nome)) << nome;
  }
}

TEST_F(Package, NomiESorgentiMancanti) {
  EXPECT_EQ(esegui("package --route ../x --train 7"), 2);
  EXPECT_EQ(errori_, "scenario-tool: the name \"../x\" begins with \".\"\n");
  EXPECT_EQ(esegui("package --dir vuota --route R --train 7"), 1);
  EXPECT_EQ(errori_.substr(0, 26), "scenario-tool: no source /");
  EXPECT_FALSE(fs::exists(cartella_ / "vuota/dist/R_7"));
}

// A runtime that already carries a payload (the shipped package) makes the same package as
// the plain runtime: its payload is replaced, not added to.
TEST_F(Package, IlRuntimeConUnCaricoLoLasciaPerIlNuovo) {
  route_minima();
  ASSERT_EQ(esegui("package --dir r --out da_runtime"), 0) << errori_;
  ASSERT_EQ(esegui("package --dir r --out da_spedito --runtime '" PACCHETTO "'"), 0) << errori_;
  EXPECT_EQ(file("da_runtime"), file("da_spedito"));
  EXPECT_EQ(file("da_runtime").substr(0, fs::file_size(CARTELLA_BUILD "/scenario-runtime")),
            test::leggi_file(CARTELLA_BUILD "/scenario-runtime"));
  // One whose payload is damaged cannot be told from its program image: refused.
  std::string rotto = test::leggi_file(PACCHETTO);
  rotto[rotto.size() - dimensione_coda_carico - 10] ^= 0x01;
  test::scrivi_file(cartella_ / "rotto", rotto);
  EXPECT_EQ(esegui("package --dir r --out da_rotto --runtime rotto"), 4);
  ASSERT_EQ(trova_carico(rotto).stato, stato_carico::danneggiato);
  EXPECT_EQ(errori_, "scenario-tool: rotto " + trova_carico(rotto).perche + "\n");
  EXPECT_FALSE(fs::exists(cartella_ / "da_rotto"));
}

// A Windows package made on Linux: the Windows runtime followed by the same payload.
TEST_F(Package, PacchettoWindowsDaUnRuntimeWindows) {
  route_minima();
  test::scrivi_file(cartella_ / "finto.exe", "MZ un runtime di Windows");
  ASSERT_EQ(esegui("package --dir r --windows --runtime finto.exe"), 0) << errori_;
  ASSERT_EQ(esegui("package --dir r"), 0) << errori_;
  const std::string windows = file("r/dist/MIA_7.exe"), linux_ = file("r/dist/MIA_7");
  const carico_letto w = trova_carico(windows), l = trova_carico(linux_);
  ASSERT_EQ(w.stato, stato_carico::letto) << w.perche;
  EXPECT_EQ(w.inizio, 24u);
  EXPECT_EQ(w.c, l.c);
  EXPECT_EQ(windows.substr(w.inizio), linux_.substr(l.inizio));
  EXPECT_EQ(esegui("package --dir r --windows --runtime '" CARTELLA_BUILD "/scenario-runtime'"), 2);
  EXPECT_EQ(errori_,
            "scenario-tool: " CARTELLA_BUILD "/scenario-runtime is not a Windows program\n");
  EXPECT_EQ(esegui("package --dir r --runtime finto.exe"), 2);
  EXPECT_EQ(
      errori_,
      "scenario-tool: finto.exe is not a Linux program (--windows makes a Windows package)\n");
  EXPECT_EQ(esegui("package --dir r --runtime nessuno"), 4);
  EXPECT_EQ(errori_, "scenario-tool: no runtime at nessuno\n");
}

// A scenario-tool with no runtime beside it names the places it looked in, and for Windows
// how to build one.
TEST_F(Package, RuntimeNonTrovato) {
  route_minima();
  fs::create_directories(cartella_ / "bin");
  fs::copy_file(CARTELLA_BUILD "/scenario-tool", cartella_ / "bin/scenario-tool");
  const auto esegui_solo = [&](const std::string& argomenti) {
    const std::string comando = "cd '" + cartella_.string() + "' && bin/scenario-tool " +
                                argomenti + " 2>errori.log >/dev/null";
    const int stato = std::system(comando.c_str());
    errori_ = file("errori.log");
    return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
  };
  const std::string c = cartella_.string();
  EXPECT_EQ(esegui_solo("package --dir r"), 4);
  EXPECT_EQ(errori_, "scenario-tool: package needs scenario-runtime: looked for at " + c +
                         "/bin/scenario-runtime and " + c +
                         "/lib/scenario-tool/scenario-runtime; or give --runtime FILE\n");
  EXPECT_EQ(esegui_solo("package --dir r --windows"), 4);
  EXPECT_EQ(errori_,
            "scenario-tool: package needs scenario-runtime.exe: looked for at " + c +
                "/bin/scenario-runtime.exe and " + c +
                "/lib/scenario-tool/scenario-runtime.exe; or give --runtime FILE\n"
                "  the Windows build makes it: `bash scripts/windows.sh` in the source folder "
                "writes build-windows/scenario-runtime.exe\n");
  // The installed layout: bin/scenario-tool and lib/scenario-tool/scenario-runtime.
  fs::create_directories(cartella_ / "lib/scenario-tool");
  fs::copy_file(CARTELLA_BUILD "/scenario-runtime",
                cartella_ / "lib/scenario-tool/scenario-runtime");
  EXPECT_EQ(esegui_solo("package --dir r"), 0) << errori_;
  EXPECT_TRUE(fs::exists(cartella_ / "r/dist/MIA_7"));
  EXPECT_FALSE(fs::exists(cartella_ / "r/dist/MIA_7.exe"));
}

// A damaged package, and the runtime with no payload at all: status 2, the problem named,
// nothing written beside it.
TEST_F(Package, CaricoDanneggiatoOAssenteNonScriveNulla) {
  route_minima();
  ASSERT_EQ(esegui("package --dir r"), 0) << errori_;
  const std::string buono = file("r/dist/MIA_7");
  const std::size_t fine = buono.size() - dimensione_coda_carico;
  std::string troncato = buono, capovolto = buono;
  troncato.erase(fine - 100, 100);
  capovolto[fine - 300] ^= 0x20;
  const std::pair<const char*, std::string> casi[] = {
      {"troncato", troncato},
      {"tagliato", buono.substr(0, fine - 100)},
      {"capovolto", capovolto},
      {"senza_carico", test::leggi_file(CARTELLA_BUILD "/scenario-runtime")}};
  for (const auto& [nome, byte] : casi) {
    fs::create_directories(cartella_ / nome);
    test::scrivi_file(cartella_ / nome / "MIA_7", byte);
    fs::permissions(cartella_ / nome / "MIA_7", fs::perms(0755));
    EXPECT_EQ(esegui_pacchetto(cartella_ / nome / "MIA_7", std::string(nome) + "/corsa"), 2)
        << nome;
    const carico_letto l = trova_carico(byte);
    EXPECT_EQ(errori_, (cartella_ / nome / "corsa/MIA_7").string() + " " + l.perche +
                           (l.stato == stato_carico::assente
                                ? ": it is the package runtime, which scenario-tool package "
                                  "makes into a route's package"
                                : "") +
                           " (nothing written)\n")
        << nome;
    EXPECT_EQ(contenuto(std::string(nome) + "/corsa", "MIA_7").size(), 0u) << nome;
  }
  EXPECT_EQ(trova_carico(troncato).stato, stato_carico::troncato);
  EXPECT_EQ(trova_carico(buono.substr(0, fine - 100)).perche,
            "holds a truncated payload: the file has " + std::to_string(fine - 100) +
                " bytes, its program image " +
                std::to_string(test::leggi_file(CARTELLA_BUILD "/scenario-runtime").size()) +
                ", and no trailer ends them");
  EXPECT_EQ(trova_carico(capovolto).stato, stato_carico::danneggiato);
}

}  // namespace
}  // namespace scenario::strumento
