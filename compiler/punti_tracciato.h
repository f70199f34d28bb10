// The points of a compiled track plan, computed in order from its seeds and runs: the one
// place of the stepping rule, for the writer and for whoever checks what it wrote.
#ifndef COMPILER_PUNTI_TRACCIATO_H_
#define COMPILER_PUNTI_TRACCIATO_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "compiler/modello.h"

namespace scenario {

struct punto_tracciato {
  tracciato_compilato::etichetta tipo = tracciato_compilato::etichetta::vuoto;
  double x = 0;  // 0 for an empty point
  double y = 0;
};

// Yields points 0 to the last one after the other. The line starts at the origin heading
// along +y, one metre per point; each computed metre keeps the direction of the last one
// turned by about k radians. Each step repeats the same operations in the same order from
// the last two points, so the doubles are those of one step after another, whichever runs
// they fall in.
class punti_del_tracciato {
 public:
  using etichetta = tracciato_compilato::etichetta;

  explicit punti_del_tracciato(const tracciato_compilato& t) : t_(t), y1_(t.seminato ? 1.0 : 0.0) {}

  // False once the last point was given.
  bool altri() const { return i_ <= t_.ultimo; }
  int64_t indice() const { return i_; }  // of the next point

  // One point, whatever its tag.
  punto_tracciato prossimo() {
    switch (t_.tipo_punto(i_)) {
      case etichetta::reale: {
        punto_tracciato p{etichetta::reale};
        calcola(1, [&p](double x, double y) {
          p.x = x;
          p.y = y;
        });
        return p;
      }
      case etichetta::intero: {
        const int64_t i = i_++;
        return {etichetta::intero, 0.0, static_cast<double>(i)};
      }
      case etichetta::vuoto:
        break;
    }
    ++i_;
    return {};
  }

  // The points from the next one on that share its tag: the seeds, the computed points up to
  // the end of their run, or the empty points (those that end the plan, or two unseeded).
  struct fila {
    etichetta tipo;
    int64_t quanti;
  };
  fila prossima_fila() {
    if (!altri()) return {etichetta::vuoto, 0};
    const etichetta tipo = t_.tipo_punto(i_);
    int64_t ultimo = t_.ultimo;
    if (tipo == etichetta::reale) {
      while (t_.tratti[tratto_].fino_a < i_) ++tratto_;
      ultimo = std::min(ultimo, t_.tratti[tratto_].fino_a);
    } else if (i_ < 2 && (tipo == etichetta::intero || t_.calcolati() > 2)) {
      ultimo = std::min<int64_t>(1, ultimo);
    }
    return {tipo, ultimo - i_ + 1};
  }

  // The next n computed points (at most the row's), each given to f(x, y) as it is made. The
  // last two points stay in registers meanwhile, and the loop tests no point's tag: the
  // writer's and the checks' loop over a million points.
  template <typename F>
  void calcola(int64_t n, F&& f) {
    const fila r = prossima_fila();
    if (r.tipo != etichetta::reale) return;
    n = std::min(n, r.quanti);
    const double k = t_.tratti[tratto_].k;
    double x2 = x2_, y2 = y2_, x1 = x1_, y1 = y1_;
    for (int64_t j = 0; j < n; ++j) {
      const double dx = x1 - x2;
      const double dy = y1 - y2;
      x2 = x1;
      y2 = y1;
      x1 = x1 + (dy * k + dx);
      y1 = y1 + (dy - dx * k);
      f(x1, y1);
    }
    x2_ = x2;
    y2_ = y2;
    x1_ = x1;
    y1_ = y1;
    i_ += n;
  }

  // Passes over the next n empty points (at most the row's).
  void salta_vuoti(int64_t n) {
    const fila r = prossima_fila();
    if (r.tipo == etichetta::vuoto) i_ += std::min(n, r.quanti);
  }

 private:
  const tracciato_compilato& t_;
  int64_t i_ = 0;
  std::size_t tratto_ = 0;
  // Points i - 2 and i - 1: the seeds (0, 0) and (0, 1) to begin with, or zeros unseeded.
  double x2_ = 0, y2_ = 0, x1_ = 0, y1_;
};

}  // namespace scenario

#endif  // COMPILER_PUNTI_TRACCIATO_H_
