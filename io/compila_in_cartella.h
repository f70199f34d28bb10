// The compile of a folder: the one path from the text sources in a folder to the compiled
// files in it, shared by the package and `scenario-tool compile`.
#ifndef IO_COMPILA_IN_CARTELLA_H_
#define IO_COMPILA_IN_CARTELLA_H_

#include <string>

#include "compiler/compilatore.h"
#include "compiler/stati_uscita.h"
#include "io/blocco.h"

namespace scenario {

struct compilazione_in_cartella {
  compilazione c;                  // what `compila` returned (empty when the sources were not read)
  testi_sorgenti testi;            // the sources as read, for the line a message quotes
  stato_uscita stato = uscita_ok;  // ok, codice_registrato, identita or file
  std::string errore_file;         // the file's message when `stato` is `uscita_file`
  std::string errore_file_inglese;  // the same in scenario-tool's English
};

// Under the folder's lock, which the caller holds: reads the sources of `o` (io/lettura.h),
// compiles them and, unless an identity error, replaces the compiled files as a set. A file
// that cannot be read or written leaves the old compiled files as they were. With
// `consuma_sorgenti` the sources the rules consumed are deleted after the writing, and kept
// when a file failed, so that a later run finds them: the one place where sources are deleted.
compilazione_in_cartella compila_in_cartella(const blocco_cartella& blocco,
                                             const opzioni_compilazione& o, bool consuma_sorgenti);

}  // namespace scenario

#endif  // IO_COMPILA_IN_CARTELLA_H_
