// The compile of a folder: the one path from the text sources in a folder to the compiled
// files in it, shared by the package and `scenario-tool compile`.
#ifndef IO_COMPILA_IN_CARTELLA_H_
#define IO_COMPILA_IN_CARTELLA_H_

#include <cstdint>

#include "compiler/modello.h"
#include "io/blocco.h"

namespace scenario {

// Under the folder's lock, which the caller holds: reads the sources of `m.nome_linea` and
// `m.numero_treno` (io/lettura.h), compiles them into `m` (the track plan when `j` is not 0)
// and replaces the compiled files as a set. Returns 0, or the identity error 1250 or 1251,
// after which nothing compiled has been written. With `consuma_sorgenti` the sources the
// rules consumed are deleted, once the outputs are in place. A file that cannot be read or
// written raises `errore_file`; the old compiled files then stay as they were.
int32_t compila_in_cartella(const blocco_cartella& blocco, modello& m, int32_t j,
                            bool consuma_sorgenti);

}  // namespace scenario

#endif  // IO_COMPILA_IN_CARTELLA_H_
