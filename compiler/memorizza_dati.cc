// `memorizza_dati`: the line description, then the train service, and the general failure
// path that turns any unforeseen fault of either half into code 25 with its problem.
#include "compiler/analisi.h"
#include "compiler/messaggi_sorgenti.h"
#include "compiler/parser.h"

namespace scenario {

void segnala_guasto(analisi& m, const guasto& g) {
  diagnostica d = g.problema();
  if (d.file.empty()) d.file = m.sorgente_corrente;
  d.livello = gravita::errore;
  d.codice = 25;
  m.problemi.aggiungi(std::move(d));
}

// The first field of a bad record that stands on a later line and reads as a keyword: the
// record took it from the line after its own, and a check reads on from it.
std::optional<std::size_t> preso_da_una_riga_dopo(const record_letto& r) {
  for (std::size_t k = 0; k < r.letti; ++k) {
    if (preso_dalla_riga_dopo(r, k)) return k;
    const campo_letto& c = r.campi[k];
    if (c.luogo.riga > r.chiave.luogo.riga && !c.testo.empty() && !numero_del_campo(c.testo) &&
        std::string_view("+-0123456789").find(c.testo.front()) == std::string_view::npos) {
      return k;
    }
  }
  return std::nullopt;
}

bool campi_sani(analisi& m) {
  const record_letto& r = *m.record_corrente;
  bool sani = true;
  for (std::size_t k = 0; k < r.parola->campi.size(); ++k) {
    std::optional<diagnostica> d = problema_numero(m, k);
    if (!d && k < r.letti && !r.parola->campi[k].testo()) {
      d = problema_accettati(m, k, *numero_del_campo(r.campi[k].testo));
    }
    if (!d) continue;
    sani = false;
    const bool del_record = d->dove == r.chiave.luogo;
    if (d->codice == 0) d->codice = 25;
    m.problemi.aggiungi(std::move(*d));
    if (del_record || preso_dalla_riga_dopo(r, k)) break;  // the record as a whole: said once
  }
  if (!sani) {
    if (const std::optional<std::size_t> k = preso_da_una_riga_dopo(r)) {
      m.lettore->riprendi_da(r.campi[*k]);
    }
  }
  return sani;
}

void memorizza_dati(analisi& m, const testi_sorgenti& testi) {
  if (m.raccoglie()) {
    // A check reads both sources whatever it meets in the first.
    protetto(m, [&] { leggi_descrizione_linea(m, testi); });
    protetto(m, [&] { leggi_servizio_treno(m, testi); });
    return;
  }
  try {
    if (!leggi_descrizione_linea(m, testi)) return;
    leggi_servizio_treno(m, testi);
  } catch (const guasto& g) {
    // The model keeps what it holds; no text source survives the fault.
    m.uscita.consuma_linea = testi.linea.has_value();
    m.uscita.consuma_treno = testi.treno.has_value();
    diagnostica d = g.problema();
    if (d.file.empty()) d.file = m.sorgente_corrente;
    m.registra(25, std::move(d));
  }
}

}  // namespace scenario
