// The hover's words, in Markdown.
#include "tools/lsp/aiuto_lsp.h"

#include <cstdio>
#include <limits>

#include "compiler/formato_celle.h"
#include "compiler/lettore_campi.h"
#include "tools/lsp/luoghi_lsp.h"
#include "tools/lsp/record_lsp.h"

namespace scenario::strumento {
namespace {

// What stands at the cursor: a record's keyword field (no field) or one of its fields, or a
// header (no keyword).
struct campo_trovato {
  const parola_sorgente* parola = nullptr;
  std::optional<std::size_t> indice;
  campo_letto campo;
};

class cerca_campo : public osservatore_lettura {
 public:
  cerca_campo(int64_t riga, int64_t colonna) : riga_(riga), colonna_(colonna) {}

  void saltato(const campo_letto& c, campo_saltato, parte_sorgente, bool) override {
    intestazione(c);
  }
  void generale(const campo_letto& c) override { intestazione(c); }
  void record(const record_letto& r, parte_sorgente) override {
    if (trovato_) return;
    if (nel_campo(r.chiave, riga_, colonna_)) trovato_ = campo_trovato{r.parola, {}, r.chiave};
    for (std::size_t k = 0; k < r.letti && !trovato_; ++k) {
      if (nel_campo(r.campi[k], riga_, colonna_)) trovato_ = campo_trovato{r.parola, k, r.campi[k]};
    }
  }
  void fine(bool) override {}

  const std::optional<campo_trovato>& trovato() const { return trovato_; }

 private:
  void intestazione(const campo_letto& c) {
    if (!trovato_ && c.testo.starts_with('[') && nel_campo(c, riga_, colonna_)) {
      trovato_ = campo_trovato{nullptr, {}, c};
    }
  }

  int64_t riga_;
  int64_t colonna_;
  std::optional<campo_trovato> trovato_;
};

std::string codice(std::string_view s) { return "`" + std::string(s) + "`"; }

std::string della_parola(const parola_sorgente& p) {
  std::string t = codice(p.nome()) + " (under " + codice(p.sezione) + "): " + p.significato +
                  ".\n\nRecognised when the keyword field " + descrizione_riconoscimento(p) +
                  ".\n\nFields: ";
  for (const campo_sorgente& c : p.campi) {
    t += (&c == p.campi.data() ? "" : ", ") + codice(c.nome);
  }
  return t;
}

std::string del_campo(const parola_sorgente& p, std::size_t k) {
  const campo_sorgente& c = p.campi[k];
  std::string t = codice(p.nome()) + ", field " + std::to_string(k + 1) + " of " +
                  std::to_string(p.campi.size()) + ", " + codice(c.nome) + ": " + c.significato +
                  ".\n\n";
  if (c.testo()) {
    t += "Text, up to the next comma or the end of its line.";
  } else {
    if (*c.unita) t += std::string("Unit: ") + c.unita + ". ";
    t += "Range to use: " + descrizione_valori(c) + ".\n\nThe compiler takes " +
         descrizione_presi(p, k) + ".";
  }
  return t + "\n\nThe compiler: " + c.uso + ".";
}

const sezione_sorgente* sezione(std::string_view intestazione, file_sorgente file) {
  const std::string m = minuscole(intestazione);
  for (const sezione_sorgente& s : sezioni_sorgenti()) {
    if (s.file == file && m == s.intestazione) return &s;
  }
  return nullptr;
}

// A field that is a place along the line: one the table gives a cell, or the first of a record
// whose position the parser checks against the route (a station's).
bool posizione(const parola_sorgente& p, std::size_t k) {
  return p.campi[k].cella != cella_campo::nessuna || (k == 0 && p.margine != 0);
}

std::string km(int64_t metri) {
  char t[32];
  std::snprintf(t, sizeof t, "%.3f", static_cast<double>(metri) / 1000);
  return t;
}

// The km of the kilometric progressive whose stretch holds `metri`: slots 81 to 83 each hold
// one from `inizio` to `fine` (all zeros: none).
std::string progressiva(int64_t metri, const scenario_compilato& s) {
  for (int v = voce_progressiva_tre; v <= voce_progressiva_uno; ++v) {
    const voce_stazione& p = s.tabella_stazioni[static_cast<std::size_t>(v)];
    if ((p.inizio != 0 || p.fine != 0) && metri >= p.inizio && metri <= p.fine) {
      return " Km " + km(metri - p.inizio) + " of the kilometric progressive of slot " +
             std::to_string(v) + ", from " + std::to_string(p.inizio) + " to " +
             std::to_string(p.fine) + " m.";
    }
  }
  return "";
}

// What the cell holds: its point feature and its tunnel, then its gradient and speed limit.
std::string della_cella(const cella& x) {
  std::string cosa;
  if (x.tipo != cella_libera) cosa = descrizione_genere(x.tipo);
  if (x.galleria != 0) {
    cosa += (cosa.empty() ? "" : ", ") + std::string("tunnel type ") + std::to_string(x.galleria);
  }
  return (cosa.empty() ? "" : " (" + cosa + ")") + ", gradient " +
         std::to_string(static_cast<int>(x.pendenza) - 100) + " per mille, speed limit " +
         std::to_string(x.velocita * 5) + " km/h.";
}

}  // namespace

std::string dove_cade(int64_t metri, cella_campo tipo, const compilazione& c) {
  const int64_t n = tipo == cella_campo::passo ? cella_senza_uno(metri) : cella_di(metri);
  const scenario_compilato& s = c.scenario;
  std::string t = "At " + std::to_string(metri) + " m: cell " + std::to_string(n);
  if (s.percorso.empty()) {
    t += "; the compile laid no cells.";
  } else if (n < 0) {
    t += ", before the route's first cell.";
  } else if (n > s.ultima_cella()) {
    t += ", beyond the route's last cell, " + std::to_string(s.ultima_cella()) + ".";
  } else {
    t += della_cella(s.percorso[static_cast<std::size_t>(n)]);
  }
  t += " Km " + km(metri) + " from the start of the line." + progressiva(metri, s);
  if (c.risultato.codice != 0) {
    t += "\n\nThe compile stopped with code " + std::to_string(c.risultato.codice) +
         ": the cells hold what it laid before.";
  }
  return t;
}

nlohmann::json aiuto(std::string_view testo, file_sorgente file, posizione_lsp p,
                     codifica_posizioni c, const compilazione_richiesta& compila) {
  const std::optional<std::string_view> riga = righe_testo(testo).riga(p.riga);
  if (!riga) return nullptr;
  const std::string byte = in_windows_1252(testo, 0).byte;
  cerca_campo cerca(p.riga + 1, caratteri_di(*riga, p.carattere, c) + 1);
  leggi_documento(byte, file, cerca);
  if (!cerca.trovato()) return nullptr;
  const campo_trovato& f = *cerca.trovato();
  std::string t;
  if (f.parola == nullptr) {
    const sezione_sorgente* s = sezione(f.campo.testo, file);
    if (s == nullptr) return nullptr;
    t = codice(s->intestazione) + ": " + s->contenuto + ".";
  } else if (!f.indice) {
    t = della_parola(*f.parola);
  } else {
    t = del_campo(*f.parola, *f.indice);
    const std::optional<int32_t> v = numero_del_campo(f.campo.testo);
    if (v && posizione(*f.parola, *f.indice)) {
      if (const std::optional<compilazione> r = compila()) {
        t += "\n\n" + dove_cade(*v, f.parola->campi[*f.indice].cella, *r);
      }
    }
  }
  luoghi_testo luoghi(testo, false, c);
  return {{"contents", {{"kind", "markdown"}, {"value", t}}},
          {"range", json_intervallo(luoghi.intervallo(f.campo.luogo))}};
}

}  // namespace scenario::strumento
