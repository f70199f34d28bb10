// Signals and slow orders: the train service records that mark several cells at once.
#include <initializer_list>

#include "compiler/aritmetica.h"
#include "compiler/compilatore.h"
#include "compiler/formato_rallentamento.h"
#include "compiler/formato_segnale.h"
#include "compiler/lettore_campi.h"

namespace scenario {
namespace {

cella& cella_in(modello& m, int64_t c) { return m.percorso[static_cast<std::size_t>(c)]; }

bool nel_percorso(const modello& m, int64_t c) { return c >= 0 && c <= m.ultima_cella; }

}  // namespace

void memo_segnale(modello& m, dati_segnale& s) {
  const int64_t c = cella_di(s.posizione);
  // The four approach cells lie up to 8 cells before the signal.
  if (c < 8 || c > m.ultima_cella) throw guasto("segnale troppo vicino all'inizio del percorso");
  cella& sg = cella_in(m, c);
  if (!libera(sg)) {
    m.codice_errore = 16;
    return;
  }
  sg.tipo = cella_segnale;
  const dati_segnale_cella d =
      impacchetta_segnale({s.sx, s.s1, s.s2, s.s3, s.dx, s.d1, s.d2, s.d3, s.rapp});
  sg.dato_1 = d.dato_1;
  sg.dato_2 = d.dato_2;
  sg.dato_3 = d.dato_3;
  sg.dato_4 = d.dato_4;
  if (s.tempo >= 1 && s.tempo <= 100) s.tempo = 101;
  sg.tempo_segnale = s.sx == 2 ? byte_basso(s.tempo) : 0;
  for (int64_t k = 1; k <= 4; ++k) {
    cella_in(m, c - 2 * k).preavviso = preavviso_segnale(s.sx, s.dx, k);
  }
}

void memo_rallentamento(modello& m, const dati_rallentamento& r) {
  const int64_t s = cella_di(r.x);
  const int64_t e = cella_di(int64_t{r.x} + r.l);
  const int64_t w = cella_di(int64_t{r.x} - metri_avviso);
  const int64_t a = cella_senza_uno(int64_t{r.x} - metri_avviso);
  const bool avviso = r.x > 1500;
  const bool prima_avviso = avviso && r.f_ta != 0;
  // Every cell the record may write must exist before anything is written.
  for (int64_t c : {s, e}) {
    if (!nel_percorso(m, c)) throw guasto("rallentamento fuori dal percorso");
  }
  if (avviso && (!nel_percorso(m, w) || !nel_percorso(m, a - 3))) {
    throw guasto("rallentamento fuori dal percorso");
  }
  if (avviso && !libera(cella_in(m, w))) {
    m.codice_errore = 17;
    return;
  }
  if (!libera(cella_in(m, s))) {
    m.codice_errore = 18;
    return;
  }
  if (!libera(cella_in(m, e))) {
    m.codice_errore = 19;
    return;
  }
  const valori_rallentamento v{r.v, r.d_v, r.f_tt};
  scrivi_estremo_rallentamento(cella_in(m, e), cella_fine_rallentamento, v);
  scrivi_estremo_rallentamento(cella_in(m, s), cella_inizio_rallentamento, v);
  if (avviso) scrivi_avviso_rallentamento(cella_in(m, w), v);
  if (!prima_avviso) return;
  for (int64_t i = 0; i < celle_prima_avviso; ++i) {
    if (!libera(cella_in(m, a - i))) {
      m.codice_errore = 20;
      return;
    }
  }
  for (int64_t i = 0; i < celle_prima_avviso; ++i) {
    scrivi_prima_avviso(cella_in(m, a - i), static_cast<int16_t>(i + 1), r.d_v != 0);
  }
}

}  // namespace scenario
