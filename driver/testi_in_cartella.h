// The two text sources of a route read from a folder, and the deleting of the ones a compile
// consumed: the package's only place where sources are deleted.
#ifndef DRIVER_TESTI_IN_CARTELLA_H_
#define DRIVER_TESTI_IN_CARTELLA_H_

#include <filesystem>

#include "compiler/compilatore.h"

namespace scenario {

// A missing file is nullopt; one that exists but cannot be read is marked unreadable.
testi_sorgenti leggi_testi(const std::filesystem::path& cartella, const opzioni_compilazione& o);

// Deletes, when they still exist, the sources the compile says it consumed.
void cancella_consumati(const std::filesystem::path& cartella, const opzioni_compilazione& o,
                        const compilazione& c);

}  // namespace scenario

#endif  // DRIVER_TESTI_IN_CARTELLA_H_
