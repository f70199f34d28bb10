// Waiting for the folder's lock: tries spaced out from 1 to 50 ms up to the bounded wait.
#include "io/blocco.h"

#include <algorithm>
#include <string>
#include <thread>

namespace scenario {
namespace {

// What stands at the lock file's name in place of a file, in both languages.
parole_in_due_lingue cosa_e(io::tipo_voce tipo) {
  switch (tipo) {
    case io::tipo_voce::collegamento:
      return {std::string("e' un ") + io::nome_collegamento,
              std::string("is a ") + io::nome_collegamento_inglese};
    case io::tipo_voce::cartella:
      return {"e' una cartella", "is a folder"};
    case io::tipo_voce::fifo:
      return {"e' una FIFO", "is a FIFO"};
    case io::tipo_voce::dispositivo:
      return {"e' un dispositivo", "is a device"};
    default:
      return {"e' un elemento speciale", "is a special file"};
  }
}

// A lock file that stands in the way: the folder is of no use to any run until someone removes
// it, and this one writes nothing. Its kind is the busy folder's, since it ends the same way.
[[noreturn]] void inutilizzabile(const std::filesystem::path& cartella,
                                 const std::filesystem::path& file, io::codice_sistema c) {
  io::tipo_voce tipo = io::tipo_voce::file;
  if (io::tipo_di(file, tipo) != 0) tipo = io::tipo_voce::file;
  parole_in_due_lingue perche;
  if (tipo == io::tipo_voce::file || tipo == io::tipo_voce::assente) {
    perche = {"non si apre o non si blocca: " + io::ragione(c),
              "cannot be opened or locked: " + io::ragione(c)};
  } else {
    const parole_in_due_lingue cosa = cosa_e(tipo);
    perche = {cosa.pacchetto + ", non un file", cosa.inglese + ", not a file"};
  }
  const std::string nome = io::nome_di(cartella);
  const std::string blocco = io::nome_di(file);
  throw errore_io(tipo_errore_io::cartella_occupata,
                  {"cartella " + nome + " occupata o inutilizzabile: il suo file di blocco " +
                       blocco + " " + perche.pacchetto + ": nulla e' stato scritto",
                   "folder " + nome + " is busy or unusable: its lock file " + blocco + " " +
                       perche.inglese + ": nothing was written"});
}

}  // namespace

blocco_cartella::blocco_cartella(const std::filesystem::path& cartella,
                                 std::chrono::milliseconds attesa)
    : cartella_(cartella), file_(cartella / nome_file_blocco) {
  const auto scadenza = std::chrono::steady_clock::now() + attesa;
  std::chrono::milliseconds pausa{1};
  for (;;) {
    io::tentativo_blocco t;
    if (const io::codice_sistema c = io::prova_blocco(file_, t); c != 0) {
      inutilizzabile(cartella, file_, c);
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
