// The parsers' loops over the field reader, yielding one record per keyword that a keyword
// field holds.
#include "compiler/lettore_record.h"

namespace scenario {

std::size_t parole_riconosciute(std::string_view campo, parte_sorgente parte,
                                std::array<const parola_sorgente*, parole_massime_parte>& uscita) {
  std::size_t n = 0;
  for (const parola_sorgente* p : parole_della_parte(parte)) {
    if (riconosce(*p, campo)) uscita[n++] = p;
  }
  return n;
}

lettore_record::lettore_record(file_sorgente file, std::string_view testo, bool con_tracciato,
                               osservatore_lettura* osservatore)
    : file_(file),
      con_tracciato_(con_tracciato),
      osservatore_(osservatore),
      l_(testo),
      parte_(file == file_sorgente::linea ? parte_sorgente::generale : parte_sorgente::treno) {}

void lettore_record::leggi_chiave() {
  chiave_.testo = l_.leggi_campo_testo();
  chiave_.luogo = l_.luogo_campo();
}

void lettore_record::salta(campo_saltato perche) {
  if (osservatore_ != nullptr) osservatore_->saltato(chiave_, perche, parte_, segue_un_numero());
}

// A number on the keyword field's own line: a record, not a note.
bool lettore_record::segue_un_numero() const {
  lettore_campi dopo = l_;
  const std::optional<campo_letto> n = dopo.leggi_campo_numero();
  return n && n->luogo.riga == chiave_.luogo.riga && !n->testo.empty() &&
         numero_del_campo(n->testo).has_value();
}

// A field holding both brackets and not starting with "-" closes the general section.
bool lettore_record::chiude_generale() const {
  const std::string_view c = chiave_.testo;
  return !c.empty() && c.front() != '-' && contiene(c, "[") && contiene(c, "]");
}

// Every field before "[generale]" is passed over. The line description ends with code 102 when
// its text ends first, even on "[generale]" itself; the train service then reads nothing.
evento_lettura lettore_record::cerca() {
  for (;;) {
    leggi_chiave();
    const bool trovato = contiene(chiave_.testo, "[generale]");
    generale_visto_ = generale_visto_ || trovato;
    if (l_.fine_file()) {
      if (!trovato) salta(campo_saltato::prima_del_generale);
      fase_ = fase::finita;
      if (osservatore_ != nullptr) osservatore_->fine(generale_visto_);
      return file_ == file_sorgente::linea ? evento_lettura::senza_generale
                                           : evento_lettura::fine_testo;
    }
    if (trovato) {
      if (osservatore_ != nullptr) osservatore_->generale(chiave_);
      fase_ = file_ == file_sorgente::linea ? fase::generale : fase::principale;
      return evento_lettura::record;  // not returned: the caller goes on
    }
    salta(campo_saltato::prima_del_generale);
  }
}

// The next keyword field of the current part, after the fields holding "-" that are passed
// over: up to ten in the general section (no test for the end of the text between them), two
// after it. False when the text is over.
bool lettore_record::leggi_chiave_in_parte() {
  if (l_.fine_file()) return false;
  leggi_chiave();
  if (l_.fine_file()) {
    salta(campo_saltato::ultimo);
    return false;
  }
  const bool generale = parte_ == parte_sorgente::generale;
  for (int i = 0; i < (generale ? 10 : 2) && contiene(chiave_.testo, "-"); ++i) {
    salta(campo_saltato::trattino);
    leggi_chiave();
    if (!generale && l_.fine_file()) {
      salta(campo_saltato::ultimo);
      return false;
    }
  }
  return true;
}

void lettore_record::riconosci() {
  numero_riconosciute_ = parole_riconosciute(chiave_.testo, parte_, riconosciute_);
  // Without the track plan the curve handler does not run: its numbers are keyword fields.
  if (!con_tracciato_) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < numero_riconosciute_; ++i) {
      if (!riconosciute_[i]->solo_con_tracciato) riconosciute_[n++] = riconosciute_[i];
    }
    numero_riconosciute_ = n;
  }
  prossima_ = 0;
  campo_in_corso_ = true;
  if (numero_riconosciute_ == 0) salta(campo_saltato::sconosciuto);
}

// The keyword's fields, cut as its handler reads them: numbers skip line ends before them, a
// text field does not. A field the text no longer holds is left out.
void lettore_record::taglia(const parola_sorgente& p) {
  record_.parola = &p;
  record_.chiave = chiave_;
  record_.altra_parola = prossima_ > 1;
  record_.letti = 0;
  for (const campo_sorgente& c : p.campi) {
    if (c.testo()) {
      if (l_.fine_file()) break;
      record_.campi[record_.letti].testo = l_.leggi_campo_testo();
      record_.campi[record_.letti].luogo = l_.luogo_campo();
    } else {
      const std::optional<campo_letto> n = l_.leggi_campo_numero();
      if (!n) break;
      record_.campi[record_.letti] = *n;
    }
    ++record_.letti;
  }
  if (osservatore_ != nullptr) osservatore_->record(record_, parte_);
}

void lettore_record::riprendi_da(const campo_letto& c) {
  l_.riposiziona(c.luogo);
  campo_in_corso_ = false;
}

evento_lettura lettore_record::prossimo() {
  for (;;) {
    if (campo_in_corso_) {
      if (prossima_ < numero_riconosciute_) {
        taglia(*riconosciute_[prossima_++]);
        return evento_lettura::record;
      }
      campo_in_corso_ = false;
      if (parte_ == parte_sorgente::generale && chiude_generale()) {
        parte_ = parte_sorgente::principale;
        return evento_lettura::fine_generale;
      }
    }
    switch (fase_) {
      case fase::cerca:
        if (const evento_lettura e = cerca(); e != evento_lettura::record) return e;
        break;
      case fase::generale:
      case fase::principale:
        if (!leggi_chiave_in_parte()) {
          if (parte_ == parte_sorgente::generale) {
            parte_ = parte_sorgente::principale;
            return evento_lettura::fine_generale;
          }
          fase_ = fase::finita;
          if (osservatore_ != nullptr) osservatore_->fine(generale_visto_);
          return evento_lettura::fine_testo;
        }
        riconosci();
        break;
      case fase::finita:
        return evento_lettura::fine_testo;
    }
  }
}

}  // namespace scenario
