// Synthetic routes for the benchmarks: a line description and a train service of any length
// up to 1,000,000 m, with the shipped route's density of records, that compile without error.
// The route repeats one 6 km block (curves, gradients, tunnels, a speed-indicator board,
// speed limits, four signals 1.5 km apart, now and then a slow order); stations and
// signboards are spread evenly over the whole route, at most 20 and 30 of them, so that
// station slots 1 upward and board-text slots 80 downward never meet. Header-only, so that
// the test binary can check it without linking anything of bench/.
#ifndef BENCH_GENERATORE_H_
#define BENCH_GENERATORE_H_

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace scenario::banco {

inline constexpr int32_t lunghezza_blocco = 6000;
inline constexpr int massimo_stazioni = 20;
inline constexpr int massimo_cartelli = 30;

struct sorgenti_generate {
  std::string linea;  // the line description text, lines ended by CR LF
  std::string treno;  // the train service text
};

namespace dettaglio {

// A text built line by line, each line ended by CR LF.
class testo_crlf {
 public:
  // The first field, then each number after a comma.
  testo_crlf& riga(const std::string& chiave, std::initializer_list<int64_t> numeri = {}) {
    testo_ += chiave;
    for (const int64_t n : numeri) (testo_ += ",  ") += std::to_string(n);
    testo_ += "\r\n";
    return *this;
  }
  std::string& testo() { return testo_; }

 private:
  std::string testo_;
};

// Start of every block that begins inside the route.
inline std::vector<int32_t> inizi_blocchi(int32_t lunghezza) {
  std::vector<int32_t> b;
  for (int32_t inizio = 0; inizio < lunghezza; inizio += lunghezza_blocco) b.push_back(inizio);
  return b;
}

// `quanti` of the candidate positions, spread evenly from the first.
inline std::vector<int32_t> sparsi(const std::vector<int32_t>& posti, std::size_t quanti) {
  std::vector<int32_t> scelti;
  quanti = std::min(quanti, posti.size());
  for (std::size_t i = 0; i < quanti; ++i) scelti.push_back(posti[i * posti.size() / quanti]);
  return scelti;
}

// Candidate positions at the given offsets of every block, each ending `estensione` metres
// further on and kept when that end stays 100 m inside the route.
inline std::vector<int32_t> posti(int32_t lunghezza, std::initializer_list<int32_t> scostamenti,
                                  int32_t estensione) {
  std::vector<int32_t> p;
  for (const int32_t b : inizi_blocchi(lunghezza)) {
    for (const int32_t s : scostamenti) {
      if (b + s + estensione <= lunghezza - 100) p.push_back(b + s);
    }
  }
  return p;
}

// Stations: one per 4 km as on the shipped line, at most 20, at offsets 0 and 3000.
inline std::vector<int32_t> posti_stazioni(int32_t lunghezza) {
  const auto quante =
      std::clamp<std::size_t>(static_cast<std::size_t>(lunghezza / 4000), 1, massimo_stazioni);
  return sparsi(posti(lunghezza, {0, 3000}, 450), quante);
}

// Signboards: one per 2.7 km as on the shipped line, at most 30, before the tunnels.
inline std::vector<int32_t> posti_cartelli(int32_t lunghezza) {
  const auto quanti =
      std::clamp<std::size_t>(static_cast<std::size_t>(lunghezza / 2700), 1, massimo_cartelli);
  return sparsi(posti(lunghezza, {1100, 4400}, 0), quanti);
}

inline void generale_linea(testo_crlf& t, int32_t lunghezza) {
  t.riga("[generale]").riga("lunghezza percorso", {lunghezza});
  for (const char* n : {"uno", "due", "tre"}) {
    t.riga(std::string("progressiva chilometrica ") + n, {0, 0, 0});
  }
  t.riga("sfondo uno", {1}).riga("sfondo due", {31000}).riga("sfondo tre", {0});
  const int32_t fine_ripetizione = lunghezza >= 4000 ? (lunghezza - 2500) / 50 * 50 : 0;
  t.riga("ripetizione segnali 4 codici", {1500, fine_ripetizione});
}

// Three curves a block, alternating sides and classes 4 and 5, about a sixth of the line.
inline void curve(testo_crlf& t, int32_t lunghezza) {
  static constexpr std::pair<int32_t, int32_t> tratti[] = {{1000, 300}, {2600, 300}, {4300, 400}};
  t.riga("[curve]");
  int k = 0;
  for (const int32_t b : inizi_blocchi(lunghezza)) {
    for (const auto& [scostamento, tratto] : tratti) {
      const int32_t p = b + scostamento;
      if (p + tratto > lunghezza - 100) continue;
      const std::string lato = k % 2 == 0 ? "curvad" : "curvas";
      t.riga(lato + (k % 3 == 2 ? "5" : "4"), {p, tratto});
      ++k;
    }
  }
}

inline void pendenze(testo_crlf& t, int32_t lunghezza) {
  static constexpr int32_t valori[] = {5, -4, 0, 3, -6, 0, 10, 2, 0};
  t.riga("[pendenze]").riga("pendenza", {0, 0});
  int k = 0;
  for (const int32_t b : inizi_blocchi(lunghezza)) {
    for (const int32_t s : {500, 2500, 4500}) {
      if (b + s <= lunghezza - 100) t.riga("pendenza", {b + s, valori[k++ % 9]});
    }
  }
}

// Two tunnels a block, both with lamps.
inline void montagne(testo_crlf& t, int32_t lunghezza) {
  t.riga("[montagne]");
  for (const int32_t b : inizi_blocchi(lunghezza)) {
    if (b + 1800 <= lunghezza - 100) t.riga("montagna", {b + 1200, b + 1800, 12});
    if (b + 4900 <= lunghezza - 100) t.riga("montagna", {b + 4500, b + 4900, 11});
  }
}

inline void cartelli(testo_crlf& t, int32_t lunghezza) {
  t.riga("[cartelli]");
  for (const int32_t b : inizi_blocchi(lunghezza)) {
    if (b + 400 > lunghezza - 100) continue;
    t.testo() +=
        "indicatori_vmax,  " + std::to_string(b + 400) + ",  105,  110,  130,  0,  ,  ,  ,  0\r\n";
  }
  t.riga("[indicazioni]");
  int n = 0;
  for (const int32_t p : posti_cartelli(lunghezza)) {
    t.testo() += "cartello_indicatore,  " + std::to_string(p) + ",   (GALLERIA   )(NUMERO " +
                 std::to_string(++n) + ")(m 600      )\r\n";
  }
}

inline std::string genera_linea(int32_t lunghezza) {
  testo_crlf t;
  generale_linea(t, lunghezza);
  curve(t, lunghezza);
  pendenze(t, lunghezza);
  montagne(t, lunghezza);
  cartelli(t, lunghezza);
  t.riga("[fine]");
  return std::move(t.testo());
}

inline void generale_treno(testo_crlf& t, int32_t lunghezza) {
  t.riga("[generale]").riga("numero vetture", {8}).riga("percentuale massa frenata", {130});
  t.riga("sabbia", {250}).riga("orologio,    11              54            0 ");
  t.riga("[aderenze]").riga("aderenza", {0, 100});
  t.riga("[vel_limite]").riga("velocita", {0, 60});
  for (const int32_t b : inizi_blocchi(lunghezza)) {
    if (b + 1000 <= lunghezza - 100) t.riga("velocita", {b + 1000, 130});
    if (b + 4000 <= lunghezza - 100) t.riga("velocita", {b + 4000, 110});
  }
}

// Every third station is a larger one (type 12, 800 m); the others are stops (type 24,
// 600 m). The timetable runs at 30 m/s from 11:55.
inline void stazioni(testo_crlf& t, int32_t lunghezza) {
  t.riga("[stazioni]");
  int n = 0;
  for (const int32_t p : posti_stazioni(lunghezza)) {
    const bool grande = n % 3 == 0;
    const int32_t orario = (11 * 60 + 55) * 60 + p / 30;
    const std::string valori = grande ? ", 12,  800,  1, 1, 1,  4,1,1,  2,1,1,   60,  "
                                      : ", 24,  600,  0, 0, 0,  0,0,0,  4,1,1,    0,  ";
    t.testo() += "stazione,  " + std::to_string(p) + valori + std::to_string(orario / 3600) + "," +
                 std::to_string(orario / 60 % 60) + "," + std::to_string(orario % 60) +
                 ", STAZIONE " + std::to_string(++n) + "\r\n";
  }
}

// A slow order in every eighth block from the second on; four signals 1.5 km apart.
inline void rallentamenti_e_segnali(testo_crlf& t, int32_t lunghezza) {
  t.riga("[rallentamenti]");
  const auto blocchi = inizi_blocchi(lunghezza);
  for (std::size_t k = 1; k < blocchi.size(); k += 8) {
    const int32_t x = blocchi[k] + 2600;
    if (x + 200 <= lunghezza - 100) t.riga("rallentamento", {x, 50, 200, 0, 1, 0});
  }
  t.riga("[segnali]");
  for (const int32_t b : blocchi) {
    for (const int32_t s : {650, 2150, 3650, 5150}) {
      if (b + s <= lunghezza - 100) t.riga("segnale", {b + s, 2, 4, 0, 0, 0, 0, 0, 0, 0, 0});
    }
  }
}

inline std::string genera_treno(int32_t lunghezza) {
  testo_crlf t;
  generale_treno(t, lunghezza);
  stazioni(t, lunghezza);
  rallentamenti_e_segnali(t, lunghezza);
  t.riga("[codici]").riga("[fine]");
  return std::move(t.testo());
}

}  // namespace dettaglio

// The two sources of a route of `lunghezza` metres (2,000 to 1,000,000). Every curve ends
// more than 100 m before the end of the line, so the curved part of the track plan stays
// below its 1,000,000-point limit even at the longest length.
inline sorgenti_generate genera_sorgenti(int32_t lunghezza) {
  return {dettaglio::genera_linea(lunghezza), dettaglio::genera_treno(lunghezza)};
}

}  // namespace scenario::banco

#endif  // BENCH_GENERATORE_H_
