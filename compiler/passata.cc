// The post-processing pass: speed-check cells (kind 12, value 180) around slow orders and in
// front of the signals that follow a warning board or the end of a slow order.
#include <algorithm>

#include "compiler/analisi.h"
#include "compiler/formato_celle.h"
#include "compiler/formato_rallentamento.h"
#include "compiler/messaggi_sorgenti.h"

namespace scenario {
namespace {

int16_t minimo(int16_t x, int16_t y) { return x > y ? y : x; }

class passata {
 public:
  explicit passata(analisi& m) : m_(m), ultima_(m.ultima_cella) {}

  void esegui() {
    for (int64_t i = 1; i <= ultima_ - 2; ++i) {
      if (c(i).tipo == cella_avviso_rallentamento) regola_a(i);
      if (c(i).tipo == cella_inizio_rallentamento) regole_b_d(i);
    }
  }

 private:
  cella& c(int64_t i) { return m_.compilato.percorso[static_cast<std::size_t>(i)]; }
  // Cells outside the route are never free and never read.
  bool libera_in(int64_t i) { return i >= 0 && i <= ultima_ && libera(c(i)); }
  // A check comes from the record of cell `per`, the signal or slow order it serves.
  void metti_controllo(int64_t i, int64_t per) {
    c(i).tipo = cella_controllo_velocita;
    c(i).dato_1 = valore_controllo_velocita;
    m_.copia_origine(i, per);
  }
  // The package's message gives a code of the pass no place; its problem names the record of
  // cell `per`.
  void registra(int32_t codice, int64_t cella, int64_t per, const std::string& messaggio) {
    diagnostica d;
    d.posizione = static_cast<int32_t>(metri_strato(cella));
    d.messaggio = messaggio;
    if (const origine_cella* o = m_.origine(per)) {
      d.file = m_.nome_sorgente(o->file);
      d.dove = o->luogo;
    }
    m_.registra_senza_luogo(codice, std::move(d));
  }
  std::string occupate(std::initializer_list<int64_t> celle);

  void regola_a(int64_t i);
  void regole_b_d(int64_t i);
  void regola_b(int64_t i);
  int64_t regola_c(int64_t i, bool con_controlli);
  void regola_d(int64_t e, int64_t i);

  analisi& m_;
  const int64_t ultima_;
};

// A signal within 20 cells behind a warning board gets a check right in front of it.
void passata::regola_a(int64_t i) {
  for (int64_t k = 1; k <= 20; ++k) {
    const int64_t d = i - k;
    if (d < 3) return;
    if (c(d).tipo != cella_segnale) continue;
    if (libera(c(d - 1))) {
      metti_controllo(d - 1, d);
    } else if (libera(c(d - 2))) {
      metti_controllo(d - 2, d);
    } else if (c(d - 1).tipo == cella_controllo_velocita) {
      c(d - 1).dato_1 = minimo(valore_controllo_velocita, c(d - 1).dato_1);
    } else if (c(d - 2).tipo == cella_controllo_velocita) {
      c(d - 2).dato_1 = minimo(valore_controllo_velocita, c(d - 2).dato_1);
    } else {
      registra(11, d, d,
               "no free cell for the speed check in front of the signal at " +
                   std::to_string(metri_elemento(d)) +
                   " m, which follows a slow order's warning "
                   "board: " +
                   occupate({d - 1, d - 2}));
    }
  }
}

void passata::regole_b_d(int64_t i) {
  regola_b(i);
  const int64_t fine = regola_c(i, c(i).dato_1 < 110);
  if (fine >= 0) regola_d(fine, i);
}

// Three checks before the start of the slow order.
void passata::regola_b(int64_t i) {
  static constexpr int64_t gruppi[3][3] = {{5, 6, 7}, {11, 12, 13}, {18, 19, 20}};
  for (const auto& gruppo : gruppi) {
    if (i <= gruppo[2]) continue;
    const auto libero = std::find_if(std::begin(gruppo), std::end(gruppo),
                                     [&](int64_t d) { return libera(c(i - d)); });
    if (libero == std::end(gruppo)) {
      registra(12, i, i,
               "no free cell for a speed check before the slow order at " +
                   std::to_string(metri_elemento(i)) +
                   " m: " + occupate({i - gruppo[0], i - gruppo[1], i - gruppo[2]}));
    } else {
      metti_controllo(i - *libero, i);
    }
  }
}

// Walks from the start to the end of the slow order (kind 2), placing a check every eight
// cells when asked; returns the end cell, or -1 when the walk reaches the last cell first.
int64_t passata::regola_c(int64_t i, bool con_controlli) {
  int64_t contatore = 0;
  for (int64_t k = i + 1; k <= ultima_; ++k) {
    ++contatore;
    if (con_controlli && contatore == 8) {
      if (libera_in(k)) {
        metti_controllo(k, i);
        contatore = 0;
      } else if (libera_in(k - 1)) {
        metti_controllo(k - 1, i);
        contatore = 1;
      } else if (libera_in(k + 1)) {
        metti_controllo(k + 1, i);
        contatore = -1;
      } else {
        registra(13, k, i,
                 "no free cell for a speed check inside the slow order at " +
                     std::to_string(metri_elemento(i)) + " m: " + occupate({k - 1, k, k + 1}));
      }
    }
    if (c(k).tipo == cella_fine_rallentamento) return k;
  }
  return -1;
}

// The nearest signal within 13 cells after the end gets a check in front of it.
void passata::regola_d(int64_t e, int64_t i) {
  for (int64_t m = e; m <= std::min(e + 12, ultima_); ++m) {
    if (c(m).tipo != cella_segnale) continue;
    if (m - 1 <= 0) return;
    if (libera(c(m - 1))) {
      metti_controllo(m - 1, m);
    } else if (libera(c(m - 2))) {
      metti_controllo(m - 2, m);
    } else {
      registra(13, e, i,
               "no free cell for the speed check in front of the signal at " +
                   std::to_string(metri_elemento(m)) + " m, after the end of the slow order at " +
                   std::to_string(metri_elemento(i)) + " m: " + occupate({m - 1, m - 2}));
    }
    return;
  }
}

// "cells 5 and 6 hold a signal and a station's stop marker".
std::string passata::occupate(std::initializer_list<int64_t> celle) {
  std::string nomi, cose;
  std::size_t n = 0;
  for (const int64_t x : celle) {
    const std::string sep = n == 0 ? "" : (n + 1 == celle.size() ? " and " : ", ");
    nomi += sep + std::to_string(x);
    cose += sep +
            (x >= 0 && x <= ultima_ ? contenuto_cella(m_, x) : "nothing: it is outside the route");
    ++n;
  }
  return "cells " + nomi + " hold " + cose;
}

}  // namespace

void passata_percorso(analisi& m) {
  if (!m.percorso_creato()) return;
  passata(m).esegui();
}

}  // namespace scenario
