// The common start of the subcommands: check the names, find the sources, and say on standard
// error what is wrong with them.
#ifndef TOOLS_CLI_LETTURA_COMANDO_H_
#define TOOLS_CLI_LETTURA_COMANDO_H_

#include <cstdio>
#include <string>

#include "compiler/compilatore.h"
#include "tools/cli/comandi.h"

namespace scenario::strumento {

// One line on standard error in the tool's own voice: "scenario-tool: MESSAGE".
void stampa_errore(const std::string& messaggio);

// Writes `testo` whole on standard output; false, after saying so on standard error, when it
// could not be (a full disk, a file-size limit).
bool scrivi_uscita(const std::string& testo);

// Whether everything written to standard output so far arrived; false after saying on
// standard error, once, that it did not. A command that gets false ends with uscita_file.
bool uscita_standard_scritta();

// Whether what goes to `f` is coloured: on a terminal, unless NO_COLOR is set.
bool colore_su(std::FILE* f);

// True when route and train may stand in file names and give each file of a run its own;
// otherwise false after the message, and the subcommand ends with uscita_uso.
bool nomi_validi(const scenario_scelto& s);

// Names each source of `o` that `t` lacks by its full path ("scenario-tool: no source ..."),
// so that the author sees where it was looked for; true when one was missing.
bool segnala_sorgenti_mancanti(const testi_sorgenti& t, const std::string& cartella,
                               const opzioni_compilazione& o);

}  // namespace scenario::strumento

#endif  // TOOLS_CLI_LETTURA_COMANDO_H_
