// What the cells of a slow order hold: start and end, the warning board 1200 m before the
// start, the four cells behind the board, and the speed checks placed around it.
#ifndef COMPILER_FORMATO_RALLENTAMENTO_H_
#define COMPILER_FORMATO_RALLENTAMENTO_H_

#include <cstdint>

#include "compiler/modello.h"

namespace scenario {

inline constexpr int32_t metri_avviso = 1200;
inline constexpr int32_t celle_avviso = 24;  // metri_avviso in cells
inline constexpr int32_t celle_prima_avviso = 4;

// dato_1 of a speed check placed by the post-processing pass.
inline constexpr int16_t valore_controllo_velocita = 180;

struct valori_rallentamento {
  int32_t velocita = 0;
  int32_t d_v = 0;
  int32_t f_tt = 0;
  bool operator==(const valori_rallentamento&) const = default;
};

// Start or end cell (tipo 3 or 2): speed in dato_1, d_v in dato_2 when it is not 0, f_tt in
// dato_3, each its low 16 bits.
void scrivi_estremo_rallentamento(cella& c, tipo_cella tipo, const valori_rallentamento& v);

// Warning board (tipo 4): speed and d_v as above; dato_3 is left alone.
void scrivi_avviso_rallentamento(cella& c, const valori_rallentamento& v);

// The k-th cell behind the board (tipo 5, k = 1..4): k in dato_1, and in dato_2 when the
// slow order has a d_v.
void scrivi_prima_avviso(cella& c, int16_t k, bool con_d_v);

// The values of any of these cells as they are stored.
valori_rallentamento leggi_valori_rallentamento(const cella& c);

}  // namespace scenario

#endif  // COMPILER_FORMATO_RALLENTAMENTO_H_
