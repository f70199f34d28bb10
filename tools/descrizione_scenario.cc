// Decoding of the compiled files: every packed value is unpacked with the packing rule of the
// procedure that wrote it, and the layers are merged into runs of equal bytes.
#include "tools/descrizione_scenario.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>

#include "compiler/nomi_file.h"

namespace scenario::strumento {
namespace {

std::optional<std::string> contenuto_file(const std::filesystem::path& p, bool facoltativo) {
  std::error_code e;
  const auto stato = std::filesystem::status(p, e);
  if (!std::filesystem::exists(stato)) {
    if (facoltativo) return std::nullopt;
    throw file_illeggibile(p.string() + ": not found");
  }
  if (!std::filesystem::is_regular_file(stato)) {
    throw file_illeggibile(p.string() + ": not a regular file");
  }
  std::ifstream in(p, std::ios::binary);
  std::string byte((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.is_open() || in.bad()) throw file_illeggibile(p.string() + ": cannot be read");
  return byte;
}

template <typename F>
auto letto(const std::filesystem::path& p, const std::string& byte, F lettore) {
  try {
    return lettore(byte);
  } catch (const formato_non_valido& e) {
    throw file_illeggibile(p.string() + ": damaged file: " + e.what());
  }
}

}  // namespace

file_letti leggi_file_scenario(const std::filesystem::path& cartella, const std::string& linea,
                               const std::string& treno) {
  file_letti f;
  const auto percorso = cartella / nome_percorso(linea, treno);
  const auto stazioni = cartella / nome_stazioni(linea, treno);
  const auto tracciato = cartella / nome_tracciato(linea);
  f.percorso = letto(percorso, *contenuto_file(percorso, false),
                     [](std::string_view b) { return leggi_percorso(b); });
  f.stazioni = letto(stazioni, *contenuto_file(stazioni, false),
                     [](std::string_view b) { return leggi_stazioni(b); });
  if (const auto b = contenuto_file(tracciato, true)) {
    f.tracciato = letto(tracciato, *b, [](std::string_view t) { return leggi_tracciato(t); });
  }
  return f;
}

std::string da_windows_1252(std::string_view testo) {
  // 0x80 to 0x9F; the five bytes without a character keep their C1 code point.
  static constexpr char32_t alti[32] = {
      0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
  std::string u;
  for (char ch : testo) {
    const auto b = static_cast<unsigned char>(ch);
    const char32_t c = (b >= 0x80 && b < 0xA0) ? alti[b - 0x80] : char32_t{b};
    if (c < 0x80) {
      u += static_cast<char>(c);
    } else if (c < 0x800) {
      u += static_cast<char>(0xC0 | (c >> 6));
      u += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      u += static_cast<char>(0xE0 | (c >> 12));
      u += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      u += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return u;
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

// Stations fill the slots from 1 upward without a gap.
std::vector<stazione_descritta> stazioni_di(const file_letti& f) {
  std::vector<stazione_descritta> s;
  for (int slot = 1; slot <= primo_posto_cartello; ++slot) {
    const voce_stazione& v = f.stazioni[static_cast<std::size_t>(slot)];
    if (voce_vuota(v)) break;
    stazione_descritta d{slot, da_windows_1252(v.nome), v, std::nullopt};
    for (std::size_t c = 0; c < f.percorso.size(); ++c) {
      if (f.percorso[c].tipo == cella_fermata && f.percorso[c].dato_1 == slot) {
        d.cella_fermata = static_cast<int32_t>(c);
        break;
      }
    }
    s.push_back(std::move(d));
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

// Each aspect value packs the left group's digit times 10 plus the right group's digit;
// dato_4 packs rapp times 10 plus sx times 3 plus dx.
void segnale(elemento_descritto& e, const cella& c) {
  const int resto = c.dato_4 % 10;
  e.campi = {{"sx", resto / 3},       {"s1", c.dato_1 / 10},
             {"s2", c.dato_2 / 10},   {"s3", c.dato_3 / 10},
             {"dx", resto % 3},       {"d1", c.dato_1 % 10},
             {"d2", c.dato_2 % 10},   {"d3", c.dato_3 % 10},
             {"rapp", c.dato_4 / 10}, {"tempo_segnale", c.tempo_segnale}};
}

// A board value packs the first group's speed times 20 plus the second group's speed / 5.
void indicatore(elemento_descritto& e, const cella& c) {
  e.campi = {{"vas", c.dato_1 / 20},      {"vbs", c.dato_2 / 20},     {"vcs", c.dato_3 / 20},
             {"strisces", c.dato_4 / 10}, {"vad", c.dato_1 % 20 * 5}, {"vbd", c.dato_2 % 20 * 5},
             {"vcd", c.dato_3 % 20 * 5},  {"strisced", c.dato_4 % 10}};
}

void testo_di_voce(elemento_descritto& e, const file_letti& f, int16_t slot) {
  e.campi.push_back({"slot", slot});
  if (const voce_stazione* v = voce_in(f, slot)) {
    e.testo = da_windows_1252(v->nome);
  } else {
    e.avviso = "slot " + std::to_string(slot) + " is outside the station table";
  }
}

elemento_descritto elemento(const file_letti& f, int32_t indice) {
  const cella& c = f.percorso[static_cast<std::size_t>(indice)];
  elemento_descritto e{indice, metri_elemento(indice), c.tipo, {}, {}, {}, {}};
  switch (c.tipo) {
    case cella_segnale:
      e.genere = "segnale";
      segnale(e, c);
      break;
    case cella_fine_rallentamento:
    case cella_inizio_rallentamento:
      e.genere =
          c.tipo == cella_inizio_rallentamento ? "inizio_rallentamento" : "fine_rallentamento";
      e.campi = {{"velocita", c.dato_1}, {"d_v", c.dato_2}, {"f_tt", c.dato_3}};
      break;
    case cella_avviso_rallentamento:
      e.genere = "avviso_rallentamento";
      e.campi = {{"velocita", c.dato_1}, {"d_v", c.dato_2}};
      break;
    case cella_prima_avviso:
      e.genere = "prima_avviso";
      e.campi = {{"celle_dall_avviso", c.dato_1}, {"d_v", c.dato_2}};
      break;
    case cella_indicatore_velocita:
      e.genere = "indicatore_velocita";
      indicatore(e, c);
      break;
    case cella_fermata:
      e.genere = "fermata";
      testo_di_voce(e, f, c.dato_1);
      break;
    case cella_lampada:
      e.genere = "lampada";
      break;
    case cella_controllo_velocita:
      e.genere = "controllo_velocita";
      e.campi = {{"velocita", c.dato_1}};
      break;
    case cella_abbattimento_nullo:
      e.genere = "abbattimento_nullo";
      break;
    case cella_cartello:
      e.genere = "cartello";
      testo_di_voce(e, f, c.dato_1);
      break;
    default:
      e.genere = "sconosciuto";
      e.campi = {
          {"dato_1", c.dato_1}, {"dato_2", c.dato_2}, {"dato_3", c.dato_3}, {"dato_4", c.dato_4}};
      break;
  }
  return e;
}

const cella* cella_in(const file_letti& f, int64_t i) {
  if (i < 0 || i >= static_cast<int64_t>(f.percorso.size())) return nullptr;
  return &f.percorso[static_cast<std::size_t>(i)];
}

bool ha_tipo(const file_letti& f, int64_t i, uint8_t tipo) {
  const cella* c = cella_in(f, i);
  return c != nullptr && c->tipo == tipo;
}

// The warning board stands 1200 m (24 cells) before the start, the four kind-5 cells
// right behind it.
std::vector<rallentamento_descritto> rallentamenti_di(const file_letti& f) {
  std::vector<rallentamento_descritto> r;
  const auto n = static_cast<int32_t>(f.percorso.size());
  for (int32_t s = 0; s < n; ++s) {
    const cella& c = f.percorso[static_cast<std::size_t>(s)];
    if (c.tipo != cella_inizio_rallentamento) continue;
    rallentamento_descritto d{s, s, c.dato_1, c.dato_2, c.dato_3, std::nullopt, 0};
    for (int32_t e = s + 1; e < n && !ha_tipo(f, e, cella_inizio_rallentamento); ++e) {
      if (ha_tipo(f, e, cella_fine_rallentamento)) {
        d.cella_fine = e;
        break;
      }
    }
    const int32_t w = s - 24;
    if (ha_tipo(f, w, cella_avviso_rallentamento)) {
      d.cella_avviso = w;
      for (int32_t k = 1; k <= 4; ++k)
        d.celle_prima_avviso += ha_tipo(f, w - k, cella_prima_avviso);
    }
    r.push_back(d);
  }
  return r;
}

template <typename V>
std::vector<tratto_strato> tratti(const std::vector<cella>& p, uint8_t cella::*campo, V valore) {
  std::vector<tratto_strato> t;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const int32_t b = p[i].*campo;
    if (!t.empty() && t.back().byte == b) {
      t.back().ultima_cella = static_cast<int32_t>(i);
    } else {
      t.push_back({static_cast<int32_t>(i), static_cast<int32_t>(i), b, valore(b)});
    }
  }
  return t;
}

strati_descritti strati_di(const std::vector<cella>& p) {
  strati_descritti s;
  // Byte 0 is where no limit and no gradient were filled in (the last three cells).
  s.velocita = tratti(p, &cella::velocita,
                      [](int32_t b) { return b == 0 ? std::nullopt : std::optional(b * 5); });
  s.pendenza = tratti(p, &cella::pendenza,
                      [](int32_t b) { return b == 0 ? std::nullopt : std::optional(b - 100); });
  s.aderenza = tratti(p, &cella::aderenza, [](int32_t b) { return std::optional(b); });
  for (const tratto_strato& t :
       tratti(p, &cella::galleria, [](int32_t b) { return std::optional(b); })) {
    if (t.byte != 0) s.galleria.push_back(t);
  }
  return s;
}

// "(GALLERIA DI)(ARONA      )(m 670      )" -> "GALLERIA DI ARONA m 670".
std::string testo_pulito(const std::string& t) {
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

bool nomina_galleria(const std::string& t) {
  std::string maiuscolo = t;
  for (char& ch : maiuscolo) ch = (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 32) : ch;
  return maiuscolo.find("GALLERIA") != std::string::npos;
}

// A tunnel is named by the signboard that announces it: the nearest one at most 300 m
// before its start (or on its first cells) that speaks of a tunnel.
std::string nome_galleria(const std::vector<elemento_descritto>& elementi, int32_t prima) {
  std::string nome;
  for (const elemento_descritto& e : elementi) {
    if (e.genere == "cartello" && e.cella >= prima - 6 && e.cella <= prima + 1 &&
        nomina_galleria(e.testo)) {
      nome = testo_pulito(e.testo);
    }
  }
  return nome;
}

std::vector<galleria_descritta> gallerie_di(const file_letti& f, const descrizione& d) {
  std::vector<galleria_descritta> g;
  for (const tratto_strato& t : d.strati.galleria) {
    galleria_descritta x{t.prima_cella, t.ultima_cella, t.byte, 0,
                         nome_galleria(d.elementi, t.prima_cella)};
    for (int32_t c = t.prima_cella; c <= t.ultima_cella; ++c)
      x.lampade += ha_tipo(f, c, cella_lampada);
    g.push_back(std::move(x));
  }
  return g;
}

tracciato_descritto tracciato_di(const file_letti& f) {
  tracciato_descritto t;
  if (!f.tracciato) return t;
  t.presente = true;
  t.punti = f.tracciato->x.size();
  for (const auto* meta : {&f.tracciato->x, &f.tracciato->y}) {
    for (const punto_letto& p : *meta) {
      t.interi += p.etichetta == etichetta_intero;
      t.reali += p.etichetta == etichetta_reale;
      t.vuoti += p.etichetta == etichetta_vuoto;
    }
  }
  return t;
}

conteggi conta(const descrizione& d) {
  conteggi n;
  n.stazioni = static_cast<int>(d.stazioni.size());
  n.rallentamenti = static_cast<int>(d.rallentamenti.size());
  n.gallerie = static_cast<int>(d.gallerie.size());
  for (const elemento_descritto& e : d.elementi) {
    n.segnali += e.tipo == cella_segnale;
    n.indicatori_velocita += e.tipo == cella_indicatore_velocita;
    n.cartelli += e.tipo == cella_cartello;
    n.controlli_velocita += e.tipo == cella_controllo_velocita;
    n.lampade += e.tipo == cella_lampada;
  }
  return n;
}

}  // namespace

descrizione descrivi(const file_letti& f, const std::string& linea, const std::string& treno) {
  descrizione d;
  d.linea = linea;
  d.treno = treno;
  d.celle = static_cast<int32_t>(f.percorso.size());
  d.lunghezza_linea = f.stazioni[voce_treno_linea].fine;
  d.stazioni = stazioni_di(f);
  d.voci_linea = voci_linea_di(f);
  d.identita = identita_di(f, linea, treno);
  for (int32_t i = 0; i < d.celle; ++i) {
    if (f.percorso[static_cast<std::size_t>(i)].tipo != cella_libera)
      d.elementi.push_back(elemento(f, i));
  }
  d.rallentamenti = rallentamenti_di(f);
  d.strati = strati_di(f.percorso);
  d.gallerie = gallerie_di(f, d);
  d.tracciato = tracciato_di(f);
  d.numeri = conta(d);
  return d;
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
