// --route and --train taken from the folder when the command line leaves them out: a folder
// that holds exactly one route and one train needs neither.
#ifndef TOOLS_CLI_SCELTA_SCENARIO_H_
#define TOOLS_CLI_SCELTA_SCENARIO_H_

#include <filesystem>
#include <string>
#include <vector>

#include "tools/cli/comandi.h"

namespace scenario::strumento {

// What a command reads: the text sources (compile) or the compiled files (dump, plot).
enum class file_cercati { sorgenti, compilati };

struct candidato {
  std::string linea;
  std::string treno;
  bool operator==(const candidato&) const = default;
};

// The route and train pairs whose files the folder holds, sorted: from ROUTE_TRAIN-.txt
// for the sources, from ROUTE_TRAIN.sim for the compiled files. A folder that cannot be
// listed holds none.
std::vector<candidato> candidati_in_cartella(const std::filesystem::path& cartella, file_cercati f);

// Fills the names not given from the one pair that agrees with those given; with none the
// defaults stay (the command then names the missing file). Several: the message listing
// them, otherwise "".
std::string completa_scenario(scenario_scelto& s, bool linea_data, bool treno_data, file_cercati f);

// Makes `comando` complete `s` from its folder once its options are parsed; several
// candidates end the run with the message and the usage status.
void inferisci_da_cartella(CLI::App& comando, scenario_scelto& s);

}  // namespace scenario::strumento

#endif  // TOOLS_CLI_SCELTA_SCENARIO_H_
