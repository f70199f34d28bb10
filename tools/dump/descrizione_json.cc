// Keys are English; names of the formats' own fields (`sx`, `vas`, `d_v`, `intero_1`) stay as
// they are where a key stands for one. Positions are metres, speeds km/h.
#include "tools/dump/descrizione_json.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

#include "compiler/formato_celle.h"

namespace scenario::strumento {

using json = nlohmann::ordered_json;

json json_stazione(const stazione_descritta& s) {
  const voce_stazione& v = s.voce;
  json j = {{"slot", s.slot},      {"name", s.nome},          {"type", v.tipo},
            {"start", v.inizio},   {"end", v.fine},           {"position", v.posizione},
            {"seconds", v.orario}, {"time", ora_di(v.orario)}};
  j["stop_cell"] = s.cella_fermata ? json(*s.cella_fermata) : json(nullptr);
  j["opzione"] = v.opzione;
  j["intero"] = {v.intero_1, v.intero_2, v.intero_3, v.intero_4, v.intero_5};
  j["byte"] = {v.byte_1, v.byte_2, v.byte_3, v.byte_4};
  return j;
}

namespace {

json voce_linea(const voce_linea_descritta& v) {
  json valori = json::array();
  for (const valore_voce& x : v.valori) {
    valori.push_back({{"field", x.campo}, {"value", x.valore}, {"meaning", x.significato}});
  }
  return {{"slot", v.slot}, {"meaning", v.significato}, {"name", v.nome}, {"values", valori}};
}

json identita(const identita_descritta& i) {
  json j = {{"matches", i.corrisponde()},
            {"markers_valid", i.marcatori_validi},
            {"codes_match", i.codici_corrispondono},
            {"names_match", i.nomi_corrispondono},
            {"slot_85",
             {{"name", i.linea_nel_file},
              {"marker", i.marcatore_voce},
              {"weighted_code", i.codice_pesato}}},
            {"slot_86", {{"name", i.treno_nel_file}}}};
  j["cell_1"] = i.cella_1_presente
                    ? json{{"marker", i.marcatore_cella}, {"plain_code", i.codice_semplice}}
                    : json(nullptr);
  j["expected"] = {{"slot_85_marker", marcatore_identita_voce},
                   {"weighted_code", i.attesi.pesato},
                   {"cell_1_marker", marcatore_identita_cella},
                   {"plain_code", i.attesi.semplice}};
  return j;
}

// The key of an unpacked value: the field's own name, but for the two the model names in
// Italian with no field of a source behind them.
std::string chiave_valore(const std::string& campo) {
  if (campo == "velocita") return "speed";
  if (campo == "celle_dall_avviso") return "cells_from_board";
  return campo;
}

}  // namespace

json json_elemento(const elemento_descritto& e) {
  json valori = json::object();
  for (const campo_descritto& c : e.campi) valori[chiave_valore(c.nome)] = c.valore;
  json j = {{"cell", e.cella},
            {"position", e.posizione},
            {"kind", e.tipo},
            {"kind_name", descrizione_genere(e.tipo)},
            {"values", valori}};
  if (!e.testo.empty()) j["text"] = e.testo;
  if (!e.avviso.empty()) j["warning"] = e.avviso;
  return j;
}

json json_rallentamento(const rallentamento_descritto& r) {
  json j = {{"start_cell", r.cella_inizio},
            {"start", metri_elemento(r.cella_inizio)},
            {"end_cell", r.cella_fine},
            {"end", metri_elemento(r.cella_fine)},
            {"speed", r.velocita},
            {"d_v", r.d_v},
            {"f_tt", r.f_tt}};
  j["board_cell"] = r.cella_avviso ? json(*r.cella_avviso) : json(nullptr);
  j["board"] = r.cella_avviso ? json(metri_elemento(*r.cella_avviso)) : json(nullptr);
  j["cells_before_board"] = r.celle_prima_avviso;
  return j;
}

json json_galleria(const galleria_descritta& g) {
  return {{"first_cell", g.prima_cella},
          {"last_cell", g.ultima_cella},
          {"start", metri_strato(g.prima_cella)},
          {"end", metri_strato(g.ultima_cella + 1)},
          {"type", g.tipo},
          {"lamps", g.lampade},
          {"name", g.nome}};
}

namespace {

json curva(const curva_descritta& c) {
  json j = {{"start", c.inizio},          {"length", c.lunghezza},
            {"class", c.classe},          {"direction", c.sinistra ? "left" : "right"},
            {"keyword", parola_curva(c)}, {"radius", raggio_curva(c)}};
  return j;
}

}  // namespace

json json_tratto(const tratto_strato& t, const char* unita) {
  return {{"first_cell", t.prima_cella},
          {"last_cell", t.ultima_cella},
          {"from", metri_strato(t.prima_cella)},
          {"to", metri_strato(t.ultima_cella + 1)},
          {"byte", t.byte},
          {unita, t.valore ? json(*t.valore) : json(nullptr)}};
}

json json_conteggi(const conteggi& n) {
  return {{"stations", n.stazioni},
          {"signals", n.segnali},
          {"slow_orders", n.rallentamenti},
          {"speed_boards", n.indicatori_velocita},
          {"signboards", n.cartelli},
          {"tunnels", n.gallerie},
          {"curves", n.curve},
          {"speed_checks", n.controlli_velocita},
          {"tunnel_lamps", n.lampade}};
}

namespace {

std::string testo_json(const json& j) {
  return j.dump(2, ' ', false, json::error_handler_t::replace);
}

// One key after another of the top object, each value laid out as a whole document would lay
// it out at its depth.
using sorgente_lista = std::function<void(const std::function<void(const json&)>&)>;

class scrittore {
 public:
  explicit scrittore(std::FILE* out) : out_(out) {}

  void valore(const char* chiave, const json& v) {
    apri(chiave);
    scrivi_rientrato(testo_json(v), 2);
  }

  // A list written item by item: dai(scrivi) calls scrivi(item) for each item.
  template <typename F>
  void lista(const char* chiave, F dai) {
    apri(chiave);
    elenco(dai, 2);
  }

  // An object of lists, each written item by item.
  void oggetto_di_liste(const char* chiave,
                        std::initializer_list<std::pair<const char*, sorgente_lista>> liste) {
    apri(chiave);
    const char* prima = "{\n";
    for (const auto& [nome, dai] : liste) {
      std::fprintf(out_, "%s    \"%s\": ", prima, nome);
      prima = ",\n";
      elenco(dai, 4);
    }
    std::fputs("\n  }", out_);
  }

  void chiudi() { std::fputs(primo_ ? "{}\n" : "\n}\n", out_); }

 private:
  void apri(const char* chiave) {
    std::fputs(primo_ ? "{\n" : ",\n", out_);
    primo_ = false;
    std::fprintf(out_, "  \"%s\": ", chiave);
  }

  template <typename F>
  void elenco(F dai, std::size_t rientro) {
    const std::string dentro(rientro + 2, ' ');
    bool vuota = true;
    dai([&](const json& x) {
      std::fputs(vuota ? "[\n" : ",\n", out_);
      std::fputs(dentro.c_str(), out_);
      vuota = false;
      scrivi_rientrato(testo_json(x), rientro + 2);
    });
    if (vuota) {
      std::fputs("[]", out_);
    } else {
      std::fprintf(out_, "\n%s]", std::string(rientro, ' ').c_str());
    }
  }

  // JSON strings hold no raw line end, so every line end starts a line of the layout.
  void scrivi_rientrato(const std::string& t, std::size_t rientro) {
    const std::string spazi(rientro, ' ');
    std::size_t da = 0;
    for (std::size_t a = t.find('\n'); a != std::string::npos; a = t.find('\n', da)) {
      std::fwrite(t.data() + da, 1, a + 1 - da, out_);
      std::fputs(spazi.c_str(), out_);
      da = a + 1;
    }
    std::fwrite(t.data() + da, 1, t.size() - da, out_);
  }

  std::FILE* out_;
  bool primo_ = true;
};

template <typename T, typename F>
auto da_vettore(const std::vector<T>& v, F in) {
  return [&v, in](const auto& scrivi) {
    for (const T& x : v) scrivi(in(x));
  };
}

sorgente_lista da_strato(const file_letti& f, strato s, const char* unita) {
  return [&f, s, unita](const auto& scrivi) {
    per_ogni_tratto(f.percorso, s, [&](const tratto_strato& t) { scrivi(json_tratto(t, unita)); });
  };
}

}  // namespace

void scrivi_json(std::FILE* out, const descrizione& d, const file_letti& f) {
  scrittore s(out);
  s.valore("formato", versione_formato_json);
  s.valore("route", d.linea);
  s.valore("train", d.treno);
  s.valore("cells", d.celle);
  s.valore("line_length", d.lunghezza_linea);
  s.valore("counts", json_conteggi(d.numeri));
  s.valore("identity", identita(d.identita));
  s.lista("stations", da_vettore(d.stazioni, json_stazione));
  s.lista("line_slots", da_vettore(d.voci_linea, voce_linea));
  s.lista("features", [&](const auto& scrivi) {
    per_ogni_elemento(f, [&](const elemento_descritto& e) { scrivi(json_elemento(e)); });
  });
  s.lista("slow_orders", da_vettore(d.rallentamenti, json_rallentamento));
  s.lista("tunnels", [&](const auto& scrivi) {
    per_ogni_galleria(f, [&](const galleria_descritta& g) { scrivi(json_galleria(g)); });
  });
  s.lista("curves", [&](const auto& scrivi) {
    if (f.tracciato)
      per_ogni_curva(*f.tracciato, [&](const curva_descritta& c) { scrivi(curva(c)); });
  });
  s.oggetto_di_liste("layers", {{"speed_limit", da_strato(f, strato::velocita, "kmh")},
                                {"gradient", da_strato(f, strato::pendenza, "per_mille")},
                                {"adhesion", da_strato(f, strato::aderenza, "value")},
                                {"tunnel", da_strato(f, strato::galleria, "type")}});
  s.valore("track_plan", {{"present", d.tracciato.presente},
                          {"points", d.tracciato.punti},
                          {"integers", d.tracciato.interi},
                          {"doubles", d.tracciato.reali},
                          {"empty", d.tracciato.vuoti}});
  s.chiudi();
}

}  // namespace scenario::strumento
