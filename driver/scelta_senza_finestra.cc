// The choice of a package built without a window: always the headless interface.
#include "driver/interfaccia.h"

namespace scenario {

std::unique_ptr<interfaccia_utente> crea_interfaccia() {
  return std::make_unique<interfaccia_senza_finestra>();
}

}  // namespace scenario
