// The package runtime. With a route's payload after its program image it is that route's
// package: started without arguments, it writes the payload's texts and documents, compiles
// the route into the simulator's files in its own folder, and ends. Without a usable payload
// it says so and writes nothing.
#include <csignal>
#include <cstdio>
#include <filesystem>

#include "driver/argomenti_pacchetto.h"
#include "driver/interfaccia.h"
#include "io/errore_io.h"
#include "io/programma.h"
#include "run/esecuzione.h"
#include "run/stati_uscita.h"
#include "sources/carico.h"

namespace {

// The payload of the running program; its path, when found, in `programma`.
scenario::carico_letto carico_del_programma(std::filesystem::path& programma) {
  try {
    programma = scenario::file_programma();
  } catch (const scenario::errore_io& e) {
    return {scenario::stato_carico::illeggibile, {}, 0, e.what()};
  }
  return scenario::leggi_carico(programma);
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path programma;
  const scenario::carico_letto letto = carico_del_programma(programma);
  const scenario::carico* c = letto.stato == scenario::stato_carico::letto ? &letto.c : nullptr;
  switch (scenario::leggi_argomenti(argc, argv)) {
    case scenario::azione_pacchetto::aiuto:
      std::fputs(scenario::testo_aiuto(c).c_str(), stdout);
      return scenario::uscita_ok;
    case scenario::azione_pacchetto::versione:
      std::fputs(scenario::testo_versione(c).c_str(), stdout);
      return scenario::uscita_ok;
    case scenario::azione_pacchetto::uso_sbagliato:
      std::fputs(scenario::testo_uso(c).c_str(), stderr);
      return scenario::uscita_uso;
    case scenario::azione_pacchetto::esegui:
      break;
  }
  if (c == nullptr) {
    std::fputs(scenario::testo_senza_carico(programma, letto).c_str(), stderr);
    return letto.stato == scenario::stato_carico::illeggibile ? scenario::uscita_file
                                                              : scenario::uscita_uso;
  }
  // A file-size limit must fail the write, not kill the process half-way.
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  try {
    const auto cartella = programma.parent_path();
    auto interfaccia = scenario::crea_interfaccia();
    return scenario::esegui_pacchetto(cartella, *c, *interfaccia);
  } catch (const scenario::errore_io& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return scenario::stato_di(e);
  }
}
