// Hover: what the field under the cursor is, all from the one table of keywords and fields
// (compiler/campi_sorgenti.h): its keyword, its name, meaning, unit, ranges and what the
// compile makes of it; on a position, where it falls in the compiled route (its cell, the km,
// the gradient and the speed limit the cells hold there). A keyword field shows its record, a
// section header what stands under it. The field is found by walking the document's records
// as the compiler reads them.
#ifndef TOOLS_LSP_AIUTO_LSP_H_
#define TOOLS_LSP_AIUTO_LSP_H_

#include <cstdint>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/campi_sorgenti.h"
#include "compiler/compilatore.h"
#include "tools/lsp/testo_lsp.h"

namespace scenario::strumento {

// The compile of the document's route, made only for a position.
using compilazione_richiesta = std::function<std::optional<compilazione>()>;

// The hover at `p` of the UTF-8 `testo`, a source of kind `file`; null where no record's field
// and no known header stands.
nlohmann::json aiuto(std::string_view testo, file_sorgente file, posizione_lsp p,
                     codifica_posizioni c, const compilazione_richiesta& compila);

// Where a position of `metri` falls in the compiled route `c`, as the hover says it: the cell
// the field `cella` gives, what the cell holds, and the km.
std::string dove_cade(int64_t metri, cella_campo cella, const compilazione& c);

}  // namespace scenario::strumento

#endif  // TOOLS_LSP_AIUTO_LSP_H_
