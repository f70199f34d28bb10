// Subcommands of scenario-tool. Each file registers one subcommand on the application;
// the callbacks set the exit status through `stato`.
#ifndef TOOLS_COMANDI_H_
#define TOOLS_COMANDI_H_

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "compiler/compilatore.h"
#include "sources/nome_valido.h"
#include "tools/controllo.h"

namespace scenario::strumento {

// Route and train as given on the command line; they become file names.
struct scenario_scelto {
  std::string cartella = ".";
  std::string linea = "ARONA_DOMODOSSOLA";
  std::string treno = "324";
};

// Adds --dir, --route and --train to a subcommand.
void opzioni_scenario(CLI::App& comando, scenario_scelto& s);

// The sources of `s` read and checked as `check` does them: uscita_ok with `problemi` filled,
// or the exit status after the message of a wrong name, an unreadable or a missing source.
int leggi_e_controlla(const scenario_scelto& s, testi_sorgenti& t, std::vector<problema>& problemi);

void registra_new(CLI::App& app, int& stato);
void registra_export(CLI::App& app, int& stato);
void registra_check(CLI::App& app, int& stato);
void registra_compile(CLI::App& app, int& stato);
void registra_dump(CLI::App& app, int& stato);
void registra_plot(CLI::App& app, int& stato);
void registra_package(CLI::App& app, int& stato);
void registra_lsp(CLI::App& app, int& stato);

}  // namespace scenario::strumento

#endif  // TOOLS_COMANDI_H_
