// The programs scenario-tool hands work to or copies: plot's drawing program and the package
// runtimes. They are looked for beside scenario-tool (the build folder) and in the installed
// layout, where `cmake --install` puts them under lib/scenario-tool.
#ifndef TOOLS_CLI_PROGRAMMI_ACCANTO_H_
#define TOOLS_CLI_PROGRAMMI_ACCANTO_H_

#include <string>

namespace scenario::strumento {

// Relative to the folder of scenario-tool, in the order they are tried.
inline constexpr const char* cartelle_programmi[] = {".", "../lib/scenario-tool"};
// The same places in a message.
inline constexpr const char* dove_programmi = "beside scenario-tool or in ../lib/scenario-tool";

// The path of the program `nome` in the first of the places that holds it, or empty. With
// `da_eseguire` it must also be one this process may run, not only read.
std::string programma_accanto(const std::string& nome, bool da_eseguire);

}  // namespace scenario::strumento

#endif  // TOOLS_CLI_PROGRAMMI_ACCANTO_H_
