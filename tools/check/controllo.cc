// The checks of an author's sources. The compile is run as it is, so that its verdict is the
// first problem and `check` never disagrees with `compile`; the rest comes from a second reading
// of each source the way the compiler reads it (tools/check/lettura_controllo.h).
#include "tools/check/controllo.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string_view>

#include "compiler/campi_sorgenti.h"
#include "compiler/codici_errore.h"
#include "compiler/nomi_file.h"
#include "tools/check/lettura_controllo.h"
#include "tools/cli/estratto_sorgente.h"

namespace scenario::strumento {
namespace {

// The compile's own verdict, with the words `compile` prints after "error N: ".
std::optional<problema> verdetto(const esito& r) {
  const int32_t codice = r.identita() ? r.errore_identita : r.codice;
  if (codice == 0) return std::nullopt;
  const auto noto = cerca_codice(codice);
  problema p;
  p.errore = true;
  p.codice = codice;
  if (noto && noto->dal_sorgente && !r.identita()) {
    p.file = r.file;
    p.riga = r.riga;
    p.colonna = r.colonna;
  }
  p.messaggio = "code " + std::to_string(codice) + ": ";
  p.messaggio += !r.identita() && !r.motivo.empty() ? r.motivo
                 : noto                             ? noto->meaning
                                                    : "unknown code";
  if (noto && noto->con_posizione && !r.identita()) {
    p.messaggio += " (position " + std::to_string(r.posizione) + " m)";
  }
  return p;
}

}  // namespace

std::vector<problema> controlla(const testi_sorgenti& testi, const opzioni_compilazione& o) {
  std::vector<problema> out;
  const std::optional<problema> primo = verdetto(compila(testi, o).risultato);
  if (primo) out.push_back(*primo);
  std::vector<rilievo> resto;
  std::optional<int64_t> lunghezza;
  if (testi.linea) {
    lettura_sorgente l = leggi_per_controllo(file_sorgente::linea, nome_testo_linea(o.nome_linea),
                                             *testi.linea, o, std::nullopt);
    resto = std::move(l.rilievi);
    lunghezza = l.lunghezza;
  }
  if (testi.treno) {
    lettura_sorgente t =
        leggi_per_controllo(file_sorgente::treno, nome_testo_treno(o.nome_linea, o.numero_treno),
                            *testi.treno, o, lunghezza);
    std::move(t.rilievi.begin(), t.rilievi.end(), std::back_inserter(resto));
  }
  for (rilievo& r : resto) {
    // The compiler's verdict already speaks for its record.
    if (primo && r.p.errore && r.riga_record > 0 && r.p.file == primo->file &&
        r.riga_record == primo->riga && r.colonna_record == primo->colonna)
      continue;
    out.push_back(std::move(r.p));
  }
  return out;
}

void severo(std::vector<problema>& problemi) {
  for (problema& p : problemi) p.errore = true;
}

namespace {

std::string quanti(std::size_t n, const char* nome) {
  return std::to_string(n) + " " + nome + (n == 1 ? "" : "s");
}

std::string luogo(const problema& p, const std::string& cartella) {
  if (p.file.empty()) return "";
  std::string l = percorso_mostrato(cartella, p.file);
  if (p.riga > 0) l += ":" + std::to_string(p.riga);
  if (p.riga > 0 && p.colonna > 0) l += ":" + std::to_string(p.colonna);
  return l + ": ";
}

// The quoted lines of a source, each found from the last one: the problems come in line order,
// so a source with many problems is read once rather than once for each.
class righe_citate {
 public:
  // `testo` from the start of line `riga` (from 1), with the field reader's line ends; empty
  // past the end.
  std::string_view da(std::string_view testo, int64_t riga) {
    if (testo.data() != testo_.data() || riga < riga_) {
      testo_ = testo;
      riga_ = 1;
      inizio_ = 0;
    }
    while (riga_ < riga && inizio_ < testo_.size()) {
      const std::size_t fine = std::min(testo_.find_first_of("\r\n", inizio_), testo_.size());
      inizio_ = fine + (testo_.compare(fine, 2, "\r\n") == 0 ? 2 : 1);
      ++riga_;
    }
    return riga_ == riga && inizio_ <= testo_.size() ? testo_.substr(inizio_) : std::string_view();
  }

 private:
  std::string_view testo_;
  int64_t riga_ = 1;
  std::size_t inizio_ = 0;
};

}  // namespace

std::string riassunto(const std::vector<problema>& problemi) {
  const auto errori = static_cast<std::size_t>(
      std::count_if(problemi.begin(), problemi.end(), [](const problema& p) { return p.errore; }));
  return quanti(errori, "error") + ", " + quanti(problemi.size() - errori, "warning");
}

std::string testo_problemi(const std::vector<problema>& problemi, const testi_sorgenti& testi,
                           const opzioni_compilazione& o, const std::string& cartella) {
  std::string t;
  righe_citate righe;
  for (const problema& p : problemi) {
    t += luogo(p, cartella) + (p.errore ? "error: " : "warning: ") + p.messaggio + "\n";
    const std::string_view testo = testo_sorgente(testi, o, p.file);
    if (testo.empty() || p.riga <= 0) continue;
    // The line as the field reader splits lines, cut around the column like compile's echo.
    estratto_riga e = estrai_riga(righe.da(testo, p.riga), 1, p.colonna);
    std::replace(e.testo.begin(), e.testo.end(), '\t', ' ');
    t += "  " + e.testo + "\n";
    if (e.colonna > 0)
      t += "  " + std::string(static_cast<std::size_t>(e.colonna - 1), ' ') + "^\n";
  }
  return t + riassunto(problemi) + "\n";
}

}  // namespace scenario::strumento
