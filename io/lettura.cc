// Reading a source text: open without waiting, check what was opened, read up to the limit.
#include "io/lettura.h"

#include "io/sistema.h"

namespace scenario {
namespace {

[[noreturn]] void fallisci(const std::filesystem::path& file, const std::string& perche) {
  throw errore_file("impossibile leggere " + io::nome_di(file) + ": " + perche);
}

// Reads to the end of the file, but never more than one byte past the limit: a file that
// grows while it is read is caught as well as one that was large from the start.
std::string leggi_tutto(io::maniglia h, const std::filesystem::path& file,
                        std::uint64_t dimensione) {
  std::string testo;
  testo.reserve(static_cast<std::size_t>(dimensione));
  char blocco[1 << 16];
  for (;;) {
    std::size_t letti = 0;
    if (const io::codice_sistema c = io::leggi(h, blocco, sizeof blocco, letti); c != 0) {
      fallisci(file, "lettura: " + io::ragione(c));
    }
    if (letti == 0) return testo;
    testo.append(blocco, letti);
    if (testo.size() > dimensione_massima_sorgente) {
      fallisci(file, "supera il limite di 64 MB");
    }
  }
}

}  // namespace

std::optional<std::string> leggi_sorgente(const std::filesystem::path& file) {
  io::maniglia h{};
  io::tipo_voce tipo{};
  std::uint64_t dimensione = 0;
  if (const io::codice_sistema c = io::apri_lettura(file, h, tipo, dimensione); c != 0) {
    if (io::manca(c)) return std::nullopt;
    fallisci(file, "apertura: " + io::ragione(c));
  }
  struct chiusura {
    io::maniglia h;
    ~chiusura() { io::chiudi(h); }
  } chiudi{h};
  if (tipo == io::tipo_voce::cartella) fallisci(file, "e' una cartella, non un file");
  if (tipo != io::tipo_voce::file) fallisci(file, "non e' un file regolare");
  if (dimensione > dimensione_massima_sorgente) fallisci(file, "supera il limite di 64 MB");
  return leggi_tutto(h, file, dimensione);
}

}  // namespace scenario
