// scenario-tool and the package as authors meet them: new and export keep existing sources,
// --route and --train come from the folder, --help and --version write nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

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
  EXPECT_EQ(uscita_,
            "wrote a minimal route MIA, train 7 to start from: a/nuova/MIA_linea.txt, "
            "a/nuova/MIA_7-.txt\n");
  EXPECT_EQ(file("a/nuova/MIA_linea.txt"), testo_esempio(file_sorgente::linea));
  EXPECT_EQ(file("a/nuova/MIA_7-.txt"), testo_esempio(file_sorgente::treno));
  ASSERT_EQ(esegui("compile --dir a/nuova"), 0) << errori_;
  EXPECT_EQ(uscita_,
            "compiled route MIA, train 7 into a/nuova/MIA_linea.dat, a/nuova/MIA_7.sim, "
            "a/nuova/MIA_7.dat\n"
            "codice_errore=0 posizione_errore=0\n");
}

// The one line of a success, for each command that writes files, and none with -q; the status
// line of compile stays, as scripts read it.
TEST_F(Convenzioni, UnaRigaDiRiassuntoSenonQ) {
  const struct {
    const char* comando;
    const char* riga;
  } casi[] = {
      {"new --dir r --route R --train 7 --force",
       "wrote a minimal route R, train 7 to start from: r/R_linea.txt, r/R_7-.txt\n"},
      {"export --dir e --force",
       "wrote the shipped route ARONA_DOMODOSSOLA, train 324: e/ARONA_DOMODOSSOLA_linea.txt, "
       "e/ARONA_DOMODOSSOLA_324-.txt and the driver's three documents\n"},
      {"compile --dir r", "compiled route R, train 7 into r/R_linea.dat, r/R_7.sim, r/R_7.dat\n"},
  };
  for (const auto& c : casi) {
    ASSERT_EQ(esegui(std::string(c.comando) + " -q"), 0) << c.comando << errori_;
    EXPECT_EQ(uscita_, std::string(c.comando).starts_with("compile")
                           ? "codice_errore=0 posizione_errore=0\n"
                           : "")
        << c.comando;
    ASSERT_EQ(esegui(c.comando), 0) << c.comando << errori_;
    EXPECT_EQ(uscita_.substr(0, uscita_.find('\n') + 1), c.riga) << c.comando;
    EXPECT_EQ(errori_, "") << c.comando;
  }
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
  EXPECT_EQ(esegui("dump --dir lago --train 13"), uscita_uso);
  EXPECT_EQ(errori_,
            "scenario-tool: no compiled files of train 13 in lago/: found LAGO_MAGGIORE_12-.txt, "
            "LAGO_MAGGIORE_12.dat, LAGO_MAGGIORE_12.sim, LAGO_MAGGIORE_linea.dat, "
            "LAGO_MAGGIORE_linea.txt; the compiled files are ROUTE_TRAIN.sim and "
            "ROUTE_TRAIN.dat, which compile writes\n");
}

// Names come only from what the folder holds: a folder that does not give them makes every
// command that reads one stop before it reads or writes a file, saying what the folder holds
// and how the missing file is named. No command falls back on the shipped route's names.
TEST_F(Convenzioni, CartelleCheNonDannoINomi) {
  const struct {
    const char* nome;
    std::vector<const char*> file;  // in d/, each holding a minimal source
    const char* comando;
    const char* errore;
  } casi[] = {
      {"solo la linea",
       {"VALLE_ALTA_linea.txt"},
       "compile --dir d",
       "no train service for VALLE_ALTA in d/: found only VALLE_ALTA_linea.txt; a train service "
       "is named ROUTE_TRAIN-.txt"},
      {"un treno senza il trattino",
       {"VALLE_ALTA_linea.txt", "VALLE_ALTA_2417.txt"},
       "compile --dir d",
       "no train service for VALLE_ALTA in d/: found VALLE_ALTA_2417.txt; a train service is "
       "named ROUTE_TRAIN-.txt"},
      {"un treno senza la sua linea",
       {"VALLE_ALTA_2417-.txt"},
       "check --dir d",
       "no line description for VALLE_ALTA in d/: found VALLE_ALTA_2417-.txt; a line "
       "description is named ROUTE_linea.txt"},
      {"una cartella vuota",
       {},
       "package --dir d",
       "no route in d/: the folder is empty; a route is ROUTE_linea.txt with its train service "
       "ROUTE_TRAIN-.txt"},
      {"una linea che non c'e'",
       {"R_linea.txt", "R_7-.txt"},
       "compile --dir d --route X",
       "no route X in d/: found R_7-.txt, R_linea.txt; a route is ROUTE_linea.txt with its train "
       "service ROUTE_TRAIN-.txt"},
      {"un treno che non c'e'",
       {"R_linea.txt", "R_7-.txt"},
       "compile --dir d --train 8",
       "no train service 8 for R in d/: found R_7-.txt; a train service is named "
       "ROUTE_TRAIN-.txt"},
      {"sorgenti senza compilati",
       {"R_linea.txt", "R_7-.txt"},
       "dump --dir d",
       "no compiled files in d/: found R_7-.txt, R_linea.txt; the compiled files are "
       "ROUTE_TRAIN.sim and ROUTE_TRAIN.dat, which compile writes"},
      {"una --dir sbagliata", {"R_linea.txt", "R_7-.txt"}, "compile --dir dd", "no folder dd/"},
      {"una --dir che e' un file",
       {"R_linea.txt", "R_7-.txt"},
       "dump --dir d/R_7-.txt",
       "d/R_7-.txt is not a folder"},
      {"due linee",
       {"A_linea.txt", "A_1-.txt", "B_linea.txt", "B_2-.txt"},
       "check --dir d",
       "d holds the sources of 2 routes and trains; choose one with --route and --train:\n"
       "  --route A --train 1\n"
       "  --route B --train 2"},
  };
  for (const auto& c : casi) {
    fs::remove_all(cartella_ / "d");
    fs::create_directories(cartella_ / "d");
    for (const char* f : c.file) {
      const std::string n = f;
      test::scrivi_file(cartella_ / "d" / f,
                        n.ends_with("_linea.txt") ? test::linea_minima() : test::treno_minimo());
    }
    const std::vector<std::string> prima = nomi_in(cartella_ / "d");
    EXPECT_EQ(esegui(c.comando), uscita_uso) << c.nome;
    EXPECT_EQ(errori_, "scenario-tool: " + std::string(c.errore) + "\n") << c.nome;
    EXPECT_EQ(uscita_, "") << c.nome;
    EXPECT_EQ(nomi_in(cartella_ / "d"), prima) << c.nome;
    EXPECT_FALSE(fs::exists(cartella_ / "dd")) << c.nome;
  }
}

// The conventions of a command-line tool, each case its command, status, standard output and
// standard error word for word: a misspelt command or option answered with the closest one,
// every error line in the tool's voice, data on standard output and diagnostics on standard
// error, and explain from the table of codes.
TEST_F(Convenzioni, RigaDiComandoComeLeAltre) {
  ASSERT_EQ(esegui("new --dir d --route R --train 7 -q"), 0) << errori_;
  test::scrivi_file(cartella_ / "d/R_7-.txt", test::treno_minimo("sabbia, 70000\r\n"));
  const std::string avviso =
      "d/R_7-.txt:2:9: error 25: `sabbia` field `quantita` 70000 does not fit its 16 bits: the "
      "compiler takes -32768 to 32767\n  sabbia, 70000\n          ^~~~~\n";
  const std::string comandi =
      "new, export, check, compile, dump, plot, package, serve, explain, lsp";
  const struct {
    const char* argomenti;
    int stato;
    std::string uscita;
    std::string errori;
  } casi[] = {
      {"chek", 2, "", "scenario-tool: unknown command `chek`; did you mean `check`?\n"},
      {"dupm --dir d", 2, "", "scenario-tool: unknown command `dupm`; did you mean `dump`?\n"},
      {"frobnicate", 2, "",
       "scenario-tool: unknown command `frobnicate`; the commands are " + comandi + "\n"},
      {"", 2, "",
       "scenario-tool: a command is required: " + comandi +
           "; `scenario-tool --help` lists the commands and options\n"},
      {"check --dri d", 2, "",
       "scenario-tool: unknown option `--dri` for check; did you mean `--dir`?\n"},
      {"dump --dir d --jsno", 2, "",
       "scenario-tool: unknown option `--jsno` for dump; did you mean `--json`?\n"},
      {"compile --dir d --no-plna=1", 2, "",
       "scenario-tool: unknown option `--no-plna` for compile; did you mean `--no-plan`?\n"},
      {"--colr=never check", 2, "",
       "scenario-tool: unknown option `--colr` for check; did you mean `--color`?\n"},
      {"check --dir d --frobnicate", 2, "",
       "scenario-tool: unknown option `--frobnicate` for check; `scenario-tool check --help` "
       "lists its options\n"},
      {"check d", 2, "",
       "scenario-tool: check takes no argument `d`; `scenario-tool check --help` lists its "
       "options\n"},
      {"new --dir d --route R", 2, "",
       "scenario-tool: new: --train is required; `scenario-tool new --help` lists its "
       "options\n"},
      {"check --dir d --color=blue", 2, "",
       "scenario-tool: check: --color: blue not in {auto,always,never}; `scenario-tool check "
       "--help` lists its options\n"},
      {"check --dir d", 1, "", avviso + "1 error, 0 warnings\n"},
      {"--color=never check --dir d", 1, "", avviso + "1 error, 0 warnings\n"},
      {"compile --dir d", 1, "codice_errore=25 posizione_errore=0\n", avviso},
      {"explain 16", 0,
       "code 16: signal on a cell already occupied\n"
       "  usual cause: a signal on a cell already used (a station stop, another signal, a "
       "board, a slow order)\n"
       "  fix: move the signal by 50 m; the station's stop marker is the cell before the end of "
       "its area\n"
       "  posizione_errore: the metre where the problem lies\n",
       ""},
      {"explain 102", 0,
       "code 102: the line description ends before \"[generale]\"\n"
       "  usual cause: no `[generale]` header in the line description\n"
       "  fix: start the file with `[generale]`\n",
       ""},
      {"explain 23", 2, "",
       "scenario-tool: no code 23; the codes are 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, "
       "16, 17, 18, 19, 20, 21, 22, 24, 25, 101, 102, 103, 1250, 1251\n"},
  };
  for (const auto& c : casi) {
    EXPECT_EQ(esegui(c.argomenti), c.stato) << c.argomenti;
    EXPECT_EQ(uscita_, c.uscita) << c.argomenti;
    EXPECT_EQ(errori_, c.errori) << c.argomenti;
  }
  // The data of check --json on standard output, nothing on standard error.
  EXPECT_EQ(esegui("check --dir d --json"), 1);
  EXPECT_EQ(errori_, "");
  EXPECT_NE(uscita_.find("\"code\": 25"), std::string::npos) << uscita_;
}

// Colour where it is asked for: --color=always colours the problems even when NO_COLOR is set
// or standard error is no terminal, and never or auto (not a terminal here) do not.
TEST_F(Convenzioni, ColoreComeChiesto) {
  ASSERT_EQ(esegui("new --dir d --route R --train 7 -q"), 0) << errori_;
  test::scrivi_file(cartella_ / "d/R_7-.txt", test::treno_minimo("sabbia, 70000\r\n"));
  const struct {
    const char* argomenti;
    const char* no_color;
    bool colore;
  } casi[] = {
      {"check --dir d --color=always", nullptr, true},
      {"--color=always check --dir d", "1", true},
      {"compile --dir d --color always", nullptr, true},
      {"check --dir d --color=never", nullptr, false},
      {"check --dir d --color=auto", nullptr, false},
      {"check --dir d", "", false},
  };
  for (const auto& c : casi) {
    if (c.no_color != nullptr) {
      ::setenv("NO_COLOR", c.no_color, 1);
    } else {
      ::unsetenv("NO_COLOR");
    }
    EXPECT_EQ(esegui(c.argomenti), 1) << c.argomenti;
    EXPECT_EQ(errori_.find("\x1b[") != std::string::npos, c.colore) << c.argomenti << errori_;
  }
  ::unsetenv("NO_COLOR");
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
            "--help --dir --route --train --out --windows --force --runtime --quiet\n");
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
  const std::pair<const char*, const char*> casi[] = {{"--frobnicate", "--frobnicate"},
                                                      {"x", "x"},
                                                      {"--help --version", "--version"},
                                                      {"x --help", "x"},
                                                      {"-help", "-help"},
                                                      {"''", ""}};
  for (const auto& [argomenti, rifiutato] : casi) {
    EXPECT_EQ(esegui_pacchetto(argomenti), 2) << argomenti;
    EXPECT_EQ(uscita_, "");
    EXPECT_EQ(errori_,
              std::string("ARONA_DOMODOSSOLA_324: unexpected argument `") + rifiutato +
                  "`\n"
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
