// What a command line that cannot be read gets told, in the tool's voice: an unknown command
// or option with the closest known one, and every other refusal of the argument parser with
// the command it concerns.
#ifndef TOOLS_CLI_ERRORI_COMANDO_H_
#define TOOLS_CLI_ERRORI_COMANDO_H_

#include <CLI/CLI.hpp>
#include <string>

namespace scenario::strumento {

// The lines for the parse error `e` of `app`, each "scenario-tool: ..." and ended by "\n".
std::string messaggio_riga_di_comando(const CLI::App& app, const CLI::Error& e);

}  // namespace scenario::strumento

#endif  // TOOLS_CLI_ERRORI_COMANDO_H_
