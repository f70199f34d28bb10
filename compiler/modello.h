// The scenario model: route cells, the station table, the track plan, the tunnel lists and
// the compiler's state. One `modello` holds a whole compilation; every procedure of the
// compiler receives it by reference, so nothing lives in global variables.
#ifndef COMPILER_MODELLO_H_
#define COMPILER_MODELLO_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "compiler/memoria_popolata.h"

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

// Special slots of the station table.
inline constexpr int voce_progressiva_tre = 81;
inline constexpr int voce_progressiva_due = 82;
inline constexpr int voce_progressiva_uno = 83;
inline constexpr int voce_treno_linea = 84;
inline constexpr int voce_linea = 85;
inline constexpr int voce_treno = 86;
inline constexpr int primo_posto_cartello = 80;

// The plan-view polyline, one point per metre. Its element tags follow from how it is
// built: points 0 and 1 are the 16-bit seeds, points 2 up to `calcolati` - 1 are doubles
// computed in order, every later point is empty. So two vectors of doubles and two
// counters describe it exactly, without a tag per element.
struct punti_tracciato {
  enum class etichetta : uint8_t { vuoto, intero, reale };

  using valori = std::vector<double, memoria_popolata<double>>;
  valori x;  // size lunghezza_estesa + 1 once created
  valori y;
  bool seminato = false;
  int64_t calcolati = 2;  // first point not yet computed (the parser's `indice_tracciato`)

  bool creato() const { return !x.empty(); }
  int64_t ultimo_indice() const { return static_cast<int64_t>(x.size()) - 1; }
  etichetta tipo_punto(int64_t i) const {
    if (i < 2) return seminato ? etichetta::intero : etichetta::vuoto;
    return i < calcolati ? etichetta::reale : etichetta::vuoto;
  }
};

struct modello {
  std::string nome_linea = "ARONA_DOMODOSSOLA";
  std::string numero_treno = "324";

  std::vector<cella> percorso;  // cells 0 to ultima_cella; empty until a length is read
  std::array<voce_stazione, numero_voci_stazione> tabella_stazioni{};
  punti_tracciato tracciato;

  // Tunnel limits; index 0 is never used, tunnel n stands at index n.
  std::vector<int32_t> inizio_galleria = std::vector<int32_t>(81, 0);
  std::vector<int32_t> fine_galleria = std::vector<int32_t>(81, 0);
  int32_t numero_gallerie = 0;

  int32_t scrivi_linea = 0;
  int32_t codice_errore = 0;
  int32_t posizione_errore = 0;
  int32_t lunghezza_estesa = 0;
  int32_t ultima_cella = -1;
  std::string riga;

  // Next free board-text slot, handed from the line half to the train half.
  int32_t posto_cartello = primo_posto_cartello;

  // Where reading stands, for authors: source and 1-based line of the last keyword read;
  // and where it stood when a parser last recorded a code.
  std::string sorgente_corrente;
  int32_t riga_sorgente = 0;
  std::string sorgente_errore;
  int32_t riga_errore = 0;
  void segna_luogo_errore() {
    sorgente_errore = sorgente_corrente;
    riga_errore = riga_sorgente;
  }

  bool percorso_creato() const { return !percorso.empty(); }
};

}  // namespace scenario

#endif  // COMPILER_MODELLO_H_
