// The program folder. The package's file work itself is io/'s: folder sources and
// destinations (io/cartella.h), the folder's lock (io/blocco.h).
#ifndef DRIVER_FILE_PROGRAMMA_H_
#define DRIVER_FILE_PROGRAMMA_H_

#include <filesystem>

#include "io/blocco.h"
#include "io/cartella.h"
#include "io/errore_file.h"

namespace scenario {

// The running executable; raises `errore_file` if it cannot be found.
std::filesystem::path file_programma();
// The folder that holds it.
inline std::filesystem::path cartella_programma() { return file_programma().parent_path(); }

}  // namespace scenario

#endif  // DRIVER_FILE_PROGRAMMA_H_
