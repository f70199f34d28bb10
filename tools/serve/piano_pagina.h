// The track plan as the page draws it: turned onto the chord of the line as plot's plan view
// is (start on the left, the line's end on the same level), and sampled from the compiled
// plan's runs rather than taken a metre at a time: a straight run by its ends, a curve every
// few metres, so that a 1000 km plan is some ten thousand points the page can thin further as
// it zooms out.
#ifndef TOOLS_SERVE_PIANO_PAGINA_H_
#define TOOLS_SERVE_PIANO_PAGINA_H_

#include <cstdint>
#include <vector>

#include "compiler/modello.h"

namespace scenario::strumento {

struct piano_pagina {
  std::vector<int64_t> metri;  // the point's index: metres from the start of the plan
  std::vector<double> u;       // along the chord, m from the first point
  std::vector<double> v;       // across it, left of travel positive
  int64_t fine_linea = 0;      // where the line ends and the run-out begins
  int64_t ultimo = -1;         // the last point that has a place; -1: no plan

  bool vuoto() const { return metri.empty(); }
};

// How far a curve may stray from the straight line between two samples, in metres: well under
// a pixel at the page's closest zoom.
inline constexpr double scarto_campioni = 0.05;

// Every sample kept: the plan's ends, each run's ends, the line's end and, on a curve, the
// points a chord's sagitta k s^2 / 8 keeps within `scarto` of the arc.
piano_pagina campiona_piano(const tracciato_compilato& t, int32_t lunghezza_linea,
                            double scarto = scarto_campioni);

}  // namespace scenario::strumento

#endif  // TOOLS_SERVE_PIANO_PAGINA_H_
