// Keys follow the model (`inizio`, `fine`, `dato_1`); positions are metres, speeds km/h.
#include "tools/descrizione_json.h"

namespace scenario::strumento {
namespace {

using json = nlohmann::ordered_json;

json stazione(const stazione_descritta& s) {
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

json elemento(const elemento_descritto& e) {
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

json rallentamento(const rallentamento_descritto& r) {
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

json galleria(const galleria_descritta& g) {
  return {{"prima_cella", g.prima_cella},
          {"ultima_cella", g.ultima_cella},
          {"inizio", metri_strato(g.prima_cella)},
          {"fine", metri_strato(g.ultima_cella + 1)},
          {"tipo", g.tipo},
          {"lampade", g.lampade},
          {"nome", g.nome}};
}

json strato(const std::vector<tratto_strato>& tratti, const char* unita) {
  json a = json::array();
  for (const tratto_strato& t : tratti) {
    a.push_back({{"prima_cella", t.prima_cella},
                 {"ultima_cella", t.ultima_cella},
                 {"da", metri_strato(t.prima_cella)},
                 {"a", metri_strato(t.ultima_cella + 1)},
                 {"byte", t.byte},
                 {unita, t.valore ? json(*t.valore) : json(nullptr)}});
  }
  return a;
}

json conteggi_in_json(const conteggi& n) {
  return {{"stazioni", n.stazioni},
          {"segnali", n.segnali},
          {"rallentamenti", n.rallentamenti},
          {"indicatori_velocita", n.indicatori_velocita},
          {"cartelli", n.cartelli},
          {"gallerie", n.gallerie},
          {"controlli_velocita", n.controlli_velocita},
          {"lampade", n.lampade}};
}

template <typename T, typename F>
json lista(const std::vector<T>& v, F in) {
  json a = json::array();
  for (const T& x : v) a.push_back(in(x));
  return a;
}

}  // namespace

json in_json(const descrizione& d) {
  json j = {{"linea", d.linea},
            {"treno", d.treno},
            {"celle", d.celle},
            {"lunghezza_linea", d.lunghezza_linea},
            {"conteggi", conteggi_in_json(d.numeri)},
            {"identita", identita(d.identita)}};
  j["stazioni"] = lista(d.stazioni, stazione);
  j["voci_linea"] = lista(d.voci_linea, voce_linea);
  j["elementi"] = lista(d.elementi, elemento);
  j["rallentamenti"] = lista(d.rallentamenti, rallentamento);
  j["gallerie"] = lista(d.gallerie, galleria);
  j["strati"] = {{"velocita", strato(d.strati.velocita, "kmh")},
                 {"pendenza", strato(d.strati.pendenza, "per_mille")},
                 {"aderenza", strato(d.strati.aderenza, "valore")},
                 {"galleria", strato(d.strati.galleria, "tipo")}};
  j["tracciato"] = {{"presente", d.tracciato.presente},
                    {"punti", d.tracciato.punti},
                    {"interi", d.tracciato.interi},
                    {"reali", d.tracciato.reali},
                    {"vuoti", d.tracciato.vuoti}};
  return j;
}

}  // namespace scenario::strumento
