// The common start of `dump` and `plot`: check the names, read the compiled files, and say
// on standard error what is wrong with them.
#ifndef TOOLS_LETTURA_COMANDO_H_
#define TOOLS_LETTURA_COMANDO_H_

#include <optional>

#include "compiler/stati_uscita.h"
#include "tools/comandi.h"
#include "tools/descrizione_scenario.h"

namespace scenario::strumento {

// True when route and train may stand in file names; otherwise false with `stato` set to
// the exit status after the message is printed.
bool nomi_validi(const scenario_scelto& s, int& stato);

// The files, or nothing with `stato` set to the exit status after the message is printed.
std::optional<file_letti> leggi_per_comando(const scenario_scelto& s, int& stato);

}  // namespace scenario::strumento

#endif  // TOOLS_LETTURA_COMANDO_H_
