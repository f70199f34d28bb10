// How a speed-indicator board packs its two groups of speeds and stripes into a cell.
#ifndef COMPILER_FORMATO_INDICATORE_H_
#define COMPILER_FORMATO_INDICATORE_H_

#include <cstdint>

namespace scenario {

// One of dato_1..dato_3: the first-group speed vs times 20 plus the second-group speed vd
// divided by 5, rounded half to even. Unchecked: the caller decides what does not fit 16 bits.
int64_t impacchetta_velocita_indicatore(int32_t vs, int32_t vd);

// dato_4: the first group's stripes times 10 plus the second group's, low 16 bits of each.
int16_t impacchetta_strisce(int32_t strisces, int32_t strisced);

// The inverses; vd comes back as a multiple of 5.
struct coppia_indicatore {
  int32_t s = 0;  // first group
  int32_t d = 0;  // second group
  bool operator==(const coppia_indicatore&) const = default;
};
coppia_indicatore spacchetta_velocita_indicatore(int16_t dato);
coppia_indicatore spacchetta_strisce(int16_t dato_4);

}  // namespace scenario

#endif  // COMPILER_FORMATO_INDICATORE_H_
