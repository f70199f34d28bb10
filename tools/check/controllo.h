// The checks of an author's sources: the compile's own verdict first, then every record that
// would fail on its own and what compiles but is almost surely a mistake. It reads no file;
// the words come from the table of keywords and fields (compiler/campi_sorgenti.h).
#ifndef TOOLS_CHECK_CONTROLLO_H_
#define TOOLS_CHECK_CONTROLLO_H_

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/compilatore.h"

namespace scenario::strumento {

struct problema {
  std::string file;  // the source's file name; empty when the problem has no place
  int64_t riga = 0;  // 1-based; 0 when unknown
  int32_t colonna = 0;
  bool errore = false;  // false: a warning
  int32_t codice = 0;   // the compiler's code, 0 for the checker's own findings
  std::string messaggio;
};

// The compile's verdict first, then the rest in source order (line description first).
std::vector<problema> controlla(const testi_sorgenti& testi, const opzioni_compilazione& o);

// Warnings become errors (--strict).
void severo(std::vector<problema>& problemi);

// "FILE:LINE:COL: error|warning: message", the source line and a caret under the field, for each
// problem, then "N errors, M warnings". FILE is `cartella`/name, as the author typed the folder.
std::string testo_problemi(const std::vector<problema>& problemi, const testi_sorgenti& testi,
                           const opzioni_compilazione& o, const std::string& cartella);

// "N errors, M warnings", singular for one.
std::string riassunto(const std::vector<problema>& problemi);

// The name in the table closest to `parola` (edit distance, case folded), or empty when none is
// close enough to be a likely misspelling.
std::string piu_vicina(const std::string& parola, const std::vector<std::string>& note);

}  // namespace scenario::strumento

#endif  // TOOLS_CHECK_CONTROLLO_H_
