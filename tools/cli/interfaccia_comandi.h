// What scenario-tool tells about itself, taken from its command-line definition: the exit
// statuses at the foot of each --help, --version, the bash completion and the man page.
#ifndef TOOLS_CLI_INTERFACCIA_COMANDI_H_
#define TOOLS_CLI_INTERFACCIA_COMANDI_H_

#include <CLI/CLI.hpp>
#include <string>

namespace scenario::strumento {

// Adds --version, the exit statuses of every subcommand to its help, and the hidden
// subcommands `completion bash` and `manpage` that print the two generated files.
void completa_interfaccia(CLI::App& app);

// The bash completion script and the man page (roff) of the application as defined.
std::string completamento_bash(const CLI::App& app);
std::string pagina_man(const CLI::App& app);

}  // namespace scenario::strumento

#endif  // TOOLS_CLI_INTERFACCIA_COMANDI_H_
