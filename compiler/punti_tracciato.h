// The points of a compiled track plan, computed in order from its seeds and runs: the one
// place of the stepping rule, for the writer and for whoever checks what it wrote.
#ifndef COMPILER_PUNTI_TRACCIATO_H_
#define COMPILER_PUNTI_TRACCIATO_H_

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

  punto_tracciato prossimo() {
    const int64_t i = i_++;
    switch (t_.tipo_punto(i)) {
      case etichetta::reale:
        return passo(i);
      case etichetta::intero:
        return {etichetta::intero, 0.0, static_cast<double>(i)};
      case etichetta::vuoto:
        break;
    }
    return {};
  }

 private:
  punto_tracciato passo(int64_t i) {
    while (t_.tratti[tratto_].fino_a < i) ++tratto_;
    const double k = t_.tratti[tratto_].k;
    const double dx = x1_ - x2_;
    const double dy = y1_ - y2_;
    x2_ = x1_;
    y2_ = y1_;
    x1_ = x1_ + (dy * k + dx);
    y1_ = y1_ + (dy - dx * k);
    return {etichetta::reale, x1_, y1_};
  }

  const tracciato_compilato& t_;
  int64_t i_ = 0;
  std::size_t tratto_ = 0;
  // Points i - 2 and i - 1: the seeds (0, 0) and (0, 1) to begin with, or zeros unseeded.
  double x2_ = 0, y2_ = 0, x1_ = 0, y1_;
};

}  // namespace scenario

#endif  // COMPILER_PUNTI_TRACCIATO_H_
