// scenario-tool: the scenario compiler for authors. Subcommands export the shipped sources,
// compile an author's sources without deleting them, and read back what was compiled.
#include <csignal>
#include <cstdio>
#include <string_view>

#include "compiler/stati_uscita.h"
#include "tools/comandi.h"
#include "tools/interfaccia_comandi.h"
#include "tools/scelta_scenario.h"

namespace scenario::strumento {

void opzioni_scenario(CLI::App& comando, scenario_scelto& s) {
  comando.add_option("--dir", s.cartella, "Folder of the sources and of the compiled files")
      ->capture_default_str()
      ->type_name("DIR");
  comando
      .add_option("--route", s.linea,
                  "Route identifier, the first part of every file name; left out, "
                  "the one route in DIR")
      ->capture_default_str();
  comando.add_option("--train", s.treno, "Train number; left out, the one train in DIR")
      ->capture_default_str();
  inferisci_da_cartella(comando, s);
}

}  // namespace scenario::strumento

#ifdef CON_PLOT
constexpr const char* descrizione_strumento =
    "scenario-tool: compile, inspect and package train-simulator scenarios";
#else
// The plot subcommand draws with cairo, which only the Linux build carries.
constexpr const char* descrizione_strumento =
    "scenario-tool: compile, inspect and package train-simulator scenarios\n"
    "Windows build: no plot subcommand (plots are drawn by the Linux build only)";
#endif

int main(int argc, char** argv) {
  // A file-size limit must fail the write, not kill the process half-way.
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  namespace st = scenario::strumento;
  CLI::App app{descrizione_strumento};
  app.require_subcommand(1);
  int stato = scenario::uscita_ok;
  st::registra_new(app, stato);
  st::registra_export(app, stato);
  st::registra_check(app, stato);
  st::registra_compile(app, stato);
  st::registra_dump(app, stato);
#ifdef CON_PLOT
  st::registra_plot(app, stato);
#endif
  st::registra_package(app, stato);
  st::completa_interfaccia(app, stato);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int codice = app.exit(e);
    return codice == 0 ? scenario::uscita_ok : scenario::uscita_uso;
  }
  return stato;
}
