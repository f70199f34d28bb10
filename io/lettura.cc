// Reading a source text: open without waiting, check what was opened, read up to the limit.
#include "io/lettura.h"

#include "io/sistema.h"

namespace scenario {
namespace {

[[noreturn]] void fallisci(const std::filesystem::path& file, const parole_in_due_lingue& p) {
  const std::string nome = io::nome_di(file);
  throw errore_file("impossibile leggere " + nome + ": " + p.pacchetto,
                    "cannot read " + nome + ": " + p.inglese);
}

const parole_in_due_lingue oltre_il_limite{"supera il limite di 64 MB",
                                           "larger than the 64 MB limit"};

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
      fallisci(file, {"lettura: " + io::ragione(c), "reading: " + io::ragione(c)});
    }
    if (letti == 0) return testo;
    testo.append(blocco, letti);
    if (testo.size() > dimensione_massima_sorgente) {
      fallisci(file, oltre_il_limite);
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
    fallisci(file, {"apertura: " + io::ragione(c), "opening: " + io::ragione(c)});
  }
  struct chiusura {
    io::maniglia h;
    ~chiusura() { io::chiudi(h); }
  } chiudi{h};
  if (tipo == io::tipo_voce::cartella)
    fallisci(file, {"e' una cartella, non un file", "a folder, not a file"});
  if (tipo != io::tipo_voce::file)
    fallisci(file, {"non e' un file regolare", "not a regular file"});
  if (dimensione > dimensione_massima_sorgente) fallisci(file, oltre_il_limite);
  return leggi_tutto(h, file, dimensione);
}

}  // namespace scenario
