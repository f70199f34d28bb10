// The two halves of `memorizza_dati`, one per text source.
#ifndef COMPILER_PARSER_H_
#define COMPILER_PARSER_H_

#include "compiler/lettore_campi.h"
#include "compiler/modello.h"
#include "compiler/sorgenti.h"

namespace scenario {

// Reads the line description. False when it stopped with a code that ends the whole
// parse (the train service is then neither read nor deleted).
bool leggi_descrizione_linea(modello& m, archivio_sorgenti& s);

// Reads the train service, after the line description.
void leggi_servizio_treno(modello& m, archivio_sorgenti& s);

}  // namespace scenario

#endif  // COMPILER_PARSER_H_
