// The two halves of `memorizza_dati`, one per text source.
#ifndef COMPILER_PARSER_H_
#define COMPILER_PARSER_H_

#include "compiler/analisi.h"
#include "compiler/lettore_campi.h"

namespace scenario {

// Reads the next field as the current keyword field, remembering its line for messages.
inline void leggi_campo(analisi& m, lettore_campi& l) {
  m.riga = l.leggi_testo();
  m.riga_sorgente = l.riga_campo();
  m.colonna_sorgente = l.colonna_campo();
}

// The fault of a record that needs the route before any length was read.
inline constexpr const char* senza_lunghezza =
    "no \"lunghezza percorso\" in the general section, so the route has no cells";

// The position check of a record at p metres: it passes while (p + margine) / 50 does not
// exceed the last cell; otherwise code 15 with the position. A route never sized is a fault.
bool fuori_percorso(analisi& m, int32_t p, int32_t margine);

// Reads the line description. False when it stopped with a code that ends the whole
// parse (the train service is then neither read nor deleted).
bool leggi_descrizione_linea(analisi& m, const testi_sorgenti& testi);

// Reads the train service, after the line description.
void leggi_servizio_treno(analisi& m, const testi_sorgenti& testi);

}  // namespace scenario

#endif  // COMPILER_PARSER_H_
