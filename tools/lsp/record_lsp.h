// A document's records as the compiler reads them, for the requests that look inside one (the
// field under the cursor, the outline): the document in Windows-1252, so that every place is
// the compiler's, walked by the record reader (compiler/lettore_record.h), the one reader of
// the sources.
#ifndef TOOLS_LSP_RECORD_LSP_H_
#define TOOLS_LSP_RECORD_LSP_H_

#include <cstdint>
#include <string_view>

#include "compiler/campi_sorgenti.h"
#include "compiler/lettore_record.h"

namespace scenario::strumento {

// Reads the Windows-1252 `testo` to its end, telling `o` of each record and each field passed
// over, and stops where the compiler's reading stops short (code 25): on an empty text, or at
// its end inside the general section's run of fields holding "-".
void leggi_documento(std::string_view testo, file_sorgente file, osservatore_lettura& o);

// Whether the character at 1-based line `riga`, 1-based column `colonna` is in field `c`; an
// empty field holds the character where it stands.
bool nel_campo(const campo_letto& c, int64_t riga, int64_t colonna);

}  // namespace scenario::strumento

#endif  // TOOLS_LSP_RECORD_LSP_H_
