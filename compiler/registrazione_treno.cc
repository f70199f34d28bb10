// Signals and slow orders: the train service records that mark several cells at once.
#include <initializer_list>
#include <string>

#include "compiler/analisi.h"
#include "compiler/aritmetica.h"
#include "compiler/lettore_campi.h"

namespace scenario {
namespace {

// A record reads and writes its cells in the order of its steps; the first cell it would
// touch outside the route ends the parse there, after whatever the earlier steps wrote.
cella& cella_in(analisi& m, int64_t c, const char* cosa) {
  if (c < 0 || c > m.ultima_cella) {
    throw guasto(std::string(cosa) + " cell " + std::to_string(c) +
                 " is outside the route (cells 0 to " + std::to_string(m.ultima_cella) + ")");
  }
  return m.compilato.percorso[static_cast<std::size_t>(c)];
}

}  // namespace

int32_t memo_segnale(analisi& m, dati_segnale& s) {
  const int64_t c = cella_di(s.posizione);
  cella& sg = cella_in(m, c, "the signal's");
  if (!libera(sg)) {
    return 16;
  }
  sg.tipo = cella_segnale;
  sg.dato_4 = sedici_bit(int64_t{s.rapp} * 10 + int64_t{s.sx} * 3 + s.dx);
  sg.dato_1 = sedici_bit(int64_t{s.s1} * 10 + s.d1);
  sg.dato_2 = sedici_bit(int64_t{s.s2} * 10 + s.d2);
  sg.dato_3 = sedici_bit(int64_t{s.s3} * 10 + s.d3);
  if (s.tempo >= 1 && s.tempo <= 100) s.tempo = 101;
  sg.tempo_segnale = s.sx == 2 ? byte_basso(s.tempo) : 0;
  // The approach cells lie up to 8 cells before the signal: below 325 m the last is missing.
  for (int64_t k = 1; k <= 4; ++k) {
    cella_in(m, c - 2 * k, "the signal's approach").preavviso =
        byte_basso((int64_t{s.sx} * 3 + s.dx) * 10 + k);
  }
  return 0;
}

int32_t memo_rallentamento(analisi& m, const dati_rallentamento& r) {
  const int64_t s = cella_di(r.x);
  const int64_t e = cella_di(int64_t{r.x} + r.l);
  const int64_t w = cella_di(int64_t{r.x} - 1200);
  const int64_t a = cella_senza_uno(int64_t{r.x} - 1200);
  const bool avviso = r.x > 1500;
  const bool prima_avviso = avviso && r.f_ta != 0;
  // The three checks read the cells as they were before the call, board first.
  if (avviso && !libera(cella_in(m, w, "the slow order's warning-board"))) {
    return 17;
  }
  if (!libera(cella_in(m, s, "the slow order's start"))) {
    return 18;
  }
  if (!libera(cella_in(m, e, "the slow order's end"))) {
    return 19;
  }
  const int16_t v = sedici_bit(r.v);
  cella& fine = cella_in(m, e, "the slow order's end");
  fine.tipo = cella_fine_rallentamento;
  if (r.d_v != 0) fine.dato_2 = sedici_bit(r.d_v);
  cella& inizio = cella_in(m, s, "the slow order's start");
  inizio.tipo = cella_inizio_rallentamento;
  if (r.d_v != 0) inizio.dato_2 = sedici_bit(r.d_v);
  if (avviso) {
    cella& tabella = cella_in(m, w, "the slow order's warning-board");
    tabella.tipo = cella_avviso_rallentamento;
    if (r.d_v != 0) tabella.dato_2 = sedici_bit(r.d_v);
    tabella.dato_1 = v;
  }
  for (cella* c : {&inizio, &fine}) c->dato_1 = v;
  for (cella* c : {&inizio, &fine}) c->dato_3 = sedici_bit(r.f_tt);
  if (!prima_avviso) return 0;
  for (int64_t i = 0; i <= 3; ++i) {
    if (!libera(cella_in(m, a - i, "a cell before the warning board"))) {
      return 20;
    }
  }
  for (int64_t i = 0; i <= 3; ++i) {
    cella& c = cella_in(m, a - i, "a cell before the warning board");
    c.tipo = cella_prima_avviso;
    c.dato_1 = static_cast<int16_t>(i + 1);
    if (r.d_v != 0) c.dato_2 = static_cast<int16_t>(i + 1);
  }
  return 0;
}

}  // namespace scenario
