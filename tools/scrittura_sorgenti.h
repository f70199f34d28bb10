// The one way `export` and `new` put sources into an author's folder: the folder is created,
// and existing sources are kept unless the author asked for them to be replaced.
#ifndef TOOLS_SCRITTURA_SORGENTI_H_
#define TOOLS_SCRITTURA_SORGENTI_H_

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "driver/file_programma.h"

namespace scenario::strumento {

// Exit status of `export` and `new` when a source exists and --force was not given.
inline constexpr int uscita_sorgente_esistente = 1;

// Creates `cartella`, refuses when one of `sorgenti` (names in it) exists and `forza` is
// false, then runs `scrivi` on the folder's files. Returns the exit status after printing
// any message.
int scrivi_in_cartella(const std::filesystem::path& cartella,
                       const std::vector<std::string>& sorgenti, bool forza,
                       const std::function<void(file_in_cartella&)>& scrivi);

}  // namespace scenario::strumento

#endif  // TOOLS_SCRITTURA_SORGENTI_H_
