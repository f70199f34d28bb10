// Text form of the description, for authors; names are shown so that they cannot drive a
// terminal.
#include "tools/dump/descrizione_testo.h"

#include <string_view>

#include "compiler/nomi_file.h"

namespace scenario::strumento {

std::string mostrabile(std::string_view utf8) {
  std::string t;
  t.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const bool c1 = b == 0xC2 && i + 1 < utf8.size() &&
                    static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
                    static_cast<unsigned char>(utf8[i + 1]) <= 0x9F;
    if (b < 0x20 || b == 0x7F || c1) {
      char x[8];
      std::snprintf(x, sizeof x, "\\x%02x", c1 ? static_cast<unsigned char>(utf8[++i]) : b);
      t += x;
    } else if (b == '\\') {
      t += "\\\\";
    } else {
      t += static_cast<char>(b);
    }
  }
  return t;
}

namespace {

void riga(std::FILE* out, const std::string& t) { std::fprintf(out, "%s\n", t.c_str()); }

std::string metri(int32_t m) { return std::to_string(m) + " m"; }

bool in_kmh(const std::string& campo) {
  return campo == "velocita" || (campo.size() == 3 && campo[0] == 'v');
}

void stampa_file(std::FILE* out, const descrizione& d, const std::string& cartella) {
  std::fprintf(out, "%s, train %s, in %s\n", d.linea.c_str(), d.treno.c_str(), cartella.c_str());
  std::fprintf(out, "  route cells    %-32s %d cells, 0 to %d\n",
               nome_percorso(d.linea, d.treno).c_str(), d.celle, d.celle - 1);
  std::fprintf(out, "  station table  %-32s 87 slots\n", nome_stazioni(d.linea, d.treno).c_str());
  if (d.tracciato.presente) {
    std::fprintf(out, "  track plan     %-32s %zu points (%zu computed)\n",
                 nome_tracciato(d.linea).c_str(), d.tracciato.punti, d.tracciato.reali / 2);
  } else {
    std::fprintf(out, "  track plan     %-32s absent\n", nome_tracciato(d.linea).c_str());
  }
  const conteggi& n = d.numeri;
  std::fprintf(
      out,
      "  stations %d, signals %d, slow orders %d, speed-indicator boards %d, signboards %d, "
      "tunnels %d, speed checks %d, tunnel lamps %d\n",
      n.stazioni, n.segnali, n.rallentamenti, n.indicatori_velocita, n.cartelli, n.gallerie,
      n.controlli_velocita, n.lampade);
}

const char* esito(bool ok) { return ok ? "ok" : "MISMATCH"; }

void stampa_identita(std::FILE* out, const identita_descritta& i) {
  std::fprintf(
      out, "\nIdentity: %s\n",
      i.corrisponde() ? "matches the route and train" : "DOES NOT MATCH the route and train");
  std::fprintf(out, "  slot 85 intero_1  %6d  marker, expected %d: %s\n", i.marcatore_voce,
               marcatore_identita_voce, esito(i.marcatore_voce == marcatore_identita_voce));
  std::fprintf(out, "  slot 85 orario    %6d  weighted code, expected %d: %s\n", i.codice_pesato,
               i.attesi.pesato, esito(i.codice_pesato == i.attesi.pesato));
  if (i.cella_1_presente) {
    std::fprintf(out, "  cell 1 dato_1     %6d  marker, expected %d: %s\n", i.marcatore_cella,
                 marcatore_identita_cella, esito(i.marcatore_cella == marcatore_identita_cella));
    std::fprintf(out, "  cell 1 dato_2     %6d  plain code, expected %d: %s\n", i.codice_semplice,
                 i.attesi.semplice, esito(i.codice_semplice == i.attesi.semplice));
  } else {
    riga(out, "  cell 1            absent: the route file holds fewer than two cells");
  }
  std::fprintf(out, "  slot 85 nome \"%s\", slot 86 nome \"%s\": %s\n",
               mostrabile(i.linea_nel_file).c_str(), mostrabile(i.treno_nel_file).c_str(),
               esito(i.nomi_corrispondono));
}

void stampa_stazioni(std::FILE* out, const descrizione& d) {
  std::fprintf(out, "\nStations (%zu)\n", d.stazioni.size());
  riga(out, "  slot  name                  type         area m   position m  time      stop cell");
  for (const stazione_descritta& s : d.stazioni) {
    const std::string area = std::to_string(s.voce.inizio) + ".." + std::to_string(s.voce.fine);
    const std::string fermata = s.cella_fermata ? std::to_string(*s.cella_fermata) : "-";
    std::fprintf(out, "  %4d  %-20s  %4d  %13s  %11d  %s  %s\n", s.slot, mostrabile(s.nome).c_str(),
                 s.voce.tipo, area.c_str(), s.voce.posizione, ora_di(s.voce.orario).c_str(),
                 fermata.c_str());
  }
}

void stampa_voci_linea(std::FILE* out, const descrizione& d) {
  riga(out, "\nLine-wide slots");
  for (const voce_linea_descritta& v : d.voci_linea) {
    std::fprintf(out, "  %d  %s%s\n", v.slot, v.significato.c_str(),
                 v.nome.empty() ? "" : (": \"" + mostrabile(v.nome) + "\"").c_str());
    for (const valore_voce& x : v.valori) {
      std::fprintf(out, "      %-10s %8lld  %s\n", x.campo.c_str(),
                   static_cast<long long>(x.valore), x.significato.c_str());
    }
  }
}

std::string valori_di(const elemento_descritto& e) {
  std::string t;
  for (const campo_descritto& c : e.campi) {
    if (!t.empty()) t += ' ';
    t += c.nome + '=' + std::to_string(c.valore) + (in_kmh(c.nome) ? "km/h" : "");
  }
  if (!e.testo.empty()) t += " \"" + mostrabile(e.testo) + "\"";
  if (!e.avviso.empty()) t += " (" + e.avviso + ")";
  return t;
}

void stampa_elementi(std::FILE* out, const descrizione& d, const file_letti& f) {
  std::fprintf(out, "\nPoint features by cell (%zu)\n", d.numero_elementi);
  riga(out, "  cell  position  kind                      values");
  per_ogni_elemento(f, [out](const elemento_descritto& e) {
    const std::string valori = valori_di(e);
    const std::string genere = descrizione_genere(e.tipo);
    if (valori.empty()) {
      std::fprintf(out, "  %4d  %8d  %s\n", e.cella, e.posizione, genere.c_str());
    } else {
      std::fprintf(out, "  %4d  %8d  %-24s  %s\n", e.cella, e.posizione, genere.c_str(),
                   valori.c_str());
    }
  });
}

void stampa_rallentamenti(std::FILE* out, const descrizione& d) {
  std::fprintf(out, "\nSlow orders (%zu)\n", d.rallentamenti.size());
  for (const rallentamento_descritto& r : d.rallentamenti) {
    std::fprintf(out, "  %d km/h from cell %d (%s) to cell %d (%s)", r.velocita, r.cella_inizio,
                 metri(metri_elemento(r.cella_inizio)).c_str(), r.cella_fine,
                 metri(metri_elemento(r.cella_fine)).c_str());
    if (r.cella_avviso) {
      std::fprintf(out, ", warning board cell %d (%s), %d cells before it", *r.cella_avviso,
                   metri(metri_elemento(*r.cella_avviso)).c_str(), r.celle_prima_avviso);
    } else {
      std::fprintf(out, ", no warning board");
    }
    std::fprintf(out, ", d_v %d, f_tt %d\n", r.d_v, r.f_tt);
  }
}

void stampa_gallerie(std::FILE* out, const descrizione& d, const file_letti& f) {
  std::fprintf(out, "\nTunnels (%d)\n", d.numeri.gallerie);
  per_ogni_galleria(f, [out](const galleria_descritta& g) {
    std::fprintf(out, "  %6d - %6d m  cells %4d - %4d  type %d  lamps %d  %s\n",
                 metri_strato(g.prima_cella), metri_strato(g.ultima_cella + 1), g.prima_cella,
                 g.ultima_cella, g.tipo, g.lampade, mostrabile(g.nome).c_str());
  });
}

void stampa_strato(std::FILE* out, const char* titolo, const file_letti& f, strato s,
                   const char* unita) {
  std::size_t n = 0;
  per_ogni_tratto(f.percorso, s, [&n](const tratto_strato&) { ++n; });
  std::fprintf(out, "\n%s (%zu runs)\n", titolo, n);
  per_ogni_tratto(f.percorso, s, [out, unita](const tratto_strato& t) {
    const std::string valore = t.valore ? std::to_string(*t.valore) + unita : "not set";
    std::fprintf(out, "  %6d - %6d m  cells %4d - %4d  %-13s  byte %d\n",
                 metri_strato(t.prima_cella), metri_strato(t.ultima_cella + 1), t.prima_cella,
                 t.ultima_cella, valore.c_str(), t.byte);
  });
}

}  // namespace

void scrivi_testo(std::FILE* out, const descrizione& d, const file_letti& f,
                  const std::string& cartella) {
  stampa_file(out, d, cartella);
  stampa_identita(out, d.identita);
  stampa_stazioni(out, d);
  stampa_voci_linea(out, d);
  stampa_elementi(out, d, f);
  stampa_rallentamenti(out, d);
  stampa_gallerie(out, d, f);
  stampa_strato(out, "Speed limit", f, strato::velocita, " km/h");
  stampa_strato(out, "Gradient", f, strato::pendenza, " per mille");
  stampa_strato(out, "Adhesion", f, strato::aderenza, "");
}

}  // namespace scenario::strumento
