// The plan view of `plot`: the track plan turned onto the chord of the line, at one scale on
// both axes, with stations, signals, tunnels, slow orders and kilometre posts. The run-out
// past the end of the line is drawn only for its first stretch.
#ifndef TOOLS_PLOT_VISTA_PIANO_H_
#define TOOLS_PLOT_VISTA_PIANO_H_

#include "compiler/file_binari.h"
#include "tools/dump/descrizione_scenario.h"
#include "tools/plot/posatore_etichette.h"
#include "tools/plot/stile_disegno.h"
#include "tools/plot/tela.h"

namespace scenario::strumento {

void disegna_piano(tela& t, posatore& posa, const descrizione& d, const tracciato_letto& tracciato,
                   const rettangolo& area, const opzioni_disegno& o);

}  // namespace scenario::strumento

#endif  // TOOLS_PLOT_VISTA_PIANO_H_
