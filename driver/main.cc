// The scenario package: started without arguments, it writes its texts and documents,
// compiles the route into the simulator's files in its own folder, and ends.
#include <csignal>
#include <cstdio>

#include "driver/argomenti_pacchetto.h"
#include "driver/esecuzione.h"
#include "driver/file_programma.h"

int main(int argc, char** argv) {
  switch (scenario::leggi_argomenti(argc, argv)) {
    case scenario::azione_pacchetto::aiuto:
      std::fputs(scenario::testo_aiuto().c_str(), stdout);
      return scenario::uscita_ok;
    case scenario::azione_pacchetto::versione:
      std::fputs(scenario::testo_versione().c_str(), stdout);
      return scenario::uscita_ok;
    case scenario::azione_pacchetto::uso_sbagliato:
      std::fputs(scenario::testo_uso().c_str(), stderr);
      return scenario::uscita_uso;
    case scenario::azione_pacchetto::esegui:
      break;
  }
    // A file-size limit must fail the write, not kill the process half-way.
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  try {
    const auto cartella = scenario::cartella_programma();
    auto interfaccia = scenario::crea_interfaccia();
    return scenario::esegui_pacchetto(cartella, *interfaccia);
  } catch (const scenario::errore_file& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return scenario::uscita_file;
  }
}
