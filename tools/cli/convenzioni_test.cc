// scenario-tool and the package as authors meet them: new and export keep existing sources,
// --route and --train come from the folder, --help and --version write nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "compiler/campi_sorgenti.h"
#include "run/stati_uscita.h"
#include "tests/aiuti_test.h"
#include "versione.h"

namespace scenario::strumento {
namespace {

namespace fs = std::filesystem;

class Convenzioni : public test::cartella_di_prova {
 protected:
  int esegui(const std::string& argomenti) { return esegui_strumento(argomenti); }

  // Runs a copy of the package in a folder of its own; returns the exit status.
  int esegui_pacchetto(const std::string& argomenti) {
    const fs::path cartella = cartella_ / "pacchetto";
    fs::create_directories(cartella);
    fs::copy_file(PACCHETTO, cartella / "ARONA_DOMODOSSOLA_324",
                  fs::copy_options::overwrite_existing);
    const std::string comando = "cd '" + cartella.string() +
                                "' && env -u DISPLAY ./ARONA_DOMODOSSOLA_324 " + argomenti +
                                " >../uscita.log 2>../errori.log";
    const int stato = std::system(comando.c_str());
    uscita_ = file("uscita.log");
    errori_ = file("errori.log");
    return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
  }

  std::vector<std::string> nomi_in(const fs::path& cartella) {
    std::vector<std::string> nomi;
    for (const auto& f : fs::directory_iterator(cartella)) nomi.push_back(f.path().filename());
    std::sort(nomi.begin(), nomi.end());
    return nomi;
  }
};

TEST_F(Convenzioni, NewScriveLaLineaMinimaCheCompilaConZero) {
  ASSERT_EQ(esegui("new --dir a/nuova --route MIA --train 7"), 0) << errori_;
  EXPECT_EQ(errori_, "");
  EXPECT_EQ(file("a/nuova/MIA_linea.txt"), testo_esempio(file_sorgente::linea));
  EXPECT_EQ(file("a/nuova/MIA_7-.txt"), testo_esempio(file_sorgente::treno));
  ASSERT_EQ(esegui("compile --dir a/nuova"), 0) << errori_;
  EXPECT_EQ(uscita_, "codice_errore=0 posizione_errore=0\n");
}

TEST_F(Convenzioni, NewRifiutaDiSovrascrivereSenzaForce) {
  ASSERT_EQ(esegui("new --dir d --route MIA --train 7"), 0);
  test::scrivi_file(cartella_ / "d/MIA_linea.txt", "modificato");
  EXPECT_EQ(esegui("new --dir d --route MIA --train 7"), 1);
  EXPECT_EQ(errori_,
            "scenario-tool: d/MIA_linea.txt already exists; --force replaces it\n"
            "scenario-tool: d/MIA_7-.txt already exists; --force replaces it\n");
  EXPECT_EQ(file("d/MIA_linea.txt"), "modificato");
  // One existing source is enough to refuse, and nothing else is written.
  fs::remove(cartella_ / "d/MIA_7-.txt");
  EXPECT_EQ(esegui("new --dir d --route MIA --train 7"), 1);
  EXPECT_EQ(errori_, "scenario-tool: d/MIA_linea.txt already exists; --force replaces it\n");
  EXPECT_FALSE(fs::exists(cartella_ / "d/MIA_7-.txt"));
  EXPECT_EQ(esegui("new --dir d --route MIA --train 7 --force"), 0);
  EXPECT_EQ(file("d/MIA_linea.txt"), testo_esempio(file_sorgente::linea));
}

TEST_F(Convenzioni, NewVuoleNomiValidi) {
  EXPECT_EQ(esegui("new --dir d --route ../x --train 7"), 2);
  EXPECT_EQ(esegui("new --dir d --route MIA"), 2);
  EXPECT_FALSE(fs::exists(cartella_ / "d"));
}

TEST_F(Convenzioni, ExportCreaLaCartellaERifiutaDiSovrascrivere) {
  ASSERT_EQ(esegui("export --dir x/y"), 0) << errori_;
  EXPECT_EQ(file("x/y/ARONA_DOMODOSSOLA_linea.txt"), test::linea_spedita());
  test::scrivi_file(cartella_ / "x/y/ARONA_DOMODOSSOLA_324-.txt", "mio");
  EXPECT_EQ(esegui("export --dir x/y"), 1);
  EXPECT_EQ(errori_,
            "scenario-tool: x/y/ARONA_DOMODOSSOLA_linea.txt already exists; --force replaces it\n"
            "scenario-tool: x/y/ARONA_DOMODOSSOLA_324-.txt already exists; --force replaces it\n");
  EXPECT_EQ(file("x/y/ARONA_DOMODOSSOLA_324-.txt"), "mio");
  EXPECT_EQ(esegui("export --dir x/y --force"), 0);
  EXPECT_EQ(file("x/y/ARONA_DOMODOSSOLA_324-.txt"), test::treno_spedito());
}

// With the sources gone, export still keeps a document the author edited, however little,
// and the folder's lock: a lock file that cannot be used stops it before it writes.
TEST_F(Convenzioni, ExportRifiutaDocumentiModificatiEPrendeIlBlocco) {
  const std::string nota = "x/ARONA_DOMODOSSOLA_324_note.txt";
  ASSERT_EQ(esegui("export --dir x"), 0) << errori_;
  const std::string originale = file(nota);
  const struct {
    const char* caso;
    std::string nota;  // what the author left at the note's name
    bool forza;
    int stato;
    std::string errori;
  } casi[] = {
      {"non toccata", originale, false, 0, ""},
      {"modificata", "mia", false, 1,
       "scenario-tool: " + nota + " already exists with other content; --force replaces it\n"},
      {"un byte in meno", originale.substr(0, originale.size() - 1), false, 1,
       "scenario-tool: " + nota + " already exists with other content; --force replaces it\n"},
      {"un byte in piu'", originale + "\n", false, 1,
       "scenario-tool: " + nota + " already exists with other content; --force replaces it\n"},
      {"modificata, con --force", "mia", true, 0, ""},
  };
  for (const auto& k : casi) {
    fs::remove(cartella_ / "x/ARONA_DOMODOSSOLA_linea.txt");
    fs::remove(cartella_ / "x/ARONA_DOMODOSSOLA_324-.txt");
    test::scrivi_file(cartella_ / nota, k.nota);
    EXPECT_EQ(esegui(std::string("export --dir x") + (k.forza ? " --force" : "")), k.stato)
        << k.caso;
    EXPECT_EQ(errori_, k.errori) << k.caso;
    EXPECT_EQ(file(nota), k.stato == 0 ? originale : k.nota) << k.caso;
    EXPECT_EQ(fs::exists(cartella_ / "x/ARONA_DOMODOSSOLA_linea.txt"), k.stato == 0) << k.caso;
  }
  fs::remove(cartella_ / "x/ARONA_DOMODOSSOLA_linea.txt");
  fs::remove(cartella_ / "x/.scenario.lock");
  fs::create_directory(cartella_ / "x/.scenario.lock");
  EXPECT_EQ(esegui("export --dir x --force"), uscita_occupata);
  EXPECT_FALSE(fs::exists(cartella_ / "x/ARONA_DOMODOSSOLA_linea.txt"));
}

TEST_F(Convenzioni, UnaLineaNellaCartellaBastaPerCompileEDump) {
  ASSERT_EQ(esegui("new --dir lago --route LAGO_MAGGIORE --train 12"), 0);
  ASSERT_EQ(esegui("compile --dir lago"), 0) << errori_;
  EXPECT_TRUE(fs::exists(cartella_ / "lago/LAGO_MAGGIORE_12.sim"));
  ASSERT_EQ(esegui("dump --dir lago"), 0) << errori_;
  EXPECT_EQ(uscita_.substr(0, uscita_.find('\n')), "LAGO_MAGGIORE, train 12, in lago");
  // A name given on the command line is kept, and must agree with the folder.
  EXPECT_EQ(esegui("dump --dir lago --train 12"), 0) << errori_;
  EXPECT_EQ(esegui("dump --dir lago --train 13"), uscita_compilato_danneggiato);
}

TEST_F(Convenzioni, DueLineeNellaCartellaVoglionoRouteETrain) {
  ASSERT_EQ(esegui("new --dir d --route B --train 2"), 0);
  ASSERT_EQ(esegui("new --dir d --route A_X --train 1"), 0);
  EXPECT_EQ(esegui("compile --dir d"), 2);
  EXPECT_EQ(uscita_, "");
  EXPECT_EQ(errori_,
            "scenario-tool: d holds the sources of 2 routes and trains; choose one with --route "
            "and --train:\n"
            "  --route A_X --train 1\n"
            "  --route B --train 2\n");
  EXPECT_FALSE(fs::exists(cartella_ / "d/B_2.sim"));
  ASSERT_EQ(esegui("compile --dir d --route A_X"), 0) << errori_;
  ASSERT_EQ(esegui("compile --dir d --train 2"), 0) << errori_;
  EXPECT_EQ(esegui("dump --dir d"), 2);
  EXPECT_EQ(errori_,
            "scenario-tool: d holds the compiled files of 2 routes and trains; choose one with "
            "--route and --train:\n"
            "  --route A_X --train 1\n"
            "  --route B --train 2\n");
  EXPECT_EQ(esegui("dump --dir d --route B"), 0) << errori_;
}

TEST_F(Convenzioni, DueTreniDellaStessaLinea) {
  ASSERT_EQ(esegui("new --dir d --route R --train 1"), 0);
  ASSERT_EQ(esegui("new --dir d --route R --train 2 --force"), 0);
  EXPECT_EQ(esegui("compile --dir d --route R"), 2);
  EXPECT_EQ(errori_,
            "scenario-tool: d holds the sources of 2 routes and trains; choose one with --route "
            "and --train:\n"
            "  --route R --train 1\n"
            "  --route R --train 2\n");
}

TEST_F(Convenzioni, VersioneEUsciteNellAiuto) {
  ASSERT_EQ(esegui("--version"), 0);
  EXPECT_EQ(uscita_, std::string("scenario-tool ") + VERSIONE_PROGRAMMA + "\n");
  for (const char* comando : {"new", "export", "compile", "dump", "plot", "package"}) {
    ASSERT_EQ(esegui(std::string(comando) + " --help"), 0) << comando;
    EXPECT_NE(uscita_.find("Exit statuses: 0 "), std::string::npos) << comando << uscita_;
  }
  EXPECT_EQ(nomi_in(cartella_), std::vector<std::string>{});
}

TEST_F(Convenzioni, ComplezionePerBashDallaDefinizione) {
  ASSERT_EQ(esegui("completion bash"), 0) << errori_;
  test::scrivi_file(cartella_ / "c.bash", uscita_);
  const auto completa = [&](const std::string& parole) {
    const std::string comando = "cd '" + cartella_.string() +
                                "' && mkdir -p cartella && bash -c 'source c.bash; COMP_WORDS=(" +
                                parole +
                                "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); "
                                "_scenario_tool; echo \"${COMPREPLY[*]}\"' > r.log";
    EXPECT_EQ(std::system(comando.c_str()), 0);
    return file("r.log");
  };
  EXPECT_EQ(completa("scenario-tool d"), "dump\n");
  EXPECT_EQ(completa("scenario-tool dump --"), "--help --dir --route --train --json\n");
  EXPECT_EQ(completa("scenario-tool new --dir cart"), "cartella\n");
  EXPECT_EQ(completa("scenario-tool compile --route \"\""), "\n");
  EXPECT_EQ(completa("scenario-tool package --"),
            "--help --dir --route --train --out --windows --force --runtime\n");
  EXPECT_EQ(completa("scenario-tool package --runtime cart"), "cartella\n");
}

TEST_F(Convenzioni, PaginaManConOgniComando) {
  ASSERT_EQ(esegui("manpage"), 0);
  for (const char* comando : {"new", "export", "compile", "dump", "plot", "package"}) {
    EXPECT_NE(uscita_.find(std::string(".SS ") + comando + "\n"), std::string::npos) << comando;
  }
  EXPECT_NE(uscita_.find(".B \\-\\-force\n"), std::string::npos);
  EXPECT_EQ(uscita_.find(".SS completion"), std::string::npos);
}

TEST_F(Convenzioni, IlPacchettoConHelpEVersionNonScriveNulla) {
  for (const char* argomento : {"--help", "-h"}) {
    ASSERT_EQ(esegui_pacchetto(argomento), 0) << argomento;
    EXPECT_EQ(uscita_.substr(0, 54), "Usage: ARONA_DOMODOSSOLA_324 [-h | --help | --version]");
    EXPECT_NE(uscita_.find("Exit statuses: 0 done;"), std::string::npos);
    EXPECT_EQ(errori_, "");
    EXPECT_EQ(nomi_in(cartella_ / "pacchetto"), std::vector<std::string>{"ARONA_DOMODOSSOLA_324"});
  }
  ASSERT_EQ(esegui_pacchetto("--version"), 0);
  EXPECT_EQ(uscita_, std::string("ARONA_DOMODOSSOLA_324 ") + VERSIONE_PROGRAMMA + "\n");
  EXPECT_EQ(nomi_in(cartella_ / "pacchetto"), std::vector<std::string>{"ARONA_DOMODOSSOLA_324"});
}

TEST_F(Convenzioni, IlPacchettoConUnAltroArgomentoEsceConDue) {
  for (const char* argomenti : {"--frobnicate", "x", "--help --version", "-help", "''"}) {
    EXPECT_EQ(esegui_pacchetto(argomenti), 2) << argomenti;
    EXPECT_EQ(uscita_, "");
    EXPECT_EQ(errori_,
              "Usage: ARONA_DOMODOSSOLA_324 [-h | --help | --version]\n"
              "Started with no argument, it writes the scenario into its own folder.\n");
    EXPECT_EQ(nomi_in(cartella_ / "pacchetto"), std::vector<std::string>{"ARONA_DOMODOSSOLA_324"});
  }
}

TEST_F(Convenzioni, IlPacchettoSenzaArgomentiFaComePrima) {
  ASSERT_EQ(esegui_pacchetto(""), 0) << errori_;
  EXPECT_EQ(uscita_, "");
  EXPECT_EQ(nomi_in(cartella_ / "pacchetto").size(), 7u);
}

}  // namespace
}  // namespace scenario::strumento
