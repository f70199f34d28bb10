// Today the problems are `check`'s (tools/controllo.h): a line and the column where a field
// begins. The range runs from there to the end of that field by the field rules, up to the
// next comma or line end, blanks after it left out.
#include "tools/lsp/analisi_lsp.h"

#include <algorithm>
#include <map>

#include "io/cartella.h"
#include "tools/controllo.h"
#include "tools/lsp/testo_lsp.h"
#include "tools/testo_1252.h"

namespace scenario::strumento {
namespace {

// The 1-based column one past the field that begins at `colonna` of `riga`.
int64_t fine_campo(std::string_view riga, int64_t colonna) {
  const std::size_t inizio = std::min(static_cast<std::size_t>(colonna - 1), riga.size());
  std::size_t fine = std::min(riga.find(',', inizio), riga.size());
  while (fine > inizio && (riga[fine - 1] == ' ' || riga[fine - 1] == '\t')) --fine;
  return static_cast<int64_t>(fine) + 1;
}

}  // namespace

std::vector<diagnostica> diagnostiche_coppia(const testi_sorgenti& testi,
                                             const opzioni_compilazione& o) {
  std::vector<diagnostica> d;
  std::map<std::string, righe_testo> righe;
  for (const problema& p : controlla(testi, o)) {
    diagnostica x;
    x.file = p.file;
    x.g = p.errore ? gravita::errore : gravita::avviso;
    x.codice = p.codice;
    x.messaggio = da_windows_1252(p.messaggio);
    righe_testo& r = righe.try_emplace(p.file, testo_sorgente(testi, o, p.file)).first->second;
    const std::optional<std::string_view> riga = r.riga(p.riga - 1);
    if (riga && !p.file.empty()) {
      x.riga = p.riga;
      x.colonna = std::clamp<int64_t>(p.colonna, 1, static_cast<int64_t>(riga->size()) + 1);
      x.colonna_fine = fine_campo(*riga, x.colonna);
    }
    d.push_back(std::move(x));
  }
  return d;
}

}  // namespace scenario::strumento
