// `compila`, the compile driver: its steps run in a fixed order on a fresh parse state, and
// the scenario is handed back whatever code the parser or the pass recorded.
#include "compiler/compilatore.h"

#include "compiler/analisi.h"

namespace scenario {

void esegui_compilazione(const testi_sorgenti& testi, analisi& a) {
  memorizza_dati(a, testi);
  passata_percorso(a);
  a.risultato.errore_identita = timbra_identita(a);
}

compilazione compila(const testi_sorgenti& testi, const opzioni_compilazione& o) {
  analisi a(o);
  esegui_compilazione(testi, a);
  return std::move(a.uscita);
}

}  // namespace scenario
