// The common start of `dump` and `plot`: check the names, read the compiled files, and say
// on standard error what is wrong with them.
#ifndef TOOLS_LETTURA_COMANDO_H_
#define TOOLS_LETTURA_COMANDO_H_

#include <optional>

#include "compiler/stati_uscita.h"
#include "tools/comandi.h"
#include "tools/descrizione_scenario.h"

namespace scenario::strumento {

// Status of plot when its picture cannot be written. It has stayed 1 so far; it belongs with
// `uscita_file`. A missing or damaged compiled file is `uscita_compilato_danneggiato`.
inline constexpr int uscita_file_danneggiato = uscita_codice_registrato;

// The files, or nothing with `stato` set to the exit status after the message is printed.
std::optional<file_letti> leggi_per_comando(const scenario_scelto& s, int& stato);

}  // namespace scenario::strumento

#endif  // TOOLS_LETTURA_COMANDO_H_
