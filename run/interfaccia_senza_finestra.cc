// The headless interface: the error text on standard error.
#include <cstdio>

#include "run/interfaccia_utente.h"

namespace scenario {

void interfaccia_senza_finestra::errore(const std::string& a) {
  std::fprintf(stderr, "%s\n", testo_errore(a).c_str());
}

}  // namespace scenario
