// The one table of the codes the compiler records, with a short meaning each in both
// languages, and the package's Italian line "FILE:LINE: errore N: meaning (posizione P m)".
#ifndef COMPILER_CODICI_ERRORE_H_
#define COMPILER_CODICI_ERRORE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

}  // namespace scenario

#endif  // COMPILER_CODICI_ERRORE_H_
