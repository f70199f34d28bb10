// The package's run: writes the payload's texts and documents, compiles, writes the compiled
// files, ends.
#ifndef DRIVER_ESECUZIONE_H_
#define DRIVER_ESECUZIONE_H_

#include <filesystem>

#include "compiler/stati_uscita.h"
#include "driver/interfaccia.h"
#include "sources/carico.h"

namespace scenario {

// Runs the whole sequence of the payload `c` in `cartella` and returns the exit status.
int esegui_pacchetto(const std::filesystem::path& cartella, const carico& c,
                     interfaccia_utente& interfaccia);

}  // namespace scenario

#endif  // DRIVER_ESECUZIONE_H_
