// The programs scenario-tool hands work to or copies: plot's drawing program and the package
// runtimes. They are looked for beside scenario-tool (the build folder) and in the installed
// layout, where `cmake --install` puts them under lib/scenario-tool.
#ifndef TOOLS_CLI_PROGRAMMI_ACCANTO_H_
#define TOOLS_CLI_PROGRAMMI_ACCANTO_H_

#include <string>
#include <vector>

namespace scenario::strumento {

// Relative to the folder of scenario-tool, in the order they are tried.
inline constexpr const char* cartelle_programmi[] = {".", "../lib/scenario-tool"};
// The same places in a message.
inline constexpr const char* dove_programmi = "beside scenario-tool or in ../lib/scenario-tool";

// The path of the program `nome` in the first of the places that holds it, or empty. With
// `da_eseguire` it must also be one this process may run, not only read.
std::string programma_accanto(const std::string& nome, bool da_eseguire);

// Where `nome` was looked for, for the message of a program that was not found: "looked for
// at /opt/st/bin/NAME and /opt/st/lib/scenario-tool/NAME".
std::string dove_cercato(const std::string& nome);

// The same for a subcommand that hands its work to `nome`: empty after "scenario-tool:
// COMANDO needs NOME: looked for at ..." when it is in neither place.
std::string programma_per(const std::string& comando, const std::string& nome);

#ifndef _WIN32
// Runs `programma` in this process's place with `argomenti` (the first is the program's name as
// it sees it), standard output flushed first. Returns only when it could not, with the status
// to end with, having said why.
int esegui_al_posto(const std::string& programma, std::vector<std::string> argomenti);
#endif

}  // namespace scenario::strumento

#endif  // TOOLS_CLI_PROGRAMMI_ACCANTO_H_
