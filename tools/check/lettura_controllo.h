// The checker's own reading of one source: the compiler's field reader walked in the parsers'
// own loops, so that a field is a keyword, a value or skipped exactly where the compiler takes
// it so, and each record's values looked at against the table of keywords and fields. Unlike
// the compiler it goes on after a fault, to find every record that would fail on its own.
#ifndef TOOLS_CHECK_LETTURA_CONTROLLO_H_
#define TOOLS_CHECK_LETTURA_CONTROLLO_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/campi_sorgenti.h"
#include "compiler/compilatore.h"
#include "tools/check/controllo.h"

namespace scenario::strumento {

// A problem with the record it belongs to: the line and column of the record's keyword field,
// where the compiler places a code it records while reading it (0 when it has no record).
struct rilievo {
  problema p;
  int64_t riga_record = 0;
  int32_t colonna_record = 0;
};

struct lettura_sorgente {
  std::vector<rilievo> rilievi;  // in source order
  // The length the line description gives the route (the last valid one read), if any.
  std::optional<int64_t> lunghezza;
};

// Reads `testo`, the source `nome` of kind `file`. `lunghezza_linea` is the line's length when
// reading the train service.
lettura_sorgente leggi_per_controllo(file_sorgente file, const std::string& nome,
                                     std::string_view testo, const opzioni_compilazione& o,
                                     std::optional<int64_t> lunghezza_linea);

}  // namespace scenario::strumento

#endif  // TOOLS_CHECK_LETTURA_CONTROLLO_H_
