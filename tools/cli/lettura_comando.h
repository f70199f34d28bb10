// The common start of the subcommands: check the names, find the sources, and say on standard
// error what is wrong with them.
#ifndef TOOLS_CLI_LETTURA_COMANDO_H_
#define TOOLS_CLI_LETTURA_COMANDO_H_

#include <cstdio>
#include <string>
#include <vector>

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

// What --color asks for: colour on a terminal unless NO_COLOR is set (automatico), always,
// or never. The one setting of the run, made once the command line is read.
enum class modo_colore { automatico, sempre, mai };
void imposta_colore(modo_colore m);

// Adds -q, --quiet to `comando`: the summary of a success is left out.
void opzione_silenzio(CLI::App& comando, bool& zitto);

// The one line a command prints on standard output when it succeeds, unless -q asked for
// none: uscita_ok, or uscita_file when standard output cannot take it.
int riassunto_successo(const std::string& riga, bool zitto);

// Whether what goes to `f` is coloured, as --color and NO_COLOR ask.
bool colore_su(std::FILE* f);

// True when `nome` may stand in file names; otherwise false after the message.
bool nome_valido(const std::string& nome);
// True when route and train may stand in file names and give each file of a run its own;
// otherwise false after the message, and the subcommand ends with uscita_uso.
bool nomi_validi(const scenario_scelto& s);

// "no source PATH" for each source of `o` that `t` lacks, by its full path.
std::vector<std::string> sorgenti_mancanti(const testi_sorgenti& t, const std::string& cartella,
                                           const opzioni_compilazione& o);

// Names each source of `o` that `t` lacks by its full path ("scenario-tool: no source ..."),
// so that the author sees where it was looked for; true when one was missing.
bool segnala_sorgenti_mancanti(const testi_sorgenti& t, const std::string& cartella,
                               const opzioni_compilazione& o);

}  // namespace scenario::strumento

#endif  // TOOLS_CLI_LETTURA_COMANDO_H_
