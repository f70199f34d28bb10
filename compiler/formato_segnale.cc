#include "compiler/formato_segnale.h"

#include "compiler/aritmetica.h"

namespace scenario {

dati_segnale_cella impacchetta_segnale(const aspetti_segnale& a) {
  return {sedici_bit(int64_t{a.s1} * 10 + a.d1), sedici_bit(int64_t{a.s2} * 10 + a.d2),
          sedici_bit(int64_t{a.s3} * 10 + a.d3),
          sedici_bit(int64_t{a.rapp} * 10 + int64_t{a.sx} * 3 + a.dx)};
}

aspetti_segnale spacchetta_segnale(const dati_segnale_cella& d) {
  const int resto = d.dato_4 % 10;
  aspetti_segnale a;
  a.sx = resto / 3;
  a.dx = resto % 3;
  a.rapp = d.dato_4 / 10;
  a.s1 = d.dato_1 / 10;
  a.d1 = d.dato_1 % 10;
  a.s2 = d.dato_2 / 10;
  a.d2 = d.dato_2 % 10;
  a.s3 = d.dato_3 / 10;
  a.d3 = d.dato_3 % 10;
  return a;
}

uint8_t preavviso_segnale(int32_t sx, int32_t dx, int64_t k) {
  return byte_basso((int64_t{sx} * 3 + dx) * 10 + k);
}

}  // namespace scenario
