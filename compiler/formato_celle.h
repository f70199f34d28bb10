// Where a cell lies on the line and what its kind is called: the metre-to-cell rules of the
// compiler and their inverse, and the one table of cell-kind names for every reader.
#ifndef COMPILER_FORMATO_CELLE_H_
#define COMPILER_FORMATO_CELLE_H_

#include <cstdint>
#include <string>

namespace scenario {

// Round to nearest, ties to even, as std::nearbyint does in the default rounding mode, but
// without the maths library, whose loading was most of the programs' start-up beyond the C
// library's: below 2^52 adding 2^52 leaves a double with no fraction bits, so the addition
// itself rounds, and removing it again is exact; from 2^52 up every double is whole.
inline double intero_piu_vicino(double v) {
  constexpr double due_alla_52 = 4503599627370496.0;
  if (!(v > -due_alla_52 && v < due_alla_52)) return v;
  return v < 0 ? (v - due_alla_52) + due_alla_52 : (v + due_alla_52) - due_alla_52;
}

// One cell stands for 50 m of line, and the route's cells run this far past the line's end.
inline constexpr int32_t metri_per_cella = 50;
inline constexpr int32_t metri_oltre_la_fine = 7000;

// The route's last cell for a line of `lunghezza` metres: (L + 7000) / 50, rounded half to even.
inline int64_t ultima_cella_di(int64_t lunghezza) {
  return static_cast<int64_t>(
      intero_piu_vicino(static_cast<double>(lunghezza + metri_oltre_la_fine) / metri_per_cella));
}

// The cell of a point feature at p metres: p / 50 + 1, rounded half to even.
inline int64_t cella_di(int64_t p) {
  return static_cast<int64_t>(intero_piu_vicino(static_cast<double>(p) / metri_per_cella + 1.0));
}

// The cell where a step value changing at p takes effect: p / 50, rounded half to even.
inline int64_t cella_senza_uno(int64_t p) {
  return static_cast<int64_t>(intero_piu_vicino(static_cast<double>(p) / metri_per_cella));
}

// The last cell of a range ending at p metres: p / 50 - 1, rounded half to even (not the same
// as one less than the rounded p / 50 when p / 50 ends in .5).
inline int64_t cella_prima_di(int64_t p) {
  return static_cast<int64_t>(intero_piu_vicino(static_cast<double>(p) / metri_per_cella - 1.0));
}

// The inverses: the metre of a point feature in cell c, and the metre where layer cell c begins.
inline constexpr int64_t metri_elemento(int64_t c) { return (c - 1) * metri_per_cella; }
inline constexpr int64_t metri_strato(int64_t c) { return c * metri_per_cella; }

// The model's name of a cell kind ("segnale", "cartello", ...), "sconosciuto" for a code no
// writer uses; and its English description for people ("signal", "unknown kind 9", ...).
const char* nome_genere(uint8_t tipo);
std::string descrizione_genere(uint8_t tipo);

}  // namespace scenario

#endif  // COMPILER_FORMATO_CELLE_H_
