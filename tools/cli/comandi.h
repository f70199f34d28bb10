// Subcommands of scenario-tool. Each registers itself on the application; its callback ends
// the run with the subcommand's exit status through `concludi`.
#ifndef TOOLS_CLI_COMANDI_H_
#define TOOLS_CLI_COMANDI_H_

#include <CLI/CLI.hpp>
#include <string>

namespace scenario::strumento {

// Route and train as given on the command line; they become file names.
struct scenario_scelto {
  std::string cartella = ".";
  std::string linea = "ARONA_DOMODOSSOLA";
  std::string treno = "324";
};

// Adds --dir, --route and --train to a subcommand.
void opzioni_scenario(CLI::App& comando, scenario_scelto& s);

// Ends a subcommand with `stato`, after its message: scenario-tool exits with it
// (tools/cli/scenario_tool.cc). Callbacks end this way, and so may a step deep inside one.
[[noreturn]] inline void termina(int stato) { throw CLI::RuntimeError(stato); }
// A callback's last step: its status, which lets it return as usual when 0.
inline void concludi(int stato) {
  if (stato != 0) termina(stato);
}

void registra_new(CLI::App& app);
void registra_export(CLI::App& app);
void registra_check(CLI::App& app);
void registra_compile(CLI::App& app);
void registra_dump(CLI::App& app);
void registra_plot(CLI::App& app);
void registra_package(CLI::App& app);

}  // namespace scenario::strumento

#endif  // TOOLS_CLI_COMANDI_H_
