// scenario-tool check, and the reading and checking of an author's sources that `package`
// does first, the same way.
#ifndef TOOLS_CHECK_COMANDO_CHECK_H_
#define TOOLS_CHECK_COMANDO_CHECK_H_

#include <cstddef>

#include "compiler/compilatore.h"
#include "compiler/diagnostica.h"
#include "tools/cli/comandi.h"

namespace scenario::strumento {

// The sources of `s` read and checked as `check` does them, at most `massimo` problems kept:
// uscita_ok with `problemi` filled, or the exit status after the message of a wrong name, an
// unreadable or a missing source.
int leggi_e_controlla(const scenario_scelto& s, std::size_t massimo, testi_sorgenti& t,
                      raccolta_diagnostiche& problemi);

}  // namespace scenario::strumento

#endif  // TOOLS_CHECK_COMANDO_CHECK_H_
