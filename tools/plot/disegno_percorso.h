// The picture of `scenario-tool plot`: the plan view of the track plan with stations,
// signals, tunnels and slow orders, and below it the line profile (height and speed limit)
// along the kilometres, as an SVG or PNG file. This file owns the page: title, layout of the
// views, legend, and the file written.
#ifndef TOOLS_PLOT_DISEGNO_PERCORSO_H_
#define TOOLS_PLOT_DISEGNO_PERCORSO_H_

#include <string>

#include "tools/dump/descrizione_scenario.h"
#include "tools/plot/stile_disegno.h"

namespace scenario::strumento {

enum class formato_immagine { svg, png };

// The image's bytes; empty with `errore` set when it cannot be made.
std::string immagine_percorso(const descrizione& d, const file_letti& f, formato_immagine formato,
                              const opzioni_disegno& o, std::string& errore);

// Draws the picture into `file`, replacing it whole. Returns an empty text, or why the file
// was not written.
std::string disegna_percorso(const descrizione& d, const file_letti& f, const std::string& file,
                             formato_immagine formato, const opzioni_disegno& o = {});

}  // namespace scenario::strumento

#endif  // TOOLS_PLOT_DISEGNO_PERCORSO_H_
