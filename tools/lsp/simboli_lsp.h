// The outline of a source: its sections, and under each the stations (by name), signals,
// tunnels and slow orders it holds with their positions, as the compiler reads them.
#ifndef TOOLS_LSP_SIMBOLI_LSP_H_
#define TOOLS_LSP_SIMBOLI_LSP_H_

#include <nlohmann/json.hpp>
#include <string_view>

#include "compiler/campi_sorgenti.h"
#include "tools/lsp/testo_lsp.h"

namespace scenario::strumento {

// The document symbols of the UTF-8 `testo`, a source of kind `file`: one per section header
// read after "[generale]" (and that one), each holding the records of those kinds that follow
// it.
nlohmann::json simboli(std::string_view testo, file_sorgente file, codifica_posizioni c);

}  // namespace scenario::strumento

#endif  // TOOLS_LSP_SIMBOLI_LSP_H_
