// The profile of `plot`: station names over two panels that share one kilometre axis, the
// height from the gradients with the tunnels, and the speed limit with slow orders, signals
// and speed checks. The run-out past the end of the line takes a narrow strip at the right.
#ifndef TOOLS_PLOT_VISTA_PROFILO_H_
#define TOOLS_PLOT_VISTA_PROFILO_H_

#include "tools/dump/descrizione_scenario.h"
#include "tools/plot/posatore_etichette.h"
#include "tools/plot/stile_disegno.h"
#include "tools/plot/tela.h"

namespace scenario::strumento {

struct aree_profilo {
  rettangolo nomi;      // station names
  rettangolo quote;     // height panel
  rettangolo velocita;  // speed panel; the km axis goes below it
};

// What the legend must explain.
struct disegnato_nel_profilo {
  bool controlli_sopra_scala = false;  // speed checks above the top of the speed axis
};

disegnato_nel_profilo disegna_profilo(tela& t, posatore& posa, const descrizione& d,
                                      const file_letti& f, const aree_profilo& aree);

}  // namespace scenario::strumento

#endif  // TOOLS_PLOT_VISTA_PROFILO_H_
