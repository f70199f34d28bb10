// Completion in a record's first field: the keywords of the section the cursor stands in, each
// with a snippet of its fields in order, and the file's section headers, all from the table of
// keywords and fields (compiler/campi_sorgenti.h).
#ifndef TOOLS_LSP_COMPLETAMENTO_LSP_H_
#define TOOLS_LSP_COMPLETAMENTO_LSP_H_

#include <nlohmann/json.hpp>
#include <string_view>

#include "compiler/campi_sorgenti.h"
#include "tools/lsp/testo_lsp.h"

namespace scenario::strumento {

// The completion items at `p` of the UTF-8 `testo`, a source of kind `file`: none past the
// first field of a line. The section is the last header line above the cursor's line; before
// any header only the headers are offered, since the compiler skips everything there.
nlohmann::json completamenti(std::string_view testo, file_sorgente file, posizione_lsp p,
                             codifica_posizioni c);

}  // namespace scenario::strumento

#endif  // TOOLS_LSP_COMPLETAMENTO_LSP_H_
