// scenario-tool dump: what the compiled files of a route and train hold, decoded, as text
// for authors or as one JSON document for scripts.
#include <cstdio>
#include <memory>
#include <string>

#include "compiler/nomi_file.h"
#include "compiler/stati_uscita.h"
#include "tools/comandi.h"
#include "tools/descrizione_json.h"
#include "tools/descrizione_scenario.h"
#include "tools/lettura_comando.h"

namespace scenario::strumento {
namespace {

struct opzioni_dump {
  scenario_scelto scenario;
  bool json = false;
};

void riga(const std::string& t) { std::printf("%s\n", t.c_str()); }

std::string metri(int32_t m) { return std::to_string(m) + " m"; }

std::string nome_genere(uint8_t tipo) {
  switch (tipo) {
    case cella_segnale:
      return "signal";
    case cella_fine_rallentamento:
      return "slow order end";
    case cella_inizio_rallentamento:
      return "slow order start";
    case cella_avviso_rallentamento:
      return "slow order warning board";
    case cella_prima_avviso:
      return "before warning board";
    case cella_indicatore_velocita:
      return "speed-indicator board";
    case cella_fermata:
      return "station stop";
    case cella_lampada:
      return "tunnel lamp";
    case cella_controllo_velocita:
      return "speed check";
    case cella_abbattimento_nullo:
      return "abbattimento 0";
    case cella_cartello:
      return "signboard";
    default:
      return "unknown kind " + std::to_string(tipo);
  }
}

bool in_kmh(const std::string& campo) {
  return campo == "velocita" || (campo.size() == 3 && campo[0] == 'v');
}

void stampa_file(const descrizione& d, const scenario_scelto& s) {
  std::printf("%s, train %s, in %s\n", d.linea.c_str(), d.treno.c_str(), s.cartella.c_str());
  std::printf("  route cells    %-32s %d cells, 0 to %d\n", nome_percorso(s.linea, s.treno).c_str(),
              d.celle, d.celle - 1);
  std::printf("  station table  %-32s 87 slots\n", nome_stazioni(s.linea, s.treno).c_str());
  if (d.tracciato.presente) {
    std::printf("  track plan     %-32s %zu points (%zu computed)\n",
                nome_tracciato(s.linea).c_str(), d.tracciato.punti, d.tracciato.reali / 2);
  } else {
    std::printf("  track plan     %-32s absent\n", nome_tracciato(s.linea).c_str());
  }
  const conteggi& n = d.numeri;
  std::printf(
      "  stations %d, signals %d, slow orders %d, speed-indicator boards %d, signboards %d, "
      "tunnels %d, speed checks %d, tunnel lamps %d\n",
      n.stazioni, n.segnali, n.rallentamenti, n.indicatori_velocita, n.cartelli, n.gallerie,
      n.controlli_velocita, n.lampade);
}

const char* esito(bool ok) { return ok ? "ok" : "MISMATCH"; }

void stampa_identita(const identita_descritta& i) {
  std::printf("\nIdentity: %s\n", i.corrisponde() ? "matches the route and train"
                                                  : "DOES NOT MATCH the route and train");
  std::printf("  slot 85 intero_1  %6d  marker, expected %d: %s\n", i.marcatore_voce,
              marcatore_identita_voce, esito(i.marcatore_voce == marcatore_identita_voce));
  std::printf("  slot 85 orario    %6d  weighted code, expected %d: %s\n", i.codice_pesato,
              i.attesi.pesato, esito(i.codice_pesato == i.attesi.pesato));
  if (i.cella_1_presente) {
    std::printf("  cell 1 dato_1     %6d  marker, expected %d: %s\n", i.marcatore_cella,
                marcatore_identita_cella, esito(i.marcatore_cella == marcatore_identita_cella));
    std::printf("  cell 1 dato_2     %6d  plain code, expected %d: %s\n", i.codice_semplice,
                i.attesi.semplice, esito(i.codice_semplice == i.attesi.semplice));
  } else {
    riga("  cell 1            absent: the route file holds fewer than two cells");
  }
  std::printf("  slot 85 nome \"%s\", slot 86 nome \"%s\": %s\n", i.linea_nel_file.c_str(),
              i.treno_nel_file.c_str(), esito(i.nomi_corrispondono));
}

void stampa_stazioni(const descrizione& d) {
  std::printf("\nStations (%zu)\n", d.stazioni.size());
  riga("  slot  name                  type         area m   position m  time      stop cell");
  for (const stazione_descritta& s : d.stazioni) {
    const std::string area = std::to_string(s.voce.inizio) + ".." + std::to_string(s.voce.fine);
    const std::string fermata = s.cella_fermata ? std::to_string(*s.cella_fermata) : "-";
    std::printf("  %4d  %-20s  %4d  %13s  %11d  %s  %s\n", s.slot, s.nome.c_str(), s.voce.tipo,
                area.c_str(), s.voce.posizione, ora_di(s.voce.orario).c_str(), fermata.c_str());
  }
}

void stampa_voci_linea(const descrizione& d) {
  riga("\nLine-wide slots");
  for (const voce_linea_descritta& v : d.voci_linea) {
    std::printf("  %d  %s%s\n", v.slot, v.significato.c_str(),
                v.nome.empty() ? "" : (": \"" + v.nome + "\"").c_str());
    for (const valore_voce& x : v.valori) {
      std::printf("      %-10s %8lld  %s\n", x.campo.c_str(), static_cast<long long>(x.valore),
                  x.significato.c_str());
    }
  }
}

std::string valori_di(const elemento_descritto& e) {
  std::string t;
  for (const campo_descritto& c : e.campi) {
    if (!t.empty()) t += ' ';
    t += c.nome + '=' + std::to_string(c.valore) + (in_kmh(c.nome) ? "km/h" : "");
  }
  if (!e.testo.empty()) t += " \"" + e.testo + "\"";
  if (!e.avviso.empty()) t += " (" + e.avviso + ")";
  return t;
}

void stampa_elementi(const descrizione& d) {
  std::printf("\nPoint features by cell (%zu)\n", d.elementi.size());
  riga("  cell  position  kind                      values");
  for (const elemento_descritto& e : d.elementi) {
    const std::string valori = valori_di(e);
    if (valori.empty()) {
      std::printf("  %4d  %8d  %s\n", e.cella, e.posizione, nome_genere(e.tipo).c_str());
    } else {
      std::printf("  %4d  %8d  %-24s  %s\n", e.cella, e.posizione, nome_genere(e.tipo).c_str(),
                  valori.c_str());
    }
  }
}

void stampa_rallentamenti(const descrizione& d) {
  std::printf("\nSlow orders (%zu)\n", d.rallentamenti.size());
  for (const rallentamento_descritto& r : d.rallentamenti) {
    std::printf("  %d km/h from cell %d (%s) to cell %d (%s)", r.velocita, r.cella_inizio,
                metri(metri_elemento(r.cella_inizio)).c_str(), r.cella_fine,
                metri(metri_elemento(r.cella_fine)).c_str());
    if (r.cella_avviso) {
      std::printf(", warning board cell %d (%s), %d cells before it", *r.cella_avviso,
                  metri(metri_elemento(*r.cella_avviso)).c_str(), r.celle_prima_avviso);
    } else {
      std::printf(", no warning board");
    }
    std::printf(", d_v %d, f_tt %d\n", r.d_v, r.f_tt);
  }
}

void stampa_gallerie(const descrizione& d) {
  std::printf("\nTunnels (%zu)\n", d.gallerie.size());
  for (const galleria_descritta& g : d.gallerie) {
    std::printf("  %6d - %6d m  cells %4d - %4d  type %d  lamps %d  %s\n",
                metri_strato(g.prima_cella), metri_strato(g.ultima_cella + 1), g.prima_cella,
                g.ultima_cella, g.tipo, g.lampade, g.nome.c_str());
  }
}

void stampa_strato(const char* titolo, const std::vector<tratto_strato>& tratti,
                   const char* unita) {
  std::printf("\n%s (%zu runs)\n", titolo, tratti.size());
  for (const tratto_strato& t : tratti) {
    const std::string valore = t.valore ? std::to_string(*t.valore) + unita : "not set";
    std::printf("  %6d - %6d m  cells %4d - %4d  %-13s  byte %d\n", metri_strato(t.prima_cella),
                metri_strato(t.ultima_cella + 1), t.prima_cella, t.ultima_cella, valore.c_str(),
                t.byte);
  }
}

void stampa_testo(const descrizione& d, const scenario_scelto& s) {
  stampa_file(d, s);
  stampa_identita(d.identita);
  stampa_stazioni(d);
  stampa_voci_linea(d);
  stampa_elementi(d);
  stampa_rallentamenti(d);
  stampa_gallerie(d);
  stampa_strato("Speed limit", d.strati.velocita, " km/h");
  stampa_strato("Gradient", d.strati.pendenza, " per mille");
  stampa_strato("Adhesion", d.strati.aderenza, "");
}

int esegui_dump(const opzioni_dump& o) {
  int stato = uscita_ok;
  const std::optional<file_letti> f = leggi_per_comando(o.scenario, stato);
  if (!f) return stato;
  const descrizione d = descrivi(*f, o.scenario.linea, o.scenario.treno);
  if (o.json) {
    std::printf("%s\n", in_json(d).dump(2).c_str());
  } else {
    stampa_testo(d, o.scenario);
  }
  return uscita_ok;
}

}  // namespace

void registra_dump(CLI::App& app, int& stato) {
  auto* comando = app.add_subcommand(
      "dump", "Show what DIR/ROUTE_TRAIN.dat, DIR/ROUTE_TRAIN.sim and DIR/ROUTE_linea.dat hold");
  auto o = std::make_shared<opzioni_dump>();
  opzioni_scenario(*comando, o->scenario);
  comando->add_flag("--json", o->json, "Print one JSON document instead of text");
  comando->callback([&stato, o] { stato = esegui_dump(*o); });
}

}  // namespace scenario::strumento
