// The scenario model: route cells, the station table and the track plan, gathered in the
// compiled scenario that a compile returns and the binary files hold.
#ifndef COMPILER_MODELLO_H_
#define COMPILER_MODELLO_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace scenario {

// One cell stands for 50 m of line. Fields 1 to 5 describe at most one point feature;
// the last six are independent layers.
struct cella {
  uint8_t tipo = 0;
  int16_t dato_1 = 0;
  int16_t dato_2 = 0;
  int16_t dato_3 = 0;
  int16_t dato_4 = 0;
  uint8_t tempo_segnale = 0;
  uint8_t preavviso = 0;
  uint8_t galleria = 0;
  uint8_t velocita = 0;
  uint8_t pendenza = 0;
  uint8_t aderenza = 0;

  bool operator==(const cella&) const = default;
};

// Kind codes of `cella::tipo`.
enum tipo_cella : uint8_t {
  cella_libera = 0,
  cella_segnale = 1,
  cella_fine_rallentamento = 2,
  cella_inizio_rallentamento = 3,
  cella_avviso_rallentamento = 4,
  cella_prima_avviso = 5,
  cella_indicatore_velocita = 6,
  cella_fermata = 10,
  cella_lampada = 11,
  cella_controllo_velocita = 12,
  cella_abbattimento_nullo = 13,
  cella_cartello = 14,
};

// A cell takes a new point feature only when empty or when it holds a tunnel lamp.
inline bool libera(const cella& c) { return c.tipo == cella_libera || c.tipo == cella_lampada; }

struct voce_stazione {
  uint8_t tipo = 0;
  int32_t inizio = 0;
  int32_t fine = 0;
  int32_t posizione = 0;
  uint8_t opzione = 0;
  std::string nome;  // single-byte Windows-1252 text, as read from the source
  int16_t intero_1 = 0;
  int16_t intero_2 = 0;
  int16_t intero_3 = 0;
  int16_t intero_4 = 0;
  int16_t intero_5 = 0;
  uint8_t byte_1 = 0;
  uint8_t byte_2 = 0;
  uint8_t byte_3 = 0;
  uint8_t byte_4 = 0;
  int32_t orario = 0;

  bool operator==(const voce_stazione&) const = default;
};

inline constexpr int numero_voci_stazione = 87;

// The longest line (code 1 beyond it) and the most points the track plan may reach (code 103).
inline constexpr int32_t lunghezza_massima = 1'000'000;
inline constexpr int64_t punti_massimi_tracciato = 1'000'000;

// Special slots of the station table.
inline constexpr int voce_progressiva_tre = 81;
inline constexpr int voce_progressiva_due = 82;
inline constexpr int voce_progressiva_uno = 83;
inline constexpr int voce_treno_linea = 84;
inline constexpr int voce_linea = 85;
inline constexpr int voce_treno = 86;
inline constexpr int primo_posto_cartello = 80;

// The plan-view polyline, one point per metre, as the parser records it: its last index,
// whether points 0 and 1 got their 16-bit seeds, and the runs of computed points in order.
// Points 2 up to `calcolati()` - 1 are doubles computed one after another, each run turning
// by its curvature k per metre (0 on the straight); every later point is empty. The points
// themselves are computed only as they are needed (compiler/punti_tracciato.h), so what the
// plan holds grows with its records, not with the route's length.
struct tracciato_compilato {
  enum class etichetta : uint8_t { vuoto, intero, reale };
  struct tratto {
    int64_t fino_a;  // the run's last point
    double k;
  };

  int64_t ultimo = -1;  // lunghezza_estesa once created
  bool seminato = false;
  std::vector<tratto> tratti;

  bool creato() const { return ultimo >= 0; }
  int64_t ultimo_indice() const { return ultimo; }
  // First point not yet computed (the parser's `indice_tracciato`).
  int64_t calcolati() const { return tratti.empty() ? 2 : tratti.back().fino_a + 1; }
  // The points up to `fino_a` are computed with curvature k; nothing when they already are.
  void avanza(int64_t fino_a, double k) {
    if (calcolati() <= fino_a) tratti.push_back({fino_a, k});
  }
  etichetta tipo_punto(int64_t i) const {
    if (i < 2) return seminato ? etichetta::intero : etichetta::vuoto;
    return i < calcolati() ? etichetta::reale : etichetta::vuoto;
  }
};

// The compiled scenario: what the three writers write and the readers give back. A compile
// produces it from the two texts; nothing of the parse that built it stays in it.
struct scenario_compilato {
  std::vector<cella> percorso;  // cells 0 to ultima_cella(); empty until a length is read
  std::array<voce_stazione, numero_voci_stazione> tabella_stazioni{};
  tracciato_compilato tracciato;  // points 0 to lunghezza_estesa; empty without the plan option

  int32_t ultima_cella() const { return static_cast<int32_t>(percorso.size()) - 1; }
};

}  // namespace scenario

#endif  // COMPILER_MODELLO_H_
