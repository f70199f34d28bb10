// Texts of the package's command line, in English like scenario-tool's.
#include "driver/argomenti_pacchetto.h"

#include <string_view>

#include "versione.h"

namespace scenario {

azione_pacchetto leggi_argomenti(int argc, const char* const* argv) {
  if (argc <= 1) return azione_pacchetto::esegui;
  if (argc > 2) return azione_pacchetto::uso_sbagliato;
  const std::string_view a = argv[1];
  if (a == "-h" || a == "--help") return azione_pacchetto::aiuto;
  if (a == "--version") return azione_pacchetto::versione;
  return azione_pacchetto::uso_sbagliato;
}

std::string testo_aiuto() {
  return "Usage: ARONA_DOMODOSSOLA_324 [-h | --help | --version]\n"
         "\n"
         "The scenario package of the route ARONA_DOMODOSSOLA and train 324. Started with no\n"
         "argument, it writes into the folder that holds it the line description and the train\n"
         "service, compiles them into the simulator's files and deletes them, and writes three\n"
         "documents for the driver:\n"
         "  ARONA_DOMODOSSOLA_linea.dat   track plan\n"
         "  ARONA_DOMODOSSOLA_324.sim     station table\n"
         "  ARONA_DOMODOSSOLA_324.dat     route cells\n"
         "  ARONA_DOMODOSSOLA_324_note.txt, ARONA_DOMODOSSOLA_324_rallentamenti.txt,\n"
         "  ARONA_DOMODOSSOLA_324_scheda_treno.txt\n"
         "\n"
         "  -h, --help   print this text and exit, writing nothing\n"
         "  --version    print the version and exit, writing nothing\n"
         "\n"
         "Exit statuses: 0 done; 1 the compiler recorded a code (the files are written, the code\n"
         "is on standard error); 2 usage error (nothing written); 3 identity error (nothing\n"
         "compiled written); 4 a file could not be read or written; 6 another run kept the folder\n"
         "busy (nothing written).\n";
}

std::string testo_versione() { return "ARONA_DOMODOSSOLA_324 " VERSIONE_PROGRAMMA "\n"; }

std::string testo_uso() {
  return "Usage: ARONA_DOMODOSSOLA_324 [-h | --help | --version]\n"
         "Started with no argument, it writes the scenario into its own folder.\n";
}

}  // namespace scenario
