// What both outputs of the drawing layer share: the range of drawable coordinates and the
// reduction of long lines to what a pixel column shows.
#include "tools/plot/tela.h"

#include <algorithm>
#include <cmath>

namespace scenario::strumento {

double coordinata_disegnabile(double v) {
  constexpr double limite = 20000;  // about ten pages out: far beyond any clip, exact in cairo
  if (std::isnan(v)) return 0;
  return std::clamp(v, -limite, limite);
}

std::vector<punto> per_colonne(const std::vector<punto>& p) {
  std::vector<punto> r;
  std::size_t i = 0;
  while (i < p.size()) {
    const double colonna = std::floor(coordinata_disegnabile(p[i].x));
    punto basso = p[i], alto = p[i];
    std::size_t j = i;
    for (; j < p.size() && std::floor(coordinata_disegnabile(p[j].x)) == colonna; ++j) {
      if (p[j].y < alto.y) alto = p[j];
      if (p[j].y > basso.y) basso = p[j];
    }
    r.push_back(p[i]);
    const bool alto_prima = alto.x <= basso.x;
    for (const punto& q : {alto_prima ? alto : basso, alto_prima ? basso : alto}) r.push_back(q);
    r.push_back(p[j - 1]);
    i = j;
  }
  return r;
}

}  // namespace scenario::strumento
