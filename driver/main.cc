// The package runtime. With a route's payload after its program image it is that route's
// package: started without arguments, it writes the payload's texts and documents, compiles
// the route into the simulator's files in its own folder, and ends. Without a usable payload
// it says so and writes nothing.
#include <cstdio>
#include <filesystem>
#include <new>
#include <string>

#include "driver/argomenti_pacchetto.h"
#include "driver/interfaccia.h"
#include "io/errore_io.h"
#include "io/programma.h"
#include "io/uscita_standard.h"
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

// Help and version on standard output, which must take them whole.
int stampa(const std::string& testo) {
  std::fputs(testo.c_str(), stdout);
  const std::string errore = scenario::errore_uscita_standard();
  if (errore.empty()) return scenario::uscita_ok;
  std::fprintf(stderr, "cannot write standard output: %s\n", errore.c_str());
  return scenario::uscita_file;
}

}  // namespace

int main(int argc, char** argv) {
  scenario::prepara_segnali_di_scrittura();
  std::filesystem::path programma;
  const scenario::carico_letto letto = carico_del_programma(programma);
  const scenario::carico* c = letto.stato == scenario::stato_carico::letto ? &letto.c : nullptr;
  switch (scenario::leggi_argomenti(argc, argv)) {
    case scenario::azione_pacchetto::aiuto:
      return stampa(scenario::testo_aiuto(c));
    case scenario::azione_pacchetto::versione:
      return stampa(scenario::testo_versione(c));
    case scenario::azione_pacchetto::uso_sbagliato:
      std::fputs(scenario::testo_uso(c, argc, argv).c_str(), stderr);
      return scenario::uscita_uso;
    case scenario::azione_pacchetto::esegui:
      break;
  }
  if (c == nullptr) {
    std::fputs(scenario::testo_senza_carico(programma, letto).c_str(), stderr);
    return letto.stato == scenario::stato_carico::illeggibile ? scenario::uscita_file
                                                              : scenario::uscita_uso;
  }
  try {
    const auto cartella = programma.parent_path();
    auto interfaccia = scenario::crea_interfaccia();
    return scenario::esegui_pacchetto(cartella, *c, *interfaccia);
  } catch (const scenario::errore_io& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return scenario::stato_di(e);
  } catch (const std::bad_alloc&) {
    // Caught here, so that the way back removed every temporary and written source and
    // released the lock.
    std::fprintf(stderr, "%s\n", scenario::memoria_esaurita_pacchetto);
    return scenario::uscita_memoria;
  }
}
