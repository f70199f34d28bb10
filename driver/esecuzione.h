// The package's run: writes the five texts, compiles, writes the compiled files, ends.
#ifndef DRIVER_ESECUZIONE_H_
#define DRIVER_ESECUZIONE_H_

#include <filesystem>

#include "compiler/stati_uscita.h"
#include "driver/interfaccia.h"

namespace scenario {

// Runs the whole sequence in `cartella` and returns the exit status.
int esegui_pacchetto(const std::filesystem::path& cartella, interfaccia_utente& interfaccia);

}  // namespace scenario

#endif  // DRIVER_ESECUZIONE_H_
