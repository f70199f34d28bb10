// What the views of `plot` share: the page size, the colours, number formats and the round
// steps of the axes, and how names are shortened for labels.
#ifndef TOOLS_PLOT_STILE_DISEGNO_H_
#define TOOLS_PLOT_STILE_DISEGNO_H_

#include <string>

#include "tools/plot/tela.h"

namespace scenario::strumento {

inline constexpr int larghezza_pagina = 1800;
inline constexpr int altezza_pagina = 1230;
inline constexpr double margine_sx = 95;
inline constexpr double margine_dx = 60;

inline constexpr colore nero{0.15, 0.15, 0.15};
inline constexpr colore bianco{1, 1, 1};
inline constexpr colore grigio{0.55, 0.55, 0.55};
inline constexpr colore griglia{0.90, 0.90, 0.90};
inline constexpr colore blu_stazione{0.12, 0.37, 0.75};
inline constexpr colore rosso_segnale{0.84, 0.15, 0.16};
inline constexpr colore arancio{1.0, 0.50, 0.05};
inline constexpr colore marrone{0.45, 0.26, 0.08};
inline constexpr colore blu_velocita{0.12, 0.47, 0.71};
inline constexpr colore viola{0.58, 0.40, 0.74};
inline constexpr colore terra{0.85, 0.78, 0.63, 0.6};
inline constexpr colore colore_quote{0.35, 0.33, 0.30};

// What the author chose on the command line.
struct opzioni_disegno {
  bool etichette_segnali = false;
};

// `v` with `decimali` decimals.
std::string numero(double v, int decimali = 0);

// The smallest of 1, 2, 5 times a power of ten that cuts `intervallo` into at most `parti`;
// never below 1e-9 and never above 1e12, so that a loop over it ends.
double passo_tondo(double intervallo, double parti);

// Names as the picture shows them: runs of blanks made one, none at the ends.
std::string compatto(const std::string& t);

// "GALLERIA DI ARONA m 670" -> "ARONA 670 m": the legend already says tunnel.
std::string nome_breve_galleria(const std::string& nome);

}  // namespace scenario::strumento

#endif  // TOOLS_PLOT_STILE_DISEGNO_H_
