// The common start of the subcommands: check the names, read the files, and say on standard
// error what is wrong with them.
#ifndef TOOLS_LETTURA_COMANDO_H_
#define TOOLS_LETTURA_COMANDO_H_

#include <cstdio>
#include <optional>
#include <string>

#include "compiler/compilatore.h"
#include "compiler/stati_uscita.h"
#include "tools/comandi.h"
#include "tools/descrizione_scenario.h"

namespace scenario::strumento {

// One line on standard error in the tool's own voice: "scenario-tool: MESSAGE".
void stampa_errore(const std::string& messaggio);

// Writes `testo` whole on standard output; false, after saying so on standard error, when it
// could not be (a full disk, a file-size limit). A reader that closed the pipe is not told.
bool scrivi_uscita(const std::string& testo);

// Whether what goes to `f` is coloured: on a terminal, unless NO_COLOR is set.
bool colore_su(std::FILE* f);

// True when route and train may stand in file names; otherwise false with `stato` set to
// the exit status after the message is printed.
bool nomi_validi(const scenario_scelto& s, int& stato);

// Names each source of `o` that `t` lacks by its full path ("scenario-tool: no source ..."),
// so that the author sees where it was looked for; true when one was missing.
bool segnala_sorgenti_mancanti(const testi_sorgenti& t, const std::string& cartella,
                               const opzioni_compilazione& o);

// The compiled files, or nothing with `stato` set to the exit status after the message is printed.
std::optional<file_letti> leggi_per_comando(const scenario_scelto& s, int& stato);

}  // namespace scenario::strumento

#endif  // TOOLS_LETTURA_COMANDO_H_
