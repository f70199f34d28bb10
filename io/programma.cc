// The program's file, as the system reports the running executable.
#include "io/programma.h"

#include "io/sistema.h"

namespace scenario {

std::filesystem::path file_programma() {
  std::filesystem::path file;
  if (const io::codice_sistema c = io::file_eseguibile(file); c != 0) {
    throw errore_io(tipo_errore_io::file,
                    {"impossibile trovare la cartella del programma: " + io::ragione(c),
                     "cannot find the program's folder: " + io::ragione(c)});
  }
  return file;
}

}  // namespace scenario
