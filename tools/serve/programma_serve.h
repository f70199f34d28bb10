// How scenario-tool hands `serve` to its program, scenario-tool-serve, which alone links the
// HTTP library (and the TLS libraries it brings): the tool checks the options and then runs the
// program in its place with the arguments FOLDER ROUTE TRAIN PORT, so that no other subcommand
// loads them.
#ifndef TOOLS_SERVE_PROGRAMMA_SERVE_H_
#define TOOLS_SERVE_PROGRAMMA_SERVE_H_

#include <cstdint>

namespace scenario::strumento {

// Looked for beside scenario-tool (tools/cli/programmi_accanto.h).
inline constexpr const char* nome_programma_serve = "scenario-tool-serve";
inline constexpr uint16_t porta_predefinita = 8324;

}  // namespace scenario::strumento

#endif  // TOOLS_SERVE_PROGRAMMA_SERVE_H_
