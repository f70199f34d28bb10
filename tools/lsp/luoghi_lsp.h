// The compiler's places (a 1-based line and 1-based columns, one character a byte of
// Windows-1252) in the editor's positions and back, over the text the editor holds (UTF-8) or,
// for a source that is not open, its bytes as read from the disk; and the protocol's JSON for
// positions and ranges.
#ifndef TOOLS_LSP_LUOGHI_LSP_H_
#define TOOLS_LSP_LUOGHI_LSP_H_

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string_view>
#include <utility>

#include "compiler/diagnostica.h"
#include "tools/lsp/testo_lsp.h"

namespace scenario::strumento {

// How many units of `c` the first `caratteri` bytes of the Windows-1252 `riga` take once shown
// as UTF-8 (at most the whole line).
int64_t unita_di_1252(std::string_view riga, int64_t caratteri, codifica_posizioni c);

struct intervallo_lsp {
  posizione_lsp inizio;
  posizione_lsp fine;
};

// The places of one text, looked up mostly in line order, as the problems of a source come.
class luoghi_testo {
 public:
  luoghi_testo(std::string_view testo, bool in_1252, codifica_posizioni c)
      : righe_(testo), in_1252_(in_1252), codifica_(c) {}

  // The range of `i`; the start of the text for no place or a line past the last.
  intervallo_lsp intervallo(const intervallo_sorgente& i);

 private:
  righe_testo righe_;
  bool in_1252_;
  codifica_posizioni codifica_;
};

nlohmann::json json_posizione(posizione_lsp p);
nlohmann::json json_intervallo(const intervallo_lsp& i);

}  // namespace scenario::strumento

#endif  // TOOLS_LSP_LUOGHI_LSP_H_
