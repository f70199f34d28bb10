// The package's run: writes the five texts, compiles, writes the compiled files, ends.
#ifndef DRIVER_ESECUZIONE_H_
#define DRIVER_ESECUZIONE_H_

#include <filesystem>

#include "driver/interfaccia.h"

namespace scenario {

// Exit statuses of the package and of scenario-tool.
enum stato_uscita : int {
  uscita_ok = 0,
  uscita_codice_registrato = 1,
  uscita_uso = 2,
  uscita_identita = 3,
  uscita_file = 4,
};

// Runs the whole sequence in `cartella` and returns the exit status.
int esegui_pacchetto(const std::filesystem::path& cartella, interfaccia_utente& interfaccia);

}  // namespace scenario

#endif  // DRIVER_ESECUZIONE_H_
