// The one way `export` and `new` put sources into an author's folder: the folder is created,
// and existing sources, and documents the author has edited, are kept unless the author asked
// for them to be replaced.
#ifndef TOOLS_CLI_SCRITTURA_SORGENTI_H_
#define TOOLS_CLI_SCRITTURA_SORGENTI_H_

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "compiler/sorgenti.h"
#include "run/stati_uscita.h"

namespace scenario::strumento {

// Exit status of `export` and `new` when a source or an edited document exists and --force
// was not given.
inline constexpr stato_uscita uscita_sorgente_esistente = uscita_codice_registrato;

// Creates `cartella` and the folders above it that are missing; false after the message.
bool crea_cartella(const std::filesystem::path& cartella);

// Creates `cartella` and takes its lock, as every run that writes into it does; removes what
// killed runs left while writing these files; refuses, unless `forza`, when one of `sorgenti`
// (names in it) exists or when another file that `scrivi` writes (a document) exists with
// other bytes; then replaces each file that `scrivi` writes. Returns the exit status after
// printing any message.
int scrivi_in_cartella(const std::filesystem::path& cartella,
                       const std::vector<std::string>& sorgenti, bool forza,
                       const std::function<void(destinazione_file&)>& scrivi);

}  // namespace scenario::strumento

#endif  // TOOLS_CLI_SCRITTURA_SORGENTI_H_
