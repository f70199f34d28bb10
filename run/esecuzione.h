// The package's run: writes the payload's texts and documents, compiles, writes the compiled
// files, ends.
#ifndef RUN_ESECUZIONE_H_
#define RUN_ESECUZIONE_H_

#include <chrono>
#include <filesystem>

#include "io/blocco.h"
#include "run/interfaccia_utente.h"
#include "sources/carico.h"

namespace scenario {

// Runs the whole sequence of the payload `c` in `cartella`, waiting at most `attesa` for
// another run to leave the folder, and returns the exit status (run/stati_uscita.h).
int esegui_pacchetto(const std::filesystem::path& cartella, const carico& c,
                     interfaccia_utente& interfaccia,
                     std::chrono::milliseconds attesa = attesa_blocco);

}  // namespace scenario

#endif  // RUN_ESECUZIONE_H_
