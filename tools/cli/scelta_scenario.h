// --route and --train taken from the folder when the command line leaves them out: a folder
// that holds exactly one route and one train needs neither. The names come only from what the
// folder holds; when it holds none, or several, the command ends before it reads or writes a
// file, saying what the folder holds and what was looked for.
#ifndef TOOLS_CLI_SCELTA_SCENARIO_H_
#define TOOLS_CLI_SCELTA_SCENARIO_H_

#include <filesystem>
#include <string>
#include <vector>

#include "tools/cli/comandi.h"

namespace scenario::strumento {

// What a command reads: the text sources (compile, check, package) or the compiled files
// (dump, plot).
enum class file_cercati { sorgenti, compilati };

struct candidato {
  std::string linea;
  std::string treno;
  bool operator==(const candidato&) const = default;
};

// The route and train pairs whose files are among `nomi` (what a folder holds), sorted: for
// the sources each ROUTE_TRAIN-.txt whose ROUTE_linea.txt is there too; for the compiled files
// each ROUTE_TRAIN.sim or ROUTE_TRAIN.dat, the reader then naming any of the two that is
// missing.
std::vector<candidato> candidati_tra(const std::vector<std::string>& nomi, file_cercati f);

// Fills the names not given from the one pair of the folder that agrees with those given, and
// returns "". Otherwise nothing is filled, and the message says what the folder holds and what
// was looked for: a missing folder, no pair, or several.
std::string completa_scenario(scenario_scelto& s, bool linea_data, bool treno_data, file_cercati f);

// completa_da_cartella, which a subcommand's callback runs first, is declared with the
// subcommands in tools/cli/comandi.h.

}  // namespace scenario::strumento

#endif  // TOOLS_CLI_SCELTA_SCENARIO_H_
