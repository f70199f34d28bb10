// The page's document. The drawing reuses dump's decoding and its JSON forms, so that the page
// names every value as `dump --json` does, and adds to each feature the place of its record.
#include "tools/serve/scena.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>
#include <unordered_map>
#include <utility>

#include "compiler/formato_celle.h"
#include "io/cartella.h"
#include "io/errore_io.h"
#include "run/compila_in_cartella.h"
#include "tools/cli/lettura_comando.h"
#include "tools/cli/resa_diagnostiche.h"
#include "tools/dump/descrizione_json.h"
#include "tools/dump/descrizione_scenario.h"
#include "tools/serve/luoghi_record.h"
#include "tools/serve/piano_pagina.h"

namespace scenario::strumento {
namespace {

using json = nlohmann::ordered_json;

// Whole numbers written as they are made: a 1000 km plan has tens of thousands of them.
void aggiungi_numeri(std::string& t, const char* chiave, const std::vector<int64_t>& valori) {
  t += '"';
  t += chiave;
  t += "\":[";
  char b[24];
  for (std::size_t i = 0; i < valori.size(); ++i) {
    if (i > 0) t += ',';
    t.append(b, std::to_chars(b, b + sizeof b, valori[i]).ptr);
  }
  t += ']';
}

// Centimetres: whole numbers are written far faster than decimals, and are as exact as the
// samples are.
std::vector<int64_t> centimetri(const std::vector<double>& metri) {
  std::vector<int64_t> r(metri.size());
  for (std::size_t i = 0; i < metri.size(); ++i) r[i] = std::llround(metri[i] * 100);
  return r;
}

std::string piano_json(const piano_pagina& p) {
  if (p.vuoto()) return "null";
  std::string t = "{\"fine_linea\":" + std::to_string(p.fine_linea) +
                  ",\"ultimo\":" + std::to_string(p.ultimo) + ",";
  aggiungi_numeri(t, "metri", p.metri);
  t += ',';
  aggiungi_numeri(t, "u_cm", centimetri(p.u));
  t += ',';
  aggiungi_numeri(t, "v_cm", centimetri(p.v));
  return t + "}";
}

bool stesso_piano(const tracciato_compilato& a, const tracciato_compilato& b) {
  return a.ultimo == b.ultimo && a.seminato == b.seminato &&
         std::equal(a.tratti.begin(), a.tratti.end(), b.tratti.begin(), b.tratti.end(),
                    [](const tracciato_compilato::tratto& x, const tracciato_compilato::tratto& y) {
                      return x.fino_a == y.fino_a && x.k == y.k;
                    });
}

// The heights where the gradient changes, in centimetres: the profile is straight between them.
std::string quote_json(const std::vector<cella>& percorso) {
  const std::vector<double> quote = quote_profilo(percorso);
  std::vector<int64_t> metri, valori;
  for (std::size_t c = 0; c < quote.size(); ++c) {
    const bool svolta =
        c > 0 && c < percorso.size() && percorso[c].pendenza != percorso[c - 1].pendenza;
    if (c == 0 || c + 1 == quote.size() || svolta) {
      metri.push_back(scenario::metri_strato(static_cast<int64_t>(c)));
      valori.push_back(std::llround(quote[c] * 100));
    }
  }
  std::string t = "{";
  aggiungi_numeri(t, "metri", metri);
  t += ',';
  aggiungi_numeri(t, "quota_cm", valori);
  return t + "}";
}

// Where each feature's record stands, as "file", "line" and "column" (the file as problems
// name it).
class sorgenti_disegno {
 public:
  sorgenti_disegno(const luoghi_record& l, const descrizione& d, const std::string& cartella)
      : l_(l) {
    for (const file_sorgente f : {file_sorgente::linea, file_sorgente::treno}) {
      file_[static_cast<int>(f)] = luogo_json(l.nome(f), {}, cartella)["file"];
    }
    for (const stazione_descritta& s : d.stazioni) {
      per_slot_[s.slot] = l.di(tipo_record::stazione, s.voce.posizione);
    }
    // A slow order's record gives its start, end, warning board and the cells before the board.
    for (const rallentamento_descritto& r : d.rallentamenti) {
      const record_in_sorgente* rec = l.di(tipo_record::rallentamento, r.cella_inizio);
      per_cella_lenta_[r.cella_inizio] = rec;
      per_cella_lenta_.try_emplace(r.cella_fine, rec);
      if (!r.cella_avviso) continue;
      for (int32_t k = 0; k <= r.celle_prima_avviso; ++k) {
        per_cella_lenta_.try_emplace(*r.cella_avviso - k, rec);
      }
    }
  }

  json di(const record_in_sorgente* r) const {
    if (r == nullptr) return nullptr;
    return json::array({static_cast<int>(r->file), r->dove.riga, r->dove.colonna});
  }
  // The sources' names, which "sorgente" counts from 0.
  json file() const { return json::array({file_[0], file_[1]}); }
  json di(tipo_record t, int64_t chiave) const { return di(l_.di(t, chiave)); }

  json stazione(int slot) const {
    const auto i = per_slot_.find(slot);
    return di(i == per_slot_.end() ? nullptr : i->second);
  }

  json elemento(const elemento_descritto& e) const {
    switch (e.tipo) {
      case cella_segnale:
        return di(tipo_record::segnale, e.cella);
      case cella_indicatore_velocita:
        return di(tipo_record::indicatori, e.cella);
      case cella_cartello:
        return di(tipo_record::cartello, e.cella);
      case cella_abbattimento_nullo:
        return di(tipo_record::abbattimento, e.cella);
      case cella_fermata:
        for (const campo_descritto& c : e.campi) {
          if (c.nome == "slot") return stazione(static_cast<int>(c.valore));
        }
        return nullptr;
      case cella_fine_rallentamento:
      case cella_inizio_rallentamento:
      case cella_avviso_rallentamento:
      case cella_prima_avviso: {
        const auto i = per_cella_lenta_.find(e.cella);
        return di(i == per_cella_lenta_.end() ? nullptr : i->second);
      }
      default:
        // Speed checks are the compiler's own, placed after the pass over the cells.
        return nullptr;
    }
  }

 private:
  const luoghi_record& l_;
  json file_[2];
  std::unordered_map<int, const record_in_sorgente*> per_slot_;
  std::unordered_map<int32_t, const record_in_sorgente*> per_cella_lenta_;
};

json con_sorgente(json j, json sorgente) {
  j["sorgente"] = std::move(sorgente);
  return j;
}

json strato_json(const file_letti& f, strato s, const char* unita, tipo_record r,
                 const sorgenti_disegno& sd) {
  json lista = json::array();
  per_ogni_tratto(f.percorso, s, [&](const tratto_strato& t) {
    lista.push_back(con_sorgente(json_tratto(t, unita), sd.di(r, t.prima_cella)));
  });
  return lista;
}

json parti_disegno(const file_letti& f, const descrizione& d, const sorgenti_disegno& sd) {
  json j = {{"lunghezza_linea", d.lunghezza_linea},
            {"celle", d.celle},
            {"conteggi", json_conteggi(d.numeri)},
            {"file", sd.file()}};
  json& stazioni = j["stazioni"] = json::array();
  for (const stazione_descritta& s : d.stazioni) {
    stazioni.push_back(con_sorgente(json_stazione(s), sd.stazione(s.slot)));
  }
  json& elementi = j["elementi"] = json::array();
  for (const elemento_descritto& e : d.elementi) {
    if (e.tipo != cella_lampada) elementi.push_back(con_sorgente(json_elemento(e), sd.elemento(e)));
  }
  json& lenti = j["rallentamenti"] = json::array();
  for (const rallentamento_descritto& r : d.rallentamenti) {
    lenti.push_back(
        con_sorgente(json_rallentamento(r), sd.di(tipo_record::rallentamento, r.cella_inizio)));
  }
  json& gallerie = j["gallerie"] = json::array();
  per_ogni_galleria(f, [&](const galleria_descritta& g) {
    gallerie.push_back(con_sorgente(json_galleria(g), sd.di(tipo_record::montagna, g.prima_cella)));
  });
  j["velocita"] = strato_json(f, strato::velocita, "kmh", tipo_record::velocita, sd);
  j["pendenze"] = strato_json(f, strato::pendenza, "per_mille", tipo_record::pendenza, sd);
  return j;
}

// The problems as `check --json` gives them, each with the metre the page marks it at: its
// position, or that of the record it stands in.
std::string problemi_json(const raccolta_diagnostiche& r, const luoghi_record& l,
                          const std::string& cartella) {
  nlohmann::json j = json_diagnostiche(r, cartella);
  nlohmann::json& lista = j["problems"];
  for (std::size_t i = 0; i < r.elenco().size() && i < lista.size(); ++i) {
    const diagnostica& d = r.elenco()[i];
    std::optional<int64_t> metri = d.posizione;
    if (const record_in_sorgente* rec = l.che_contiene(d.file, d.dove.inizio);
        !metri && d.dove.valido() && rec != nullptr) {
      metri = rec->metri;
    }
    lista[i]["metri"] = metri ? nlohmann::json(*metri) : nlohmann::json(nullptr);
  }
  return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string disegno_da(const compilazione& c, const luoghi_record& l, const cartella_servita& s,
                       memoria_piano& piano) {
  file_letti f;
  f.percorso = c.scenario.percorso;
  f.stazioni = c.scenario.tabella_stazioni;
  const descrizione d = descrivi(f, s.opzioni.nome_linea, s.opzioni.numero_treno);
  std::string t = parti_disegno(f, d, sorgenti_disegno(l, d, s.mostrata))
                      .dump(-1, ' ', false, json::error_handler_t::replace);
  t.pop_back();  // the closing brace: the plan and the heights follow
  t += ",\"piano\":" + piano.json(c.scenario.tracciato, d.lunghezza_linea);
  t += ",\"quote\":" + quote_json(f.percorso) + "}";
  return t;
}

}  // namespace

const std::string& memoria_piano::json(const tracciato_compilato& t, int32_t lunghezza_linea) {
  if (!tracciato_ || lunghezza_ != lunghezza_linea || !stesso_piano(*tracciato_, t)) {
    json_ = piano_json(campiona_piano(t, lunghezza_linea));
    tracciato_ = t;
    lunghezza_ = lunghezza_linea;
  }
  return json_;
}

std::string disegno_json(const compilazione& c, const testi_sorgenti& t, const cartella_servita& s,
                         memoria_piano& piano) {
  return disegno_da(c, luoghi_record(t, s.opzioni), s, piano);
}

lettura_pagina leggi_pagina(const cartella_servita& c, memoria_piano& piano) {
  lettura_pagina l;
  testi_sorgenti t;
  try {
    cartella_su_disco cartella(c.cartella);
    t = leggi_testi(cartella, c.opzioni);
  } catch (const errore_io& e) {
    l.messaggi.push_back(e.inglese());
    return l;
  }
  l.messaggi = sorgenti_mancanti(t, c.mostrata, c.opzioni);
  if (!l.messaggi.empty()) return l;
  const compilazione comp = compila(t, c.opzioni);
  l.compilata = true;
  l.risultato = comp.risultato;
  l.problemi = controlla(t, c.opzioni, comp);
  const luoghi_record luoghi(t, c.opzioni);
  l.problemi_json = problemi_json(l.problemi, luoghi, c.mostrata);
  const contesto_resa contesto{t, c.opzioni, c.mostrata};
  l.testo_problemi = testo_diagnostiche(l.problemi, contesto) + riassunto(l.problemi) + "\n";
  if (comp.risultato.codice == 0) {
    l.disegno = std::make_shared<const std::string>(disegno_da(comp, luoghi, c, piano));
  }
  return l;
}

void pagina_dati::aggiorna(const lettura_pagina& l, const std::string& avviso) {
  ++versione_;
  if (l.disegno) {
    disegno_ = l.disegno;
    versione_disegno_ = versione_;
  }
  json j = {{"versione", versione_},
            {"linea", c_.opzioni.nome_linea},
            {"treno", c_.opzioni.numero_treno},
            {"cartella", c_.mostrata}};
  json messaggi = json::array();
  if (!avviso.empty()) messaggi.push_back(avviso);
  for (const std::string& m : l.messaggi) messaggi.push_back(m);
  j["messaggi"] = std::move(messaggi);
  j["compilata"] = l.compilata;
  j["codice_errore"] = l.compilata ? json(l.risultato.codice) : json(nullptr);
  j["posizione_errore"] = l.compilata ? json(l.risultato.posizione) : json(nullptr);
  j["riassunto"] = l.compilata ? riassunto(l.problemi) : "";
  j["versione_disegno"] = disegno_ ? json(versione_disegno_) : json(nullptr);
  std::string t = j.dump(-1, ' ', false, json::error_handler_t::replace);
  t.pop_back();
  t += ",\"problemi\":" + (l.compilata ? l.problemi_json : std::string("null"));
  t += ",\"disegno\":" + (disegno_ ? *disegno_ : std::string("null")) + "}";
  documento_ = std::make_shared<const std::string>(std::move(t));
}

}  // namespace scenario::strumento
