// The label placer of `plot`: a coarse grid over the page marks what is taken (the track,
// labels already placed, tick labels); a label goes into the first free box among its
// candidates, inside its area, or is left out. Work per label is bounded by its size.
#ifndef TOOLS_PLOT_POSATORE_ETICHETTE_H_
#define TOOLS_PLOT_POSATORE_ETICHETTE_H_

#include <optional>
#include <vector>

#include "tools/plot/tela.h"

namespace scenario::strumento {

class posatore {
 public:
  explicit posatore(const rettangolo& pagina);

  void occupa(const rettangolo& r);
  // Marks the cells a line from a to b crosses, within the page.
  void occupa_segmento(punto a, punto b);
  // Free when inside `area` and clear, with a small gap, of everything marked.
  bool libero(const rettangolo& r, const rettangolo& area) const;
  // The first free candidate, marked as taken; nothing when none is free.
  std::optional<rettangolo> posa(const std::vector<rettangolo>& candidati, const rettangolo& area);
  // A w x h box near p: above or below it, further and further away.
  std::optional<rettangolo> posa_vicino(punto p, double w, double h, const rettangolo& area);

 private:
  template <typename F>
  bool per_celle(const rettangolo& r, F f) const;

  rettangolo pagina_;
  int colonne_, righe_;
  std::vector<bool> prese_;
};

}  // namespace scenario::strumento

#endif  // TOOLS_PLOT_POSATORE_ETICHETTE_H_
