// The running program's own file and folder, where the package writes and beside which
// scenario-tool finds its companion programs.
#ifndef IO_PROGRAMMA_H_
#define IO_PROGRAMMA_H_

#include <filesystem>

#include "io/errore_io.h"

namespace scenario {

// The running executable; raises `errore_io` if it cannot be found.
std::filesystem::path file_programma();
// The folder that holds it.
inline std::filesystem::path cartella_programma() { return file_programma().parent_path(); }

}  // namespace scenario

#endif  // IO_PROGRAMMA_H_
