// Tunnels, speed-indicator boards and the ordering of the kilometric progressives: the
// records of the line description that lay more than one value into the model.
#include <algorithm>
#include <array>
#include <string>

#include "compiler/analisi.h"
#include "compiler/aritmetica.h"
#include "compiler/formato_celle.h"
#include "compiler/formato_indicatore.h"
#include "compiler/lettore_campi.h"
#include "compiler/messaggi_sorgenti.h"

namespace scenario {

void memo_montagna(analisi& m, int32_t& inizio, int32_t& fine, int32_t& tipo) {
  bool lampade = false;
  if (tipo > 10) {
    tipo -= 10;
    lampade = true;
  }
  const int32_t n = ++m.numero_gallerie;
  if (static_cast<std::size_t>(n) >= m.inizio_galleria.size()) {
    m.inizio_galleria.resize(static_cast<std::size_t>(n) + 1, 0);
    m.fine_galleria.resize(static_cast<std::size_t>(n) + 1, 0);
  }
  const auto un = static_cast<std::size_t>(n);
  m.inizio_galleria[un] = inizio;
  m.fine_galleria[un] = fine;
  // A tunnel close behind the previous one is of type 3, whatever its record says.
  if (n > 1 && int64_t{m.inizio_galleria[un]} - m.fine_galleria[un - 1] <= 150) tipo = 3;

  const int64_t cella_iniziale = cella_senza_uno(inizio);
  const int64_t cella_finale = cella_prima_di(fine);
  if (cella_iniziale > cella_finale) return;
  // A tunnel that starts before cell 0 would mark outside the route from its first cell; one
  // that runs past the last cell is marked up to it.
  if (cella_iniziale < 0) {
    guasto_campo(m, 0,
                 nome_campo(*m.record_corrente, 0) + " " + std::to_string(inizio) +
                     " m puts the tunnel's first cell at " + std::to_string(cella_iniziale) +
                     ", before cell 0: a tunnel starts at -25 m or later");
  }
  const int64_t ultima = std::min<int64_t>(cella_finale, m.ultima_cella);
  for (int64_t c = cella_iniziale; c <= ultima; ++c) {
    const int64_t conta_celle = c - cella_iniziale + 1;
    cella& cl = m.compilato.percorso[static_cast<std::size_t>(c)];
    cl.galleria = byte_basso(tipo);
    if (lampade && conta_celle % 4 == 0 && cl.tipo == cella_libera) {
      cl.tipo = cella_lampada;
      m.segna_origine(c, inizio);
    }
  }
}

namespace {

// First-group speed in units of 1/20, second-group speed divided by 5; `k` is the first
// group's field in the record.
int16_t velocita_impacchettata(const analisi& m, std::size_t k, int32_t vd, int32_t vs) {
  const int64_t somma = impacchetta_velocita_indicatore(vs, vd);
  const auto valore = se_entra<int16_t>(somma);
  if (!valore) {
    const record_letto& r = *m.record_corrente;
    guasto_campo(m, k,
                 nome_record(r) + " fields " + tra_apici(r.parola->campi[k].nome) + " " +
                     std::to_string(vs) + " and " + tra_apici(r.parola->campi[k + 4].nome) + " " +
                     std::to_string(vd) + " make " + std::to_string(vs) + " x 20 + " +
                     std::to_string(vd) + " / 5 = " + std::to_string(somma) +
                     ", which does not fit 16 bits");
  }
  return *valore;
}

}  // namespace

int32_t memo_indicatori_v_max(analisi& m, int32_t posizione, const int32_t& vas, const int32_t& vbs,
                              const int32_t& vcs, const int32_t& strisces, const int32_t& vad,
                              const int32_t& vbd, const int32_t& vcd, const int32_t& strisced) {
  const int64_t c = cella_di(posizione);
  if (c < 0 || c > m.ultima_cella) rifiuta(m, 0, posizione);
  cella& cl = m.compilato.percorso[static_cast<std::size_t>(c)];
  if (!libera(cl)) {
    return 21;
  }
  // All three values are checked before the cell changes.
  const int16_t a = velocita_impacchettata(m, 1, vad, vas);
  const int16_t b = velocita_impacchettata(m, 2, vbd, vbs);
  const int16_t d = velocita_impacchettata(m, 3, vcd, vcs);
  cl.tipo = cella_indicatore_velocita;
  cl.dato_1 = a;
  cl.dato_2 = b;
  cl.dato_3 = d;
  cl.dato_4 = impacchetta_strisce(strisces, strisced);
  m.segna_origine(c, posizione);
  return 0;
}

namespace {

struct progressiva {
  int32_t inizio = 0, fine = 0, posizione = 0;
};

// The three records in slot order 81, 82, 83, by the rule of the greatest start.
std::array<progressiva, 3> ordina_per_inizio(const std::array<progressiva, 3>& p) {
  for (int i = 0; i < 3; ++i) {
    const int a = (i + 1) % 3, b = (i + 2) % 3;
    if (p[i].inizio <= p[a].inizio || p[i].inizio <= p[b].inizio) continue;
    const int alto = std::max(a, b), basso = std::min(a, b);
    // On equal starts the record read into the higher-numbered slot goes to slot 82.
    if (p[basso].inizio > p[alto].inizio) return {p[i], p[basso], p[alto]};
    return {p[i], p[alto], p[basso]};
  }
  return {};
}

std::array<progressiva, 3> ordina_per_fine(const std::array<progressiva, 3>& p) {
  const auto& [t, d, u] = p;
  std::array<progressiva, 3> r{};
  if (t.fine > 0) r = {t, d, u};
  if (d.fine > 0) r = {d, t, u};
  if (u.fine > 0) r = {u, d, t};
  return r;
}

}  // namespace

void progressive_ordina(analisi& m) {
  std::array<progressiva, 3> letti;
  for (int i = 0; i < 3; ++i) {
    const voce_stazione& v =
        m.compilato.tabella_stazioni[static_cast<std::size_t>(voce_progressiva_tre + i)];
    letti[static_cast<std::size_t>(i)] = {v.inizio, v.fine, v.posizione};
  }
  const int64_t somma = int64_t{letti[0].inizio} + letti[1].inizio + letti[2].inizio;
  if (!se_entra<int32_t>(somma)) {
    throw guasto("the starts of the kilometric progressives add up to " + std::to_string(somma) +
                 ", which does not fit 32 bits");
  }
  const auto ordinati = somma != 0 ? ordina_per_inizio(letti) : ordina_per_fine(letti);
  for (int i = 0; i < 3; ++i) {
    voce_stazione& v =
        m.compilato.tabella_stazioni[static_cast<std::size_t>(voce_progressiva_tre + i)];
    progressiva p = ordinati[static_cast<std::size_t>(i)];
    if (p.posizione == 1) {
      const auto fine = se_entra<int32_t>(int64_t{p.fine} + 100);
      if (!fine)
        throw guasto("kilometric progressive end " + std::to_string(p.fine) +
                     " + 100 does not fit 32 bits");
      p.fine = *fine;
    }
    v.inizio = p.inizio;
    v.fine = p.fine;
    v.posizione = p.posizione;
  }
}

}  // namespace scenario
