// Whole-number helpers shared by the parsers, the recording procedures and the pass:
// rounding half to even, and the narrowing rules of the model's fields.
#ifndef COMPILER_ARITMETICA_H_
#define COMPILER_ARITMETICA_H_

#include <cstdint>
#include <limits>
#include <optional>

#include "compiler/formato_celle.h"

namespace scenario {

// Every real-to-whole conversion rounds to nearest with ties to even (2.5 gives 2).
inline int64_t arrotonda(double valore) { return static_cast<int64_t>(intero_piu_vicino(valore)); }

// Low bits kept by plain stores into 8-bit and 16-bit fields.
inline uint8_t byte_basso(int64_t v) {
  return static_cast<uint8_t>(static_cast<uint64_t>(v) & 0xFFu);
}
inline int16_t sedici_bit(int64_t v) {
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint64_t>(v) & 0xFFFFu));
}

template <typename T>
std::optional<T> se_entra(int64_t v) {
  if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max()) return std::nullopt;
  return static_cast<T>(v);
}

// A station's time in seconds since midnight, (ore x 60 + minuti) x 60 + secondi, each step of
// the sum held in 32 bits as the model holds it; nothing when a step does not fit.
inline std::optional<int32_t> orario_in_secondi(int32_t ore, int32_t minuti, int32_t secondi) {
  const auto ore_minuti = se_entra<int32_t>(int64_t{ore} * 60 + minuti);
  if (!ore_minuti) return std::nullopt;
  const auto in_secondi = se_entra<int32_t>(int64_t{*ore_minuti} * 60);
  if (!in_secondi) return std::nullopt;
  return se_entra<int32_t>(int64_t{*in_secondi} + secondi);
}

}  // namespace scenario

#endif  // COMPILER_ARITMETICA_H_
