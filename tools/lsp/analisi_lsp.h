// The problems of one route and train as the editor server shows them: the one function
// between the checks of the sources and the server. The server turns each place into the
// editor's positions and never looks at how a problem was found.
#ifndef TOOLS_LSP_ANALISI_LSP_H_
#define TOOLS_LSP_ANALISI_LSP_H_

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/compilatore.h"

namespace scenario::strumento {

// The protocol's severities.
enum class gravita : int32_t { errore = 1, avviso = 2 };

struct diagnostica {
  std::string file;          // the source's file name; empty when it has no place
  int64_t riga = 0;          // 1-based; 0 when it has no place in its file
  int64_t colonna = 1;       // 1-based, in the source's Windows-1252 bytes
  int64_t colonna_fine = 1;  // one past the last byte of the range
  gravita g = gravita::errore;
  int32_t codice = 0;     // the compiler's code, 0 for none
  std::string messaggio;  // UTF-8

  auto operator<=>(const diagnostica&) const = default;
};

// The problems of the sources in `testi` (Windows-1252, as the compiler reads them) with the
// names of `o`: what `check` finds, in its order, each over the field it names.
std::vector<diagnostica> diagnostiche_coppia(const testi_sorgenti& testi,
                                             const opzioni_compilazione& o);

}  // namespace scenario::strumento

#endif  // TOOLS_LSP_ANALISI_LSP_H_
