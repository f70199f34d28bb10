// Waiting for the folder's lock: tries spaced out from 1 to 50 ms up to the bounded wait.
#include "io/blocco.h"

#include <algorithm>
#include <string>
#include <thread>

namespace scenario {

blocco_cartella::blocco_cartella(const std::filesystem::path& cartella,
                                 std::chrono::milliseconds attesa)
    : cartella_(cartella), file_(cartella / nome_file_blocco) {
  const auto scadenza = std::chrono::steady_clock::now() + attesa;
  std::chrono::milliseconds pausa{1};
  for (;;) {
    io::tentativo_blocco t;
    if (const io::codice_sistema c = io::prova_blocco(file_, t); c != 0) {
      const std::string nome = io::nome_di(file_);
      throw errore_io(
          tipo_errore_io::file,
          {"impossibile scrivere " + nome + ": blocco della cartella: " + io::ragione(c),
           "cannot write " + nome + ": locking the folder: " + io::ragione(c)});
    }
    if (t.senza_permesso) return;
    if (t.preso) {
      preso_ = true;
      h_ = t.h;
      return;
    }
    if (std::chrono::steady_clock::now() >= scadenza) {
      const std::string nome = io::nome_di(cartella);
      const std::string secondi = std::to_string(attesa.count() / 1000);
      throw errore_io(tipo_errore_io::cartella_occupata,
                      {"cartella " + nome + " occupata da un'altra esecuzione (attesa massima " +
                           secondi + " s): nulla e' stato scritto",
                       "folder " + nome + " is busy with another run (waited " + secondi +
                           " s): nothing was written"});
    }
    std::this_thread::sleep_for(pausa);
    pausa = std::min(pausa * 2, std::chrono::milliseconds{50});
  }
}

blocco_cartella::~blocco_cartella() {
  if (preso_) io::rilascia_blocco(file_, h_);
}

}  // namespace scenario
