// The problems of the front end (compiler/compilatore.h `controlla`), each over the field it
// names, with its message in UTF-8.
#include "tools/lsp/analisi_lsp.h"

#include "compiler/testo_1252.h"

namespace scenario::strumento {

std::vector<diagnostica> diagnostiche_coppia(const testi_sorgenti& testi,
                                             const opzioni_compilazione& o) {
  std::vector<diagnostica> d;
  const raccolta_diagnostiche problemi = controlla(testi, o);
  for (const scenario::diagnostica& p : problemi.elenco()) {
    diagnostica x;
    x.file = p.file;
    x.g = p.errore() ? gravita::errore : gravita::avviso;
    x.codice = p.codice;
    x.messaggio = da_windows_1252(p.messaggio);
    if (p.dove.valido() && !p.file.empty()) {
      x.riga = p.dove.riga;
      x.colonna = p.dove.colonna;
      x.colonna_fine = std::max(p.dove.colonna_fine, p.dove.colonna);
    }
    d.push_back(std::move(x));
  }
  return d;
}

}  // namespace scenario::strumento
