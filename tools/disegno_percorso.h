// The picture of `scenario-tool plot`: the plan view of the track plan with stations,
// signals, tunnels and slow orders, and below it the line profile (height and speed limit)
// along the kilometres. Drawn with cairo into an SVG or PNG file.
#ifndef TOOLS_DISEGNO_PERCORSO_H_
#define TOOLS_DISEGNO_PERCORSO_H_

#include <optional>
#include <string>

#include "tools/descrizione_scenario.h"

namespace scenario::strumento {

enum class formato_immagine { svg, png };

// Draws the picture into `file`. Returns an empty text, or why the file was not written.
std::string disegna_percorso(const descrizione& d, const file_letti& f, const std::string& file,
                             formato_immagine formato);

}  // namespace scenario::strumento

#endif  // TOOLS_DISEGNO_PERCORSO_H_
