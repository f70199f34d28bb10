// Test-only program: keeps the package's windows up long enough for a test to look at them,
// since the real run lasts milliseconds.
//   prova_finestra avanzamento CARTELLA SECONDI
//     runs the package's sequence in CARTELLA behind the progress window, prints "pronta"
//     and the run's status, then keeps the window on screen for SECONDI seconds.
//   prova_finestra errore N
//     shows the progress window and the message box of error N; once the box is closed it
//     ends with the status of an identity error, as the package does.
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "compiler/compilatore.h"
#include "driver/interfaccia.h"
#include "run/esecuzione.h"
#include "run/stati_uscita.h"
#include "sources/carico_spedito.h"

namespace {

using namespace scenario;

int avanzamento(const char* cartella, const char* secondi) {
  auto interfaccia = crea_interfaccia();
  const int stato = esegui_pacchetto(cartella, carico_spedito(), *interfaccia);
  std::printf("pronta %d\n", stato);
  std::fflush(stdout);
  // The window is neither repainted nor serviced meanwhile, as during the run.
  std::this_thread::sleep_for(std::chrono::seconds(std::stoi(secondi)));
  return stato;
}

int errore(const char* numero) {
  const opzioni_compilazione o;
  auto interfaccia = crea_interfaccia();
  interfaccia->mostra_avanzamento(o.nome_linea + " - treno " + o.numero_treno);
  interfaccia->errore(numero);
  return uscita_identita;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string comando = argc > 1 ? argv[1] : "";
  if (comando == "avanzamento" && argc == 4) return avanzamento(argv[2], argv[3]);
  if (comando == "errore" && argc == 3) return errore(argv[2]);
  std::fprintf(stderr, "uso: prova_finestra avanzamento CARTELLA SECONDI | errore N\n");
  return uscita_uso;
}
