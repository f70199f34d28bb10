// Reading a file whole: open without waiting, check what was opened, read up to the limit.
#include "io/lettura.h"

#include <utility>

#include "io/sistema.h"

namespace scenario {
namespace {

// Reads to the end of the file, and stops at the first block that passes the limit: a file
// that grows while it is read is caught as well as one that was large from the start, and the
// receiver never gets more than the limit.
void leggi_tutto(io::maniglia h, std::uint64_t massimo, lettura_limitata& r,
                 const ricevitore_blocchi& ricevi) {
  char blocco[1 << 16];
  std::uint64_t totale = 0;
  for (;;) {
    std::size_t letti = 0;
    if (const io::codice_sistema c = io::leggi(h, blocco, sizeof blocco, letti); c != 0) {
      r = {stato_lettura::lettura, "", r.dimensione, io::ragione(c)};
      return;
    }
    if (letti == 0) return;
    totale += letti;
    if (totale > massimo) {
      r = {stato_lettura::cresciuto, "", r.dimensione, ""};
      return;
    }
    ricevi(r.dimensione, std::string_view(blocco, letti));
  }
}

// The package's and the tool's words for a source that cannot be read.
parole_in_due_lingue perche_illeggibile(const lettura_limitata& r) {
  switch (r.stato) {
    case stato_lettura::collegamento:
      return {std::string("e' un ") + io::nome_collegamento + ", non un file",
              std::string("a ") + io::nome_collegamento_inglese + ", not a file"};
    case stato_lettura::cartella:
      return {"e' una cartella, non un file", "a folder, not a file"};
    case stato_lettura::non_regolare:
      return {"non e' un file regolare", "not a regular file"};
    case stato_lettura::apertura:
      return {"apertura: " + r.ragione, "opening: " + r.ragione};
    case stato_lettura::lettura:
      return {"lettura: " + r.ragione, "reading: " + r.ragione};
    default:
      return {"supera il limite di 64 MB", "larger than the 64 MB limit"};
  }
}

}  // namespace

lettura_limitata leggi_limitato(const std::filesystem::path& file, std::uint64_t massimo,
                                collegamenti modo) {
  std::string testo;
  lettura_limitata r =
      leggi_a_blocchi(file, massimo, modo, [&](std::uint64_t dimensione, std::string_view blocco) {
        if (testo.empty()) {
          testo.reserve(static_cast<std::size_t>(dimensione));
        }
        testo.append(blocco);
      });
  if (r.stato == stato_lettura::letto) r.testo = std::move(testo);
  return r;
}

lettura_limitata leggi_a_blocchi(const std::filesystem::path& file, std::uint64_t massimo,
                                 collegamenti modo, const ricevitore_blocchi& ricevi) {
  lettura_limitata r;
  io::maniglia h{};
  io::tipo_voce tipo{};
  const bool segui = modo == collegamenti::seguiti;
  if (const io::codice_sistema c = io::apri_lettura(file, h, tipo, r.dimensione, segui); c != 0) {
    r.stato = io::manca(c) ? stato_lettura::assente : stato_lettura::apertura;
    // The same code comes from too many links on the way to the file: only the file's own
    // name being one is this case.
    if (!segui && c == io::codice_collegamento && io::tipo_di(file, tipo) == 0 &&
        tipo == io::tipo_voce::collegamento) {
      r.stato = stato_lettura::collegamento;
    }
    if (r.stato == stato_lettura::apertura) r.ragione = io::ragione(c);
    return r;
  }
  struct chiusura {
    io::maniglia h;
    ~chiusura() { io::chiudi(h); }
  } chiudi{h};
  if (tipo == io::tipo_voce::cartella) {
    r.stato = stato_lettura::cartella;
  } else if (tipo != io::tipo_voce::file) {
    r.stato = stato_lettura::non_regolare;
  } else if (r.dimensione > massimo) {
    r.stato = stato_lettura::oltre_il_limite;
  } else {
    leggi_tutto(h, massimo, r, ricevi);
  }
  return r;
}

std::optional<std::string> leggi_sorgente(const std::filesystem::path& file, collegamenti c) {
  lettura_limitata r = leggi_limitato(file, dimensione_massima_sorgente, c);
  if (r.stato == stato_lettura::letto) return std::move(r.testo);
  if (r.stato == stato_lettura::assente) return std::nullopt;
  const std::string nome = io::nome_di(file);
  const parole_in_due_lingue perche = perche_illeggibile(r);
  throw errore_io(tipo_errore_io::file, {"impossibile leggere " + nome + ": " + perche.pacchetto,
                                         "cannot read " + nome + ": " + perche.inglese});
}

}  // namespace scenario
