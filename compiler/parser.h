// The two halves of `memorizza_dati`, one per text source.
#ifndef COMPILER_PARSER_H_
#define COMPILER_PARSER_H_

#include "compiler/lettore_campi.h"
#include "compiler/modello.h"
#include "compiler/sorgenti.h"

namespace scenario {

// Reads the next field as the current keyword field, remembering its line for messages.
inline void leggi_campo(modello& m, lettore_campi& l) {
  m.riga = l.leggi_testo();
  m.riga_sorgente = l.riga_campo();
}

// The position check of a record at p metres: it passes while (p + margine) / 50 does not
// exceed the last cell; otherwise code 15 with the position. A route never sized is a fault.
bool fuori_percorso(modello& m, int32_t p, int32_t margine);

// Reads the line description. False when it stopped with a code that ends the whole
// parse (the train service is then neither read nor deleted).
bool leggi_descrizione_linea(modello& m, archivio_sorgenti& s);

// Reads the train service, after the line description.
void leggi_servizio_treno(modello& m, archivio_sorgenti& s);

}  // namespace scenario

#endif  // COMPILER_PARSER_H_
