// `memorizza_dati`: the line description, then the train service, and the general failure
// path that turns any unforeseen fault of either half into code 25.
#include "compiler/compilatore.h"
#include "compiler/parser.h"

namespace scenario {

void memorizza_dati(modello& m, archivio_sorgenti& sorgenti) {
  try {
    if (!leggi_descrizione_linea(m, sorgenti)) return;
    leggi_servizio_treno(m, sorgenti);
  } catch (const guasto&) {
    // The model keeps what it holds; no text source survives the fault.
    sorgenti.cancella(sorgente::linea);
    sorgenti.cancella(sorgente::treno);
    m.codice_errore = 25;
    m.segna_luogo_errore();
  }
}

}  // namespace scenario
