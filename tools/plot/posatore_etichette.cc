// Label placement on a grid of 3-pixel cells: marking and testing a box costs its area in
// cells, whatever was placed before, so a page of many labels stays linear.
#include "tools/plot/posatore_etichette.h"

#include <algorithm>
#include <cmath>

namespace scenario::strumento {
namespace {

constexpr double lato = 3;      // pixels per grid cell
constexpr double distacco = 2;  // gap kept around a label

}  // namespace

posatore::posatore(const rettangolo& pagina)
    : pagina_(pagina),
      colonne_(static_cast<int>(std::ceil(pagina.larghezza() / lato))),
      righe_(static_cast<int>(std::ceil(pagina.altezza() / lato))),
      prese_(static_cast<std::size_t>(colonne_) * static_cast<std::size_t>(righe_)) {}

// Calls f(index) for each cell under r (clipped to the page); stops early when f says so.
template <typename F>
bool posatore::per_celle(const rettangolo& r, F f) const {
  auto colonna = [&](double x) {
    return std::clamp(static_cast<int>(std::floor((x - pagina_.x0) / lato)), 0, colonne_ - 1);
  };
  auto riga = [&](double y) {
    return std::clamp(static_cast<int>(std::floor((y - pagina_.y0) / lato)), 0, righe_ - 1);
  };
  const rettangolo dentro{std::max(r.x0, pagina_.x0), std::max(r.y0, pagina_.y0),
                          std::min(r.x1, pagina_.x1), std::min(r.y1, pagina_.y1)};
  if (!(dentro.x0 < dentro.x1 && dentro.y0 < dentro.y1)) return true;
  for (int y = riga(dentro.y0); y <= riga(dentro.y1); ++y) {
    for (int x = colonna(dentro.x0); x <= colonna(dentro.x1); ++x) {
      if (!f(static_cast<std::size_t>(y) * static_cast<std::size_t>(colonne_) +
             static_cast<std::size_t>(x))) {
        return false;
      }
    }
  }
  return true;
}

void posatore::occupa(const rettangolo& r) {
  per_celle(r, [&](std::size_t i) {
    prese_[i] = true;
    return true;
  });
}

void posatore::occupa_segmento(punto a, punto b) {
  // Only the part that can fall on the page is walked, in steps of a cell.
  const double margine = 10;
  auto dentro = [&](punto p) {
    return p.x >= pagina_.x0 - margine && p.x <= pagina_.x1 + margine &&
           p.y >= pagina_.y0 - margine && p.y <= pagina_.y1 + margine;
  };
  if (!dentro(a) && !dentro(b)) return;
  const double lunghezza = std::hypot(b.x - a.x, b.y - a.y);
  const double massimo = pagina_.larghezza() + pagina_.altezza();
  const int passi = static_cast<int>(std::min(lunghezza, massimo) / lato) + 1;
  for (int i = 0; i <= passi; ++i) {
    const double t = std::min(1.0, i * lato / std::max(lunghezza, lato));
    const punto p{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
    occupa({p.x - 1, p.y - 1, p.x + 1, p.y + 1});
  }
}

bool posatore::libero(const rettangolo& r, const rettangolo& area) const {
  if (!(r.x0 >= area.x0 && r.x1 <= area.x1 && r.y0 >= area.y0 && r.y1 <= area.y1)) return false;
  const rettangolo largo{r.x0 - distacco, r.y0 - distacco, r.x1 + distacco, r.y1 + distacco};
  return per_celle(largo, [&](std::size_t i) { return !prese_[i]; });
}

std::optional<rettangolo> posatore::posa(const std::vector<rettangolo>& candidati,
                                         const rettangolo& area) {
  for (const rettangolo& r : candidati) {
    if (libero(r, area)) {
      occupa(r);
      return r;
    }
  }
  return std::nullopt;
}

std::optional<rettangolo> posatore::posa_vicino(punto p, double w, double h,
                                                const rettangolo& area) {
  std::vector<rettangolo> candidati;
  for (int passo = 0; passo < 12; ++passo) {
    const double d = 8 + passo * 12.0;
    for (double dx : {-w / 2, -w * 0.15, -w * 0.85}) {
      candidati.push_back({p.x + dx, p.y - d - h, p.x + dx + w, p.y - d});
      candidati.push_back({p.x + dx, p.y + d, p.x + dx + w, p.y + d + h});
    }
  }
  return posa(candidati, area);
}

}  // namespace scenario::strumento
