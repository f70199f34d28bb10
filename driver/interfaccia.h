// The package's windows: the label of the progress window, and the choice between a real
// window and the headless interface, made by the library the runtime links.
#ifndef DRIVER_INTERFACCIA_H_
#define DRIVER_INTERFACCIA_H_

#include <memory>

#include "run/interfaccia_utente.h"

namespace scenario {

inline constexpr const char* testo_attendere = "Attendere";

// The window system's interface when a display can be opened, otherwise the headless one.
std::unique_ptr<interfaccia_utente> crea_interfaccia();

}  // namespace scenario

#endif  // DRIVER_INTERFACCIA_H_
