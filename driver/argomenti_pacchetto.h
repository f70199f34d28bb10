// The package's command line. Started with no argument it runs as it always has; it also
// answers -h, --help and --version, and refuses anything else, in both cases before it
// writes a single file.
#ifndef DRIVER_ARGOMENTI_PACCHETTO_H_
#define DRIVER_ARGOMENTI_PACCHETTO_H_

#include <string>

namespace scenario {

enum class azione_pacchetto { esegui, aiuto, versione, uso_sbagliato };

azione_pacchetto leggi_argomenti(int argc, const char* const* argv);

// What -h and --help print; names every file of the run and the exit statuses.
std::string testo_aiuto();
// What --version prints.
std::string testo_versione();
// What a wrong argument prints on standard error.
std::string testo_uso();

}  // namespace scenario

#endif  // DRIVER_ARGOMENTI_PACCHETTO_H_
