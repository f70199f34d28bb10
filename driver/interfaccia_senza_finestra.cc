// The headless interface, and the choice used when the package is built without a window.
#include <cstdio>

#include "driver/interfaccia.h"

namespace scenario {

void interfaccia_senza_finestra::errore(const std::string& a) {
  std::fprintf(stderr, "%s\n", testo_errore(a).c_str());
}

#ifndef CON_FINESTRA
std::unique_ptr<interfaccia_utente> crea_interfaccia() {
  return std::make_unique<interfaccia_senza_finestra>();
}
#endif

}  // namespace scenario
