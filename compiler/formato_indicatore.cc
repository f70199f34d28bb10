#include "compiler/formato_indicatore.h"

#include "compiler/aritmetica.h"

namespace scenario {

int64_t impacchetta_velocita_indicatore(int32_t vs, int32_t vd) {
  return arrotonda(static_cast<double>(vd) / 5.0 + static_cast<double>(vs) * 20.0);
}

int16_t impacchetta_strisce(int32_t strisces, int32_t strisced) {
  return sedici_bit(int64_t{sedici_bit(strisces)} * 10 + sedici_bit(strisced));
}

coppia_indicatore spacchetta_velocita_indicatore(int16_t dato) {
  return {dato / 20, dato % 20 * 5};
}

coppia_indicatore spacchetta_strisce(int16_t dato_4) { return {dato_4 / 10, dato_4 % 10}; }

}  // namespace scenario
