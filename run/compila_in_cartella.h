// The compile of a folder: the one path from the text sources in a folder to the compiled
// files in it, shared by the package (run/esecuzione.h) and `scenario-tool compile`.
#ifndef RUN_COMPILA_IN_CARTELLA_H_
#define RUN_COMPILA_IN_CARTELLA_H_

#include <chrono>
#include <filesystem>
#include <optional>

#include "compiler/compilatore.h"
#include "io/blocco.h"
#include "io/cartella.h"
#include "io/errore_io.h"
#include "run/stati_uscita.h"

namespace scenario {

struct compilazione_in_cartella {
  compilazione c;        // what `compila` returned (empty when the sources were not read)
  testi_sorgenti testi;  // the sources as read, for the line a message quotes
  stato_uscita stato = uscita_ok;
  std::optional<errore_io> errore;  // the file work that failed: `stato` is 4 or 6
};

// The two text sources of a route and train in `cartella`: a missing file is nothing; one
// that exists but cannot be read raises `errore_io`.
testi_sorgenti leggi_testi(cartella_file& cartella, const opzioni_compilazione& o);

// Under the folder's lock, which the caller holds: reads the sources of `o`, compiles them
// and, unless an identity error, replaces the compiled files as a set. A file that cannot be
// read or written leaves the old compiled files as they were. With `consuma_sorgenti` the
// sources the rules consumed are deleted after the writing, and kept when a file failed, so
// that a later run finds them: the one place where sources are deleted.
compilazione_in_cartella compila_in_cartella(cartella_file& cartella, const opzioni_compilazione& o,
                                             bool consuma_sorgenti);

// `scenario-tool compile`: the folder's lock, waited for at most `attesa`, and the compile of
// the folder, which keeps its sources.
compilazione_in_cartella compila_cartella(const std::filesystem::path& cartella,
                                          const opzioni_compilazione& o,
                                          std::chrono::milliseconds attesa = attesa_blocco);

}  // namespace scenario

#endif  // RUN_COMPILA_IN_CARTELLA_H_
