// `memorizza_dati`: the line description, then the train service, and the general failure
// path that turns any unforeseen fault of either half into code 25 with its reason.
#include "compiler/analisi.h"
#include "compiler/parser.h"

namespace scenario {

void memorizza_dati(analisi& m, const testi_sorgenti& testi) {
  try {
    if (!leggi_descrizione_linea(m, testi)) return;
    leggi_servizio_treno(m, testi);
  } catch (const guasto& g) {
    // The model keeps what it holds; no text source survives the fault.
    m.uscita.consuma_linea = testi.linea.has_value();
    m.uscita.consuma_treno = testi.treno.has_value();
    m.registra(25);
    m.risultato.motivo = g.what();
  }
}

}  // namespace scenario
