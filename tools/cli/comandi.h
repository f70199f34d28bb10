// Subcommands of scenario-tool. Each registers itself on the application; its callback ends
// the run with the subcommand's exit status through `concludi`.
#ifndef TOOLS_CLI_COMANDI_H_
#define TOOLS_CLI_COMANDI_H_

#include <CLI/CLI.hpp>
#include <memory>
#include <string>
#include <utility>

namespace scenario::strumento {

// Route and train as given on the command line or taken from the folder; they become file
// names. No command falls back on the shipped route's names.
struct scenario_scelto {
  std::string cartella = ".";
  std::string linea;
  std::string treno;
};

// Adds --dir, --route and --train to a subcommand; its callback completes them from the
// folder first (completa_da_cartella, tools/cli/scelta_scenario.h).
void opzioni_scenario(CLI::App& comando, scenario_scelto& s);

// Ends a subcommand with `stato`, after its message: scenario-tool exits with it
// (tools/cli/scenario_tool.cc). Callbacks end this way, and so may a step deep inside one.
[[noreturn]] inline void termina(int stato) { throw CLI::RuntimeError(stato); }
// A callback's last step: its status, which lets it return as usual when 0.
inline void concludi(int stato) {
  if (stato != 0) termina(stato);
}

// A subcommand over a route and train of a folder: --dir, --route and --train fill the
// `scenario` of its options, and `esegui` runs on the options once parsed, its status the
// subcommand's. The options of its own are added to the command returned.
template <typename Opzioni>
std::pair<CLI::App*, std::shared_ptr<Opzioni>> sottocomando_su_scenario(
    CLI::App& app, const std::string& nome, const std::string& descrizione,
    int (*esegui)(const Opzioni&)) {
  CLI::App* comando = app.add_subcommand(nome, descrizione);
  auto o = std::make_shared<Opzioni>();
  opzioni_scenario(*comando, o->scenario);
  comando->callback([comando, o, esegui] {
    completa_da_cartella(*comando, o->scenario);
    concludi(esegui(*o));
  });
  return {comando, o};
}

// Completes `s` from its folder for the subcommand `comando`, whose options were read into it
// (tools/cli/scelta_scenario.h): a name given that no file may carry, or a folder that does
// not give the names, ends the run with the message and the usage status. A callback's first
// step, so that the command line is refused as a whole before the folder is looked at.
void completa_da_cartella(const CLI::App& comando, scenario_scelto& s);

void registra_new(CLI::App& app);
void registra_export(CLI::App& app);
void registra_check(CLI::App& app);
void registra_compile(CLI::App& app);
void registra_dump(CLI::App& app);
void registra_plot(CLI::App& app);
void registra_package(CLI::App& app);
void registra_explain(CLI::App& app);
void registra_lsp(CLI::App& app);
void registra_serve(CLI::App& app);

}  // namespace scenario::strumento

#endif  // TOOLS_CLI_COMANDI_H_
