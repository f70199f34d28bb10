// Keys follow the model (`inizio`, `fine`, `dato_1`); positions are metres, speeds km/h.
#include "tools/dump/descrizione_json.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

namespace scenario::strumento {

using json = nlohmann::ordered_json;

json json_stazione(const stazione_descritta& s) {
  const voce_stazione& v = s.voce;
  json j = {{"slot", s.slot},     {"nome", s.nome},         {"tipo", v.tipo},
            {"inizio", v.inizio}, {"fine", v.fine},         {"posizione", v.posizione},
            {"orario", v.orario}, {"ora", ora_di(v.orario)}};
  j["cella_fermata"] = s.cella_fermata ? json(*s.cella_fermata) : json(nullptr);
  j["opzione"] = v.opzione;
  j["intero"] = {v.intero_1, v.intero_2, v.intero_3, v.intero_4, v.intero_5};
  j["byte"] = {v.byte_1, v.byte_2, v.byte_3, v.byte_4};
  return j;
}

namespace {

json voce_linea(const voce_linea_descritta& v) {
  json valori = json::array();
  for (const valore_voce& x : v.valori) {
    valori.push_back({{"campo", x.campo}, {"valore", x.valore}, {"significato", x.significato}});
  }
  return {{"slot", v.slot}, {"significato", v.significato}, {"nome", v.nome}, {"valori", valori}};
}

json identita(const identita_descritta& i) {
  json j = {
      {"corrisponde", i.corrisponde()},
      {"marcatori_validi", i.marcatori_validi},
      {"codici_corrispondono", i.codici_corrispondono},
      {"nomi_corrispondono", i.nomi_corrispondono},
      {"voce_85",
       {{"nome", i.linea_nel_file}, {"intero_1", i.marcatore_voce}, {"orario", i.codice_pesato}}},
      {"voce_86", {{"nome", i.treno_nel_file}}}};
  j["cella_1"] = i.cella_1_presente
                     ? json{{"dato_1", i.marcatore_cella}, {"dato_2", i.codice_semplice}}
                     : json(nullptr);
  j["attesi"] = {{"intero_1", marcatore_identita_voce},
                 {"orario", i.attesi.pesato},
                 {"dato_1", marcatore_identita_cella},
                 {"dato_2", i.attesi.semplice}};
  return j;
}

}  // namespace

json json_elemento(const elemento_descritto& e) {
  json valori = json::object();
  for (const campo_descritto& c : e.campi) valori[c.nome] = c.valore;
  json j = {{"cella", e.cella},
            {"posizione", e.posizione},
            {"tipo", e.tipo},
            {"genere", e.genere},
            {"valori", valori}};
  if (!e.testo.empty()) j["testo"] = e.testo;
  if (!e.avviso.empty()) j["avviso"] = e.avviso;
  return j;
}

json json_rallentamento(const rallentamento_descritto& r) {
  json j = {{"cella_inizio", r.cella_inizio},
            {"inizio", metri_elemento(r.cella_inizio)},
            {"cella_fine", r.cella_fine},
            {"fine", metri_elemento(r.cella_fine)},
            {"velocita", r.velocita},
            {"d_v", r.d_v},
            {"f_tt", r.f_tt}};
  j["cella_avviso"] = r.cella_avviso ? json(*r.cella_avviso) : json(nullptr);
  j["avviso"] = r.cella_avviso ? json(metri_elemento(*r.cella_avviso)) : json(nullptr);
  j["celle_prima_avviso"] = r.celle_prima_avviso;
  return j;
}

json json_galleria(const galleria_descritta& g) {
  return {{"prima_cella", g.prima_cella},
          {"ultima_cella", g.ultima_cella},
          {"inizio", metri_strato(g.prima_cella)},
          {"fine", metri_strato(g.ultima_cella + 1)},
          {"tipo", g.tipo},
          {"lampade", g.lampade},
          {"nome", g.nome}};
}

json json_tratto(const tratto_strato& t, const char* unita) {
  return {{"prima_cella", t.prima_cella},
          {"ultima_cella", t.ultima_cella},
          {"da", metri_strato(t.prima_cella)},
          {"a", metri_strato(t.ultima_cella + 1)},
          {"byte", t.byte},
          {unita, t.valore ? json(*t.valore) : json(nullptr)}};
}

json json_conteggi(const conteggi& n) {
  return {{"stazioni", n.stazioni},
          {"segnali", n.segnali},
          {"rallentamenti", n.rallentamenti},
          {"indicatori_velocita", n.indicatori_velocita},
          {"cartelli", n.cartelli},
          {"gallerie", n.gallerie},
          {"controlli_velocita", n.controlli_velocita},
          {"lampade", n.lampade}};
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
  s.valore("linea", d.linea);
  s.valore("treno", d.treno);
  s.valore("celle", d.celle);
  s.valore("lunghezza_linea", d.lunghezza_linea);
  s.valore("conteggi", json_conteggi(d.numeri));
  s.valore("identita", identita(d.identita));
  s.lista("stazioni", da_vettore(d.stazioni, json_stazione));
  s.lista("voci_linea", da_vettore(d.voci_linea, voce_linea));
  s.lista("elementi", [&](const auto& scrivi) {
    per_ogni_elemento(f, [&](const elemento_descritto& e) { scrivi(json_elemento(e)); });
  });
  s.lista("rallentamenti", da_vettore(d.rallentamenti, json_rallentamento));
  s.lista("gallerie", [&](const auto& scrivi) {
    per_ogni_galleria(f, [&](const galleria_descritta& g) { scrivi(json_galleria(g)); });
  });
  s.oggetto_di_liste("strati", {{"velocita", da_strato(f, strato::velocita, "kmh")},
                                {"pendenza", da_strato(f, strato::pendenza, "per_mille")},
                                {"aderenza", da_strato(f, strato::aderenza, "valore")},
                                {"galleria", da_strato(f, strato::galleria, "tipo")}});
  s.valore("tracciato", {{"presente", d.tracciato.presente},
                         {"punti", d.tracciato.punti},
                         {"interi", d.tracciato.interi},
                         {"reali", d.tracciato.reali},
                         {"vuoti", d.tracciato.vuoti}});
  s.chiudi();
}

}  // namespace scenario::strumento
