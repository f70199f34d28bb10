// The package's command line. Started with no argument it runs as it always has; it also
// answers -h, --help and --version, and refuses anything else, in both cases before it
// writes a single file. The texts name the route of the package's payload; the runtime
// without one names itself.
#ifndef DRIVER_ARGOMENTI_PACCHETTO_H_
#define DRIVER_ARGOMENTI_PACCHETTO_H_

#include <filesystem>
#include <string>

#include "sources/carico.h"

namespace scenario {

enum class azione_pacchetto { esegui, aiuto, versione, uso_sbagliato };

azione_pacchetto leggi_argomenti(int argc, const char* const* argv);

inline constexpr const char* nome_runtime = "scenario-runtime";

// In each text `c` is the payload, or null for the runtime without one.
// What -h and --help print; names every file of the run and the exit statuses.
std::string testo_aiuto(const carico* c);
// What --version prints.
std::string testo_versione(const carico* c);
// What a wrong command line prints on standard error: the argument refused (the first that is
// none of -h, --help and --version, or the second of two), then the usage.
std::string testo_uso(const carico* c, int argc, const char* const* argv);

// What a run prints on standard error when `programma` has no payload it can use.
std::string testo_senza_carico(const std::filesystem::path& programma, const carico_letto& letto);

}  // namespace scenario

#endif  // DRIVER_ARGOMENTI_PACCHETTO_H_
