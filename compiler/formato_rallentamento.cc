#include "compiler/formato_rallentamento.h"

#include "compiler/aritmetica.h"

namespace scenario {

void scrivi_estremo_rallentamento(cella& c, tipo_cella tipo, const valori_rallentamento& v) {
  c.tipo = tipo;
  c.dato_1 = sedici_bit(v.velocita);
  if (v.d_v != 0) c.dato_2 = sedici_bit(v.d_v);
  c.dato_3 = sedici_bit(v.f_tt);
}

void scrivi_avviso_rallentamento(cella& c, const valori_rallentamento& v) {
  c.tipo = cella_avviso_rallentamento;
  c.dato_1 = sedici_bit(v.velocita);
  if (v.d_v != 0) c.dato_2 = sedici_bit(v.d_v);
}

void scrivi_prima_avviso(cella& c, int16_t k, bool con_d_v) {
  c.tipo = cella_prima_avviso;
  c.dato_1 = k;
  if (con_d_v) c.dato_2 = k;
}

valori_rallentamento leggi_valori_rallentamento(const cella& c) {
  return {c.dato_1, c.dato_2, c.dato_3};
}

}  // namespace scenario
