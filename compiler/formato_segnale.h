// How a signal's aspects are packed into its cell and into the approach cells before it.
#ifndef COMPILER_FORMATO_SEGNALE_H_
#define COMPILER_FORMATO_SEGNALE_H_

#include <cstdint>

namespace scenario {

// The aspects of a signal: the groups left (sx, s1..s3) and right (dx, d1..d3) and the
// repetition code rapp.
struct aspetti_segnale {
  int32_t sx = 0, s1 = 0, s2 = 0, s3 = 0, dx = 0, d1 = 0, d2 = 0, d3 = 0, rapp = 0;
  bool operator==(const aspetti_segnale&) const = default;
};

// dato_1..dato_3 hold each pair as left digit times 10 plus right digit; dato_4 holds rapp
// times 10 plus sx times 3 plus dx. Values that do not fit keep their low 16 bits.
struct dati_segnale_cella {
  int16_t dato_1 = 0, dato_2 = 0, dato_3 = 0, dato_4 = 0;
};
dati_segnale_cella impacchetta_segnale(const aspetti_segnale& a);
aspetti_segnale spacchetta_segnale(const dati_segnale_cella& d);

// The approach code in the cell 2k before the signal (k = 1..4): sx times 30, dx times 10,
// plus k, low 8 bits.
uint8_t preavviso_segnale(int32_t sx, int32_t dx, int64_t k);

}  // namespace scenario

#endif  // COMPILER_FORMATO_SEGNALE_H_
