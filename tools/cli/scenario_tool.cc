// scenario-tool: the scenario compiler for authors. Subcommands export the shipped sources,
// compile an author's sources without deleting them, and read back what was compiled.
#include <cstdio>
#include <new>
#include <string_view>

#include "io/uscita_standard.h"
#include "run/stati_uscita.h"
#include "tools/cli/comandi.h"
#include "tools/cli/errori_comando.h"
#include "tools/cli/interfaccia_comandi.h"
#include "tools/cli/lettura_comando.h"

namespace scenario::strumento {

void opzioni_scenario(CLI::App& comando, scenario_scelto& s) {
  comando.add_option("--dir", s.cartella, "Folder of the sources and of the compiled files")
      ->capture_default_str()
      ->type_name("DIR");
  comando.add_option("--route", s.linea,
                     "Route identifier, the first part of every file name; left out, "
                     "the one route in DIR");
  comando.add_option("--train", s.treno, "Train number; left out, the one train in DIR");
}

#ifndef CON_SERVE
// The live view needs the HTTP library and the folder watch of the Linux build: here serve
// only says so.
void registra_serve(CLI::App& app) {
  CLI::App* comando = app.add_subcommand(
      "serve", "Not in this build: the live view of a route is served by the Linux build");
  comando->allow_extras();
  comando->callback([] {
    stampa_errore(
        "serve is not available in the Windows build: run the Linux build's "
        "scenario-tool serve");
    termina(uscita_uso);
  });
}
#endif

}  // namespace scenario::strumento

#ifdef CON_PLOT
constexpr const char* descrizione_strumento =
    "scenario-tool: compile, inspect and package train-simulator scenarios";
#else
// The plot subcommand draws with cairo and serve needs the HTTP library and the folder watch,
// which only the Linux build carries.
constexpr const char* descrizione_strumento =
    "scenario-tool: compile, inspect and package train-simulator scenarios\n"
    "Windows build: no plot subcommand (plots are drawn by the Linux build only), and serve "
    "only says it is not available";
#endif

namespace {

struct sottocomando {
  std::string_view nome;
  void (*registra)(CLI::App&);
};

namespace st = scenario::strumento;
constexpr sottocomando sottocomandi[] = {
    {"new", st::registra_new},         {"export", st::registra_export},
    {"check", st::registra_check},     {"compile", st::registra_compile},
    {"dump", st::registra_dump},
#ifdef CON_PLOT
    {"plot", st::registra_plot},
#endif
    {"package", st::registra_package}, {"serve", st::registra_serve},
    {"explain", st::registra_explain}, {"lsp", st::registra_lsp},
};

// Building every subcommand's options is most of the start-up, so a run that names one
// builds that one alone, and --version none; the general help, the completion script and
// the man page list them all.
void registra_sottocomandi(CLI::App& app, int argc, char** argv) {
  const std::string_view primo = argc > 1 ? argv[1] : "";
  if (argc == 2 && primo == "--version") return;
  for (const sottocomando& s : sottocomandi) {
    if (s.nome == primo) return s.registra(app);
  }
  for (const sottocomando& s : sottocomandi) s.registra(app);
}

// --color is the program's, taken before or after the command's name; a word no command
// takes falls through to the program, whose refusal names it.
void opzioni_programma(CLI::App& app) {
  app.fallthrough();
  app.add_option_function<std::string>(
         "--color",
         [](const std::string& m) {
           st::imposta_colore(m == "always"  ? st::modo_colore::sempre
                              : m == "never" ? st::modo_colore::mai
                                             : st::modo_colore::automatico);
         },
         "Colour the problems shown: auto (on a terminal, unless NO_COLOR is set), always or "
         "never")
      ->type_name("WHEN")
      ->check(CLI::IsMember({"auto", "always", "never"}));
  app.failure_message(
      [](const CLI::App* a, const CLI::Error& e) { return st::messaggio_riga_di_comando(*a, e); });
}

int esegui(CLI::App& app, int argc, char** argv) {
  try {
    app.parse(argc, argv);
  } catch (const CLI::RuntimeError& e) {
    // A subcommand's own status (st::termina), after its message.
    return e.get_exit_code();
  } catch (const CLI::ParseError& e) {
    const int codice = app.exit(e);
    return codice == 0 ? scenario::uscita_ok : scenario::uscita_uso;
  } catch (const std::bad_alloc&) {
    // Caught here, so that the way back removed every temporary and released the lock.
    std::fprintf(stderr, "scenario-tool: %s\n", scenario::memoria_esaurita);
    return scenario::uscita_memoria;
  }
  return scenario::uscita_ok;
}

}  // namespace

int main(int argc, char** argv) {
  scenario::prepara_segnali_di_scrittura();
  CLI::App app{descrizione_strumento};
  app.require_subcommand(1);
  opzioni_programma(app);
  registra_sottocomandi(app, argc, argv);
  st::completa_interfaccia(app);
  const int stato = esegui(app, argc, argv);
  // Help, version and whatever a subcommand printed: a failure is never reported as success.
  if (!st::uscita_standard_scritta() && stato == scenario::uscita_ok) return scenario::uscita_file;
  return stato;
}
