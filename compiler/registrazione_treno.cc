// Signals and slow orders: the train service records that mark several cells at once.
#include <initializer_list>
#include <string>

#include "compiler/analisi.h"
#include "compiler/aritmetica.h"
#include "compiler/formato_rallentamento.h"
#include "compiler/formato_segnale.h"
#include "compiler/lettore_campi.h"
#include "compiler/messaggi_sorgenti.h"

namespace scenario {
namespace {

// A record reads and writes its cells in the order of its steps; the first cell it would
// touch outside the route ends the parse there, after whatever the earlier steps wrote. `k` is
// the field that puts the cell there.
cella& cella_in(analisi& m, int64_t c, std::size_t k, const char* cosa) {
  // Before cell 0 for its own position is the table's limit for the field.
  if (c < 0 && k == 0) rifiuta(m, 0, numero(m, 0));
  if (c < 0 || c > m.ultima_cella) {
    guasto_campo(m, k,
                 std::string(cosa) + nome_record(*m.record_corrente) + " at " +
                     std::to_string(numero(m, 0)) + " m falls in cell " + std::to_string(c) +
                     ", outside the route (cells 0 to " + std::to_string(m.ultima_cella) + ")");
  }
  return m.compilato.percorso[static_cast<std::size_t>(c)];
}

}  // namespace

int32_t memo_segnale(analisi& m, dati_segnale& s) {
  const int64_t c = cella_di(s.posizione);
  cella& sg = cella_in(m, c, 0, "");
  if (!libera(sg)) {
    return 16;
  }
  m.segna_origine(c, s.posizione);
  sg.tipo = cella_segnale;
  const dati_segnale_cella d =
      impacchetta_segnale({s.sx, s.s1, s.s2, s.s3, s.dx, s.d1, s.d2, s.d3, s.rapp});
  sg.dato_1 = d.dato_1;
  sg.dato_2 = d.dato_2;
  sg.dato_3 = d.dato_3;
  sg.dato_4 = d.dato_4;
  if (s.tempo >= 1 && s.tempo <= 100) s.tempo = 101;
  sg.tempo_segnale = s.sx == 2 ? byte_basso(s.tempo) : 0;
  // The approach cells lie up to 8 cells before the signal: below 325 m the last is missing.
  for (int64_t k = 1; k <= 4; ++k) {
    if (c - 2 * k < 0) rifiuta(m, 0, s.posizione);
    cella_in(m, c - 2 * k, 0, "an approach cell of ").preavviso = preavviso_segnale(s.sx, s.dx, k);
  }
  return 0;
}

int32_t memo_rallentamento(analisi& m, const dati_rallentamento& r) {
  const int64_t s = cella_di(r.x);
  const int64_t e = cella_di(int64_t{r.x} + r.l);
  const int64_t w = cella_di(int64_t{r.x} - metri_avviso);
  const int64_t a = cella_senza_uno(int64_t{r.x} - metri_avviso);
  const bool avviso = r.x > 1500;
  const bool prima_avviso = avviso && r.f_ta != 0;
  // The three checks read the cells as they were before the call, board first.
  constexpr const char* tabellone = "the warning board 1200 m before ";
  constexpr const char* prima = "a cell before the warning board of ";
  if (avviso && !libera(cella_in(m, w, 0, tabellone))) {
    return 17;
  }
  if (!libera(cella_in(m, s, 0, ""))) {
    return 18;
  }
  if (!libera(cella_in(m, e, 2, "the end of "))) {
    return 19;
  }
  const valori_rallentamento v{r.v, r.d_v, r.f_tt};
  scrivi_estremo_rallentamento(cella_in(m, e, 2, "the end of "), cella_fine_rallentamento, v);
  scrivi_estremo_rallentamento(cella_in(m, s, 0, ""), cella_inizio_rallentamento, v);
  m.segna_origine(e, r.x);
  m.segna_origine(s, r.x);
  if (avviso) {
    scrivi_avviso_rallentamento(cella_in(m, w, 0, tabellone), v);
    m.segna_origine(w, r.x);
  }
  if (!prima_avviso) return 0;
  for (int64_t i = 0; i < celle_prima_avviso; ++i) {
    if (!libera(cella_in(m, a - i, 0, prima))) return 20;
  }
  for (int64_t i = 0; i < celle_prima_avviso; ++i) {
    scrivi_prima_avviso(cella_in(m, a - i, 0, prima), static_cast<int16_t>(i + 1), r.d_v != 0);
    m.segna_origine(a - i, r.x);
  }
  return 0;
}

}  // namespace scenario
