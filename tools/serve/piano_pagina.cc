// The samples of the plan, computed in one pass of the compiler's own stepping rule
// (compiler/punti_tracciato.h) and turned once the line's end is known.
#include "tools/serve/piano_pagina.h"

#include <algorithm>
#include <cmath>

#include "compiler/punti_tracciato.h"

namespace scenario::strumento {
namespace {

constexpr double distanza_massima = 1e8;  // metres from the first point; beyond is not a route

// The last point with a place: the computed points end the plan, the seeds come before them.
int64_t ultimo_con_posto(const tracciato_compilato& t) {
  if (t.calcolati() > 2) return std::min(t.calcolati() - 1, t.ultimo_indice());
  return t.seminato ? std::min<int64_t>(1, t.ultimo_indice()) : -1;
}

class campionatore {
 public:
  explicit campionatore(piano_pagina& p) : p_(p) {}

  // Points far off or not finite are held where the last good one was, as plot holds them.
  void aggiungi(int64_t i, double x, double y) {
    if (p_.metri.empty()) x0_ = x, y0_ = y;
    x -= x0_, y -= y0_;
    if (std::isfinite(x) && std::isfinite(y)) {
      ux_ = std::clamp(x, -distanza_massima, distanza_massima);
      uy_ = std::clamp(y, -distanza_massima, distanza_massima);
    }
    p_.metri.push_back(i);
    p_.u.push_back(ux_);
    p_.v.push_back(uy_);
  }

  // Onto the chord from the first point to the line's end; straight up when they coincide.
  void gira() {
    const auto fine = std::lower_bound(p_.metri.begin(), p_.metri.end(), p_.fine_linea);
    const std::size_t k = static_cast<std::size_t>(fine - p_.metri.begin());
    const double cx = k < p_.u.size() ? p_.u[k] : 0, cy = k < p_.v.size() ? p_.v[k] : 0;
    const double angolo = (cx == 0 && cy == 0) ? M_PI / 2 : std::atan2(cy, cx);
    const double c = std::cos(angolo), s = std::sin(angolo);
    for (std::size_t i = 0; i < p_.u.size(); ++i) {
      const double x = p_.u[i], y = p_.v[i];
      p_.u[i] = x * c + y * s;
      p_.v[i] = -x * s + y * c;
    }
  }

 private:
  piano_pagina& p_;
  double x0_ = 0, y0_ = 0;
  double ux_ = 0, uy_ = 0;  // the last point held
};

// Samples of a curve of curvature k: a chord of s metres strays k s^2 / 8 from its arc.
int64_t passo_campioni(double k, double scarto, int64_t quanti) {
  if (k == 0 || !std::isfinite(k)) return std::max<int64_t>(quanti, 1);
  const double s = std::floor(std::sqrt(8 * scarto / std::abs(k)));
  return std::clamp<int64_t>(static_cast<int64_t>(std::min(s, 1e9)), 1,
                             std::max<int64_t>(quanti, 1));
}

}  // namespace

piano_pagina campiona_piano(const tracciato_compilato& t, int32_t lunghezza_linea, double scarto) {
  piano_pagina p;
  if (!t.creato()) return p;
  p.ultimo = ultimo_con_posto(t);
  if (p.ultimo < 0) return p;
  p.fine_linea = lunghezza_linea > 0 && lunghezza_linea < p.ultimo ? lunghezza_linea : p.ultimo;
  campionatore c(p);
  punti_del_tracciato punti(t);
  std::size_t tratto = 0;
  while (punti.altri() && punti.indice() <= p.ultimo) {
    const int64_t i0 = punti.indice();
    const punti_del_tracciato::fila f = punti.prossima_fila();
    const int64_t n = std::min(f.quanti, p.ultimo - i0 + 1);
    if (f.tipo != tracciato_compilato::etichetta::reale) {
      for (int64_t j = 0; j < n; ++j) {
        const punto_tracciato q = punti.prossimo();
        c.aggiungi(i0 + j, q.x, q.y);
      }
      continue;
    }
    while (t.tratti[tratto].fino_a < i0) ++tratto;
    const int64_t passo = passo_campioni(t.tratti[tratto].k, scarto, n);
    // A countdown rather than j % passo: this runs once a metre.
    int64_t j = 0, prossimo = 0;
    punti.calcola(n, [&](double x, double y) {
      if (j == prossimo || j == n - 1 || i0 + j == p.fine_linea) {
        c.aggiungi(i0 + j, x, y);
        if (j == prossimo) prossimo += passo;
      }
      ++j;
    });
  }
  c.gira();
  return p;
}

}  // namespace scenario::strumento
