// scenario-tool: the scenario compiler for authors. Subcommands export the shipped sources,
// compile an author's sources without deleting them, and read back what was compiled.
#include <cstdio>
#include <new>
#include <string_view>

#include "io/uscita_standard.h"
#include "run/stati_uscita.h"
#include "tools/cli/comandi.h"
#include "tools/cli/interfaccia_comandi.h"
#include "tools/cli/lettura_comando.h"
#include "tools/cli/scelta_scenario.h"

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
    {"package", st::registra_package},
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
  registra_sottocomandi(app, argc, argv);
  st::completa_interfaccia(app);
  const int stato = esegui(app, argc, argv);
  // Help, version and whatever a subcommand printed: a failure is never reported as success.
  if (!st::uscita_standard_scritta() && stato == scenario::uscita_ok) return scenario::uscita_file;
  return stato;
}
