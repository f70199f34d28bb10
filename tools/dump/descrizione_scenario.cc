// Decoding of the compiled files: every packed value is unpacked with the packing rule of the
// procedure that wrote it, and the layers are merged into runs of equal bytes.
#include "tools/dump/descrizione_scenario.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "compiler/classi_curva.h"
#include "compiler/formato_indicatore.h"
#include "compiler/formato_rallentamento.h"
#include "compiler/formato_segnale.h"
#include "compiler/nomi_file.h"
#include "io/lettura.h"
#include "io/sistema.h"
#include "tools/cli/lettura_comando.h"

namespace scenario::strumento {
namespace {

// A compiled file that is missing, unreadable or damaged; the message names the file.
class file_illeggibile : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What a read that did not end well means for a compiled file; false when the file is missing
// and `facoltativo`.
bool controlla_lettura(const std::filesystem::path& p, const lettura_limitata& r,
                       std::uint64_t massimo, bool facoltativo) {
  switch (r.stato) {
    case stato_lettura::letto:
      return true;
    case stato_lettura::collegamento:
      throw file_illeggibile(io::nome_di(p) + ": a " + io::nome_collegamento_inglese +
                             ", not a file");
    case stato_lettura::cartella:
    case stato_lettura::non_regolare:
      throw file_illeggibile(io::nome_di(p) + ": not a regular file");
    case stato_lettura::oltre_il_limite:
      throw file_illeggibile(io::nome_di(p) + ": damaged file: " + std::to_string(r.dimensione) +
                             " bytes, more than the " + std::to_string(massimo) +
                             " such a file may hold here");
    case stato_lettura::cresciuto:
      throw file_illeggibile(io::nome_di(p) + ": damaged file: grew while read");
    default:
      break;
  }
  // A file the system cannot reach, whatever the reason it gives, is not there.
  std::error_code e;
  if (r.stato == stato_lettura::assente || !std::filesystem::exists(p, e)) {
    if (facoltativo) return false;
    throw file_illeggibile(io::nome_di(p) + ": not found");
  }
  throw file_illeggibile(io::nome_di(p) + ": cannot be read");
}

template <typename F>
auto letto(const std::filesystem::path& p, F lettore) {
  try {
    return lettore();
  } catch (const formato_non_valido& e) {
    throw file_illeggibile(io::nome_di(p) + ": damaged file: " + e.what());
  }
}

// The cells and the station table, each read whole up to its largest size.
template <typename F>
auto leggi_intero(const std::filesystem::path& p, std::uint64_t massimo, F lettore) {
  lettura_limitata r = leggi_limitato(p, massimo);
  controlla_lettura(p, r, massimo, false);
  return letto(p, [&] { return lettore(std::string_view(r.testo)); });
}

// The track plan a block at a time into its summary, and its points when they are kept.
void leggi_piano(const std::filesystem::path& p, file_letti& f, bool con_punti) {
  tracciato_letto punti;
  std::optional<lettore_tracciato> lettore;
  std::size_t in_meta[2] = {0, 0};
  const auto ricevi = [&](int meta, const punto_letto& x) {
    if (++in_meta[meta] > punti_massimi_meta) {
      throw formato_non_valido("more than the " + std::to_string(punti_massimi_meta) +
                               " points a half may hold here");
    }
    conta_punto(f.piano, meta, x);
    if (con_punti) (meta == 0 ? punti.x : punti.y).push_back(x);
  };
  const lettura_limitata r = letto(p, [&] {
    return leggi_a_blocchi(p, byte_massimi_tracciato, collegamenti::rifiutati,
                           [&](std::uint64_t dimensione, std::string_view blocco) {
                             if (!lettore) lettore.emplace(dimensione, ricevi);
                             lettore->leggi(blocco);
                           });
  });
  if (!controlla_lettura(p, r, byte_massimi_tracciato, true)) return;
  // An empty file gave no block.
  if (!lettore) lettore.emplace(r.dimensione, ricevi);
  letto(p, [&] { lettore->fine(); });
  f.piano.presente = true;
  if (con_punti) f.tracciato = std::move(punti);
}

// Reads ROUTE_TRAIN.dat, ROUTE_TRAIN.sim and, when it exists, ROUTE_linea.dat.
file_letti leggi_file_scenario(const std::filesystem::path& cartella, const std::string& linea,
                               const std::string& treno, bool con_punti) {
  file_letti f;
  f.percorso = leggi_intero(cartella / nome_percorso(linea, treno), byte_massimi_percorso,
                            [](std::string_view b) { return leggi_percorso(b); });
  f.stazioni = leggi_intero(cartella / nome_stazioni(linea, treno), byte_massimi_stazioni,
                            [](std::string_view b) { return leggi_stazioni(b); });
  leggi_piano(cartella / nome_tracciato(linea), f, con_punti);
  return f;
}

}  // namespace

void conta_punto(tracciato_descritto& t, int meta, const punto_letto& p) {
  t.punti += meta == 0;
  t.interi += p.etichetta == etichetta_intero;
  t.reali += p.etichetta == etichetta_reale;
  t.vuoti += p.etichetta == etichetta_vuoto;
}

void metti_tracciato(file_letti& f, tracciato_letto t) {
  f.piano = tracciato_descritto{};
  f.piano.presente = true;
  for (const auto& [meta, punti] : {std::pair{0, &t.x}, std::pair{1, &t.y}}) {
    for (const punto_letto& p : *punti) conta_punto(f.piano, meta, p);
  }
  f.tracciato = std::move(t);
}

std::optional<file_letti> leggi_compilati(const std::filesystem::path& cartella,
                                          const std::string& linea, const std::string& treno,
                                          bool con_punti) {
  try {
    return leggi_file_scenario(cartella, linea, treno, con_punti);
  } catch (const file_illeggibile& e) {
    stampa_errore(e.what());
    return std::nullopt;
  }
}

std::string ora_di(int32_t secondi) {
  const int64_t s = secondi < 0 ? -int64_t{secondi} : int64_t{secondi};
  char testo[32];
  std::snprintf(testo, sizeof testo, "%s%02lld:%02lld:%02lld", secondi < 0 ? "-" : "",
                static_cast<long long>(s / 3600), static_cast<long long>(s / 60 % 60),
                static_cast<long long>(s % 60));
  return testo;
}

namespace {

bool voce_vuota(const voce_stazione& v) { return v == voce_stazione{}; }

const voce_stazione* voce_in(const file_letti& f, int64_t slot) {
  if (slot < 0 || slot >= numero_voci_stazione) return nullptr;
  return &f.stazioni[static_cast<std::size_t>(slot)];
}

// Stations fill the slots from 1 upward without a gap; each is named by the first kind-10
// cell that points at its slot.
std::vector<stazione_descritta> stazioni_di(const file_letti& f) {
  std::array<std::optional<int32_t>, numero_voci_stazione> fermate;
  for (std::size_t c = 0; c < f.percorso.size(); ++c) {
    const cella& x = f.percorso[c];
    if (x.tipo != cella_fermata || x.dato_1 < 0 || x.dato_1 >= numero_voci_stazione) continue;
    auto& prima = fermate[static_cast<std::size_t>(x.dato_1)];
    if (!prima) prima = static_cast<int32_t>(c);
  }
  std::vector<stazione_descritta> s;
  for (int slot = 1; slot <= primo_posto_cartello; ++slot) {
    const voce_stazione& v = f.stazioni[static_cast<std::size_t>(slot)];
    if (voce_vuota(v)) break;
    s.push_back({slot, da_windows_1252(v.nome), v, fermate[static_cast<std::size_t>(slot)]});
  }
  return s;
}

// The fields of a slot the compiler gives a meaning to; any other field that is not zero is
// listed too, so that nothing in the file goes unseen.
struct campo_voce {
  const char* campo;
  const char* significato;
};

int64_t valore_campo(const voce_stazione& v, std::string_view campo) {
  if (campo == "tipo") return v.tipo;
  if (campo == "inizio") return v.inizio;
  if (campo == "fine") return v.fine;
  if (campo == "posizione") return v.posizione;
  if (campo == "opzione") return v.opzione;
  if (campo == "intero_1") return v.intero_1;
  if (campo == "intero_2") return v.intero_2;
  if (campo == "intero_3") return v.intero_3;
  if (campo == "intero_4") return v.intero_4;
  if (campo == "intero_5") return v.intero_5;
  if (campo == "byte_1") return v.byte_1;
  if (campo == "byte_2") return v.byte_2;
  if (campo == "byte_3") return v.byte_3;
  if (campo == "byte_4") return v.byte_4;
  return v.orario;
}

constexpr const char* campi_numerici[] = {
    "tipo",     "inizio",   "fine",   "posizione", "opzione", "intero_1", "intero_2", "intero_3",
    "intero_4", "intero_5", "byte_1", "byte_2",    "byte_3",  "byte_4",   "orario"};

voce_linea_descritta descrivi_voce(const file_letti& f, int slot, const char* significato,
                                   std::vector<campo_voce> noti) {
  const voce_stazione& v = f.stazioni[static_cast<std::size_t>(slot)];
  voce_linea_descritta d{slot, significato, da_windows_1252(v.nome), {}};
  for (const campo_voce& c : noti)
    d.valori.push_back({c.campo, valore_campo(v, c.campo), c.significato});
  for (const char* campo : campi_numerici) {
    const bool noto = std::any_of(noti.begin(), noti.end(), [&](const campo_voce& c) {
      return std::string_view(c.campo) == campo;
    });
    if (!noto && valore_campo(v, campo) != 0) {
      d.valori.push_back({campo, valore_campo(v, campo), "not written by the compiler"});
    }
  }
  return d;
}

std::vector<voce_linea_descritta> voci_linea_di(const file_letti& f) {
  const std::vector<campo_voce> progressiva = {
      {"inizio", "first number, the ordering key"},
      {"fine", "second number (100 more when the third is 1)"},
      {"posizione", "third number"}};
  return {
      descrivi_voce(f, voce_progressiva_tre, "kilometric progressive \"tre\"", progressiva),
      descrivi_voce(f, voce_progressiva_due, "kilometric progressive \"due\"", progressiva),
      descrivi_voce(f, voce_progressiva_uno, "kilometric progressive \"uno\"", progressiva),
      descrivi_voce(f, voce_treno_linea, "consist and line length",
                    {{"inizio", "braked-mass percentage (\"percentuale massa frenata\")"},
                     {"fine", "line length in m (\"lunghezza percorso\")"},
                     {"posizione", "coaches (\"numero vetture\")"}}),
      descrivi_voce(f, voce_linea, "route identifier and backgrounds",
                    {{"inizio", "background \"sfondo uno\""},
                     {"fine", "background \"sfondo tre\""},
                     {"posizione", "background \"sfondo due\""},
                     {"intero_1", "identity marker, 610"},
                     {"orario", "weighted identity code"}}),
      descrivi_voce(f, voce_treno, "train number, signal repetition, sand and clock",
                    {{"inizio", "signal repetition start in m (\"ripetizione segnali\")"},
                     {"fine", "signal repetition end in m"},
                     {"posizione", "signal repetition codes: 4, 9 or 0 (none)"},
                     {"intero_1", "sand (\"sabbia\")"},
                     {"intero_3", "clock hours (\"orologio\")"},
                     {"intero_4", "clock minutes"},
                     {"intero_5", "clock seconds"}}),
  };
}

identita_descritta identita_di(const file_letti& f, const std::string& linea,
                               const std::string& treno) {
  identita_descritta d;
  const voce_stazione& v85 = f.stazioni[voce_linea];
  d.linea_nel_file = da_windows_1252(v85.nome);
  d.treno_nel_file = da_windows_1252(f.stazioni[voce_treno].nome);
  d.marcatore_voce = v85.intero_1;
  d.codice_pesato = v85.orario;
  d.cella_1_presente = f.percorso.size() > 1;
  if (d.cella_1_presente) {
    d.marcatore_cella = f.percorso[1].dato_1;
    d.codice_semplice = f.percorso[1].dato_2;
  }
  d.attesi = calcola_codici_identita(linea, treno);
  d.marcatori_validi = d.marcatore_voce == marcatore_identita_voce && d.cella_1_presente &&
                       d.marcatore_cella == marcatore_identita_cella;
  d.codici_corrispondono = d.cella_1_presente && d.codice_pesato == d.attesi.pesato &&
                           d.codice_semplice == d.attesi.semplice;
  d.nomi_corrispondono = v85.nome == linea && f.stazioni[voce_treno].nome == treno;
  return d;
}

void segnale(elemento_descritto& e, const cella& c) {
  const aspetti_segnale a = spacchetta_segnale({c.dato_1, c.dato_2, c.dato_3, c.dato_4});
  e.campi = {{"sx", a.sx},     {"s1", a.s1},
             {"s2", a.s2},     {"s3", a.s3},
             {"dx", a.dx},     {"d1", a.d1},
             {"d2", a.d2},     {"d3", a.d3},
             {"rapp", a.rapp}, {"tempo_segnale", c.tempo_segnale}};
}

void indicatore(elemento_descritto& e, const cella& c) {
  const coppia_indicatore a = spacchetta_velocita_indicatore(c.dato_1);
  const coppia_indicatore b = spacchetta_velocita_indicatore(c.dato_2);
  const coppia_indicatore d = spacchetta_velocita_indicatore(c.dato_3);
  const coppia_indicatore s = spacchetta_strisce(c.dato_4);
  e.campi = {{"vas", a.s}, {"vbs", b.s}, {"vcs", d.s}, {"strisces", s.s},
             {"vad", a.d}, {"vbd", b.d}, {"vcd", d.d}, {"strisced", s.d}};
}

void testo_di_voce(elemento_descritto& e, const file_letti& f, int16_t slot) {
  e.campi.push_back({"slot", slot});
  if (const voce_stazione* v = voce_in(f, slot)) {
    e.testo = da_windows_1252(v->nome);
  } else {
    e.avviso = "slot " + std::to_string(slot) + " is outside the station table";
  }
}

void valori_propri(elemento_descritto& e, const file_letti& f, const cella& c) {
  const valori_rallentamento r = leggi_valori_rallentamento(c);
  switch (c.tipo) {
    case cella_segnale:
      segnale(e, c);
      break;
    case cella_fine_rallentamento:
    case cella_inizio_rallentamento:
      e.campi = {{"velocita", r.velocita}, {"d_v", r.d_v}, {"f_tt", r.f_tt}};
      break;
    case cella_avviso_rallentamento:
      e.campi = {{"velocita", r.velocita}, {"d_v", r.d_v}};
      break;
    case cella_prima_avviso:
      e.campi = {{"celle_dall_avviso", c.dato_1}, {"d_v", c.dato_2}};
      break;
    case cella_indicatore_velocita:
      indicatore(e, c);
      break;
    case cella_fermata:
    case cella_cartello:
      testo_di_voce(e, f, c.dato_1);
      break;
    case cella_controllo_velocita:
      e.campi = {{"velocita", c.dato_1}};
      break;
    case cella_lampada:
    case cella_abbattimento_nullo:
      break;
    default:
      e.campi = {
          {"dato_1", c.dato_1}, {"dato_2", c.dato_2}, {"dato_3", c.dato_3}, {"dato_4", c.dato_4}};
      break;
  }
}

const cella* cella_in(const file_letti& f, int64_t i) {
  if (i < 0 || i >= static_cast<int64_t>(f.percorso.size())) return nullptr;
  return &f.percorso[static_cast<std::size_t>(i)];
}

bool ha_tipo(const file_letti& f, int64_t i, uint8_t tipo) {
  const cella* c = cella_in(f, i);
  return c != nullptr && c->tipo == tipo;
}

// The warning board stands 1200 m before the start, the four kind-5 cells right behind it.
// Each walk to the end stops at the next start, so the cells are walked once in all.
std::vector<rallentamento_descritto> rallentamenti_di(const file_letti& f) {
  std::vector<rallentamento_descritto> r;
  const auto n = static_cast<int32_t>(f.percorso.size());
  for (int32_t s = 0; s < n; ++s) {
    const cella& c = f.percorso[static_cast<std::size_t>(s)];
    if (c.tipo != cella_inizio_rallentamento) continue;
    const valori_rallentamento v = leggi_valori_rallentamento(c);
    rallentamento_descritto d{s, s, v.velocita, v.d_v, v.f_tt, std::nullopt, 0};
    for (int32_t e = s + 1; e < n && !ha_tipo(f, e, cella_inizio_rallentamento); ++e) {
      if (ha_tipo(f, e, cella_fine_rallentamento)) {
        d.cella_fine = e;
        break;
      }
    }
    const int32_t w = s - celle_avviso;
    if (ha_tipo(f, w, cella_avviso_rallentamento)) {
      d.cella_avviso = w;
      for (int32_t k = 1; k <= celle_prima_avviso; ++k)
        d.celle_prima_avviso += ha_tipo(f, w - k, cella_prima_avviso);
    }
    r.push_back(d);
  }
  return r;
}

std::optional<int32_t> valore_strato(strato s, int32_t b) {
  switch (s) {
    // Byte 0 is where no limit and no gradient were filled in (the last three cells).
    case strato::velocita:
      return b == 0 ? std::nullopt : std::optional(b * 5);
    case strato::pendenza:
      return b == 0 ? std::nullopt : std::optional(b - 100);
    default:
      return b;
  }
}

uint8_t byte_strato(const cella& c, strato s) {
  switch (s) {
    case strato::velocita:
      return c.velocita;
    case strato::pendenza:
      return c.pendenza;
    case strato::aderenza:
      return c.aderenza;
    default:
      return c.galleria;
  }
}

// The tunnel name each slot's text gives, empty when it speaks of no tunnel: worked out once
// per slot, however many boards point at it.
std::array<std::string, numero_voci_stazione> nomi_gallerie(const file_letti& f) {
  std::array<std::string, numero_voci_stazione> nomi;
  for (std::size_t i = 0; i < nomi.size(); ++i) {
    const std::string testo = da_windows_1252(f.stazioni[i].nome);
    if (annuncia_galleria(testo)) nomi[i] = testo_cartello(testo);
  }
  return nomi;
}

// The cells of the signboards whose text speaks of a tunnel, in cell order, and their slot.
struct cartello_galleria {
  int32_t cella;
  int16_t slot;
};

std::vector<cartello_galleria> cartelli_galleria(
    const file_letti& f, const std::array<std::string, numero_voci_stazione>& nomi) {
  std::vector<cartello_galleria> t;
  for (std::size_t c = 0; c < f.percorso.size(); ++c) {
    const cella& x = f.percorso[c];
    if (x.tipo == cella_cartello && voce_in(f, x.dato_1) != nullptr &&
        !nomi[static_cast<std::size_t>(x.dato_1)].empty()) {
      t.push_back({static_cast<int32_t>(c), x.dato_1});
    }
  }
  return t;
}

conteggi conta(const file_letti& f, const descrizione& d) {
  conteggi n;
  n.stazioni = static_cast<int>(d.stazioni.size());
  n.rallentamenti = static_cast<int>(d.rallentamenti.size());
  per_ogni_tratto(f.percorso, strato::galleria, [&](const tratto_strato&) { ++n.gallerie; });
  if (f.tracciato) per_ogni_curva(*f.tracciato, [&](const curva_descritta&) { ++n.curve; });
  for (const cella& c : f.percorso) {
    n.segnali += c.tipo == cella_segnale;
    n.indicatori_velocita += c.tipo == cella_indicatore_velocita;
    n.cartelli += c.tipo == cella_cartello;
    n.controlli_velocita += c.tipo == cella_controllo_velocita;
    n.lampade += c.tipo == cella_lampada;
  }
  return n;
}

// The turn of the step into point i against the step before it: each computed step turns the
// direction by k and lengthens it by (1 + k^2)^(1/2), so the cross product of the two steps is
// -k times the square of the first. Nothing for a point next to an empty one.
std::optional<double> svolta(const tracciato_letto& t, std::size_t i) {
  for (std::size_t j = i - 2; j <= i; ++j) {
    if (t.x[j].etichetta == etichetta_vuoto || t.y[j].etichetta == etichetta_vuoto) {
      return std::nullopt;
    }
  }
  const double ax = t.x[i - 1].valore - t.x[i - 2].valore,
               ay = t.y[i - 1].valore - t.y[i - 2].valore;
  const double bx = t.x[i].valore - t.x[i - 1].valore, by = t.y[i].valore - t.y[i - 1].valore;
  const double k = -(ax * by - ay * bx) / (ax * ax + ay * ay);
  if (!std::isfinite(k)) return std::nullopt;
  return k;
}

// The class a turn belongs to: within a tenth of its curvature (the closest two classes are
// half apart); 0 for a turn of no class, -1 for the straight, which stays within a hundredth
// of the gentlest class (a straight step repeats the last one but for rounding).
int classe_di(double k) {
  const double a = std::abs(k);
  if (a < classi_curva[0].curvatura / 100) return -1;
  for (const classe_curva& c : classi_curva) {
    if (std::abs(a - c.curvatura) <= c.curvatura / 10) return c.classe;
  }
  return 0;
}

}  // namespace

std::string parola_curva(const curva_descritta& c) {
  if (c.classe == 0) return "";
  return std::string(c.sinistra ? "curvas" : "curvad") + std::to_string(c.classe);
}

int64_t raggio_curva(const curva_descritta& c) {
  return c.curvatura > 0 ? std::llround(1 / c.curvatura) : 0;
}

void per_ogni_curva(const tracciato_letto& t,
                    const std::function<void(const curva_descritta&)>& fai) {
  const std::size_t n = std::min(t.x.size(), t.y.size());
  std::optional<curva_descritta> aperta;
  const auto chiudi = [&] {
    if (aperta) fai(*aperta);
    aperta.reset();
  };
  for (std::size_t i = 2; i < n; ++i) {
    const std::optional<double> k = svolta(t, i);
    const int classe = k ? classe_di(*k) : -1;
    if (classe < 0) {
      chiudi();
      continue;
    }
    const bool sinistra = *k < 0;
    if (aperta && aperta->classe == classe && aperta->sinistra == sinistra) {
      ++aperta->lunghezza;
      continue;
    }
    chiudi();
    const double curvatura =
        classe > 0 ? classi_curva[static_cast<std::size_t>(classe - 1)].curvatura : std::abs(*k);
    aperta = curva_descritta{static_cast<int64_t>(i) - 1, 1, classe, sinistra, curvatura};
  }
  chiudi();
}

void per_ogni_tratto(const std::vector<cella>& p, strato s,
                     const std::function<void(const tratto_strato&)>& fai) {
  std::size_t i = 0;
  while (i < p.size()) {
    const uint8_t b = byte_strato(p[i], s);
    std::size_t fine = i;
    while (fine + 1 < p.size() && byte_strato(p[fine + 1], s) == b) ++fine;
    if (s != strato::galleria || b != 0) {
      fai({static_cast<int32_t>(i), static_cast<int32_t>(fine), b, valore_strato(s, b)});
    }
    i = fine + 1;
  }
}

// A tunnel is named by the signboard that announces it: the nearest one at most 300 m
// before its start (or on its first cells) that speaks of a tunnel. Tunnels and boards are
// both in cell order, so each window [start - 6, start + 1] is found by moving its two ends
// forward only.
void per_ogni_galleria(const file_letti& f,
                       const std::function<void(const galleria_descritta&)>& fai) {
  const auto nomi = nomi_gallerie(f);
  const std::vector<cartello_galleria> cartelli = cartelli_galleria(f, nomi);
  std::size_t da = 0, a = 0;
  per_ogni_tratto(f.percorso, strato::galleria, [&](const tratto_strato& t) {
    const int64_t prima = t.prima_cella;
    while (da < cartelli.size() && cartelli[da].cella < prima - 6) ++da;
    while (a < cartelli.size() && cartelli[a].cella <= prima + 1) ++a;
    galleria_descritta x{t.prima_cella, t.ultima_cella, t.byte, 0,
                         a > da ? nomi[static_cast<std::size_t>(cartelli[a - 1].slot)] : ""};
    for (int32_t c = t.prima_cella; c <= t.ultima_cella; ++c)
      x.lampade += ha_tipo(f, c, cella_lampada);
    fai(x);
  });
}

elemento_descritto descrivi_elemento(const file_letti& f, int32_t c) {
  const cella& x = f.percorso[static_cast<std::size_t>(c)];
  elemento_descritto e{c, metri_elemento(c), x.tipo, nome_genere(x.tipo), {}, {}, {}};
  valori_propri(e, f, x);
  return e;
}

descrizione descrivi(const file_letti& f, const std::string& linea, const std::string& treno,
                     bool con_elementi) {
  descrizione d;
  d.linea = linea;
  d.treno = treno;
  d.celle = static_cast<int32_t>(f.percorso.size());
  d.lunghezza_linea = f.stazioni[voce_treno_linea].fine;
  d.stazioni = stazioni_di(f);
  d.voci_linea = voci_linea_di(f);
  d.identita = identita_di(f, linea, treno);
  for (const cella& c : f.percorso) d.numero_elementi += c.tipo != cella_libera;
  if (con_elementi) {
    d.elementi.reserve(d.numero_elementi);
    per_ogni_elemento(f, [&](elemento_descritto e) { d.elementi.push_back(std::move(e)); });
  }
  d.rallentamenti = rallentamenti_di(f);
  if (con_elementi) {
    const auto in = [](std::vector<tratto_strato>& v) {
      return [&v](const tratto_strato& t) { v.push_back(t); };
    };
    per_ogni_tratto(f.percorso, strato::velocita, in(d.strati.velocita));
    per_ogni_tratto(f.percorso, strato::pendenza, in(d.strati.pendenza));
    per_ogni_tratto(f.percorso, strato::aderenza, in(d.strati.aderenza));
    per_ogni_tratto(f.percorso, strato::galleria, in(d.strati.galleria));
    per_ogni_galleria(f, [&](const galleria_descritta& g) { d.gallerie.push_back(g); });
  }
  d.tracciato = f.piano;
  d.numeri = conta(f, d);
  return d;
}

std::string testo_cartello(const std::string& t) {
  std::string r;
  bool spazio = false;
  for (char ch : t) {
    if (ch == '(' || ch == ')' || ch == ' ') {
      spazio = !r.empty();
      continue;
    }
    if (spazio) r += ' ';
    spazio = false;
    r += ch;
  }
  return r;
}

bool annuncia_galleria(const std::string& t) {
  std::string maiuscolo = t;
  for (char& ch : maiuscolo) ch = (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 32) : ch;
  return maiuscolo.find("GALLERIA") != std::string::npos;
}

std::vector<double> quote_profilo(const std::vector<cella>& percorso) {
  std::size_t n = percorso.size();
  while (n > 0 && percorso[n - 1].pendenza == 0) --n;
  std::vector<double> quote(n + 1, 0.0);
  for (std::size_t c = 0; c < n; ++c) {
    const int per_mille = percorso[c].pendenza == 0 ? 0 : percorso[c].pendenza - 100;
    quote[c + 1] = quote[c] + per_mille * 50.0 / 1000.0;
  }
  return quote;
}

}  // namespace scenario::strumento
