// The one table of the codes the compiler records, with a short meaning each, and the two
// messages: the package's Italian line "FILE:LINE: errore N: meaning (posizione P m)" and the
// English one of scenario-tool, "FILE:LINE:COL: error N: reason (position P m)" followed by
// the source line and a caret under the field.
#ifndef COMPILER_CODICI_ERRORE_H_
#define COMPILER_CODICI_ERRORE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/esito.h"

namespace scenario {

struct codice_errore_noto {
  int32_t codice;
  const char* significato;
  bool con_posizione;   // the code sets posizione_errore
  bool dal_sorgente;    // the code is found while reading a source
  const char* meaning;  // the same in English, for scenario-tool
};

// Nothing for a code outside the table.
std::optional<codice_errore_noto> cerca_codice(int32_t codice);

// "FILE:LINE: errore N: meaning (posizione P m)"; FILE:LINE only for a code found while
// reading a source, the position only for a code that sets one.
std::string messaggio_errore(int32_t codice, int32_t posizione, std::string_view file,
                             int32_t riga);

// The author's message for what a compile recorded (the identity error, or else the code);
// empty when there is neither. `riga` is the source line to quote under it, already found
// and cut (tools/cli/estratto_sorgente.h), and `colonna` the field's column within it for the
// caret (0: none); an empty `riga` quotes nothing.
std::string messaggio_autore(const esito& r, std::string_view riga = {}, int32_t colonna = 0);

}  // namespace scenario

#endif  // COMPILER_CODICI_ERRORE_H_
