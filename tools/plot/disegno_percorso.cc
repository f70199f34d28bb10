// The page of the route picture: title and counts, the plan view above the profile, the
// legend, and the file replaced whole once the image is complete.
#include "tools/plot/disegno_percorso.h"

#include <ostream>

#include "io/errore_io.h"
#include "io/scrittura.h"
#include "tools/plot/posatore_etichette.h"
#include "tools/plot/vista_piano.h"
#include "tools/plot/vista_profilo.h"

namespace scenario::strumento {
namespace {

enum class forma { linea, fascia, punto, rombo, triangolo };

void voce_legenda(tela& t, double& x, double y, const colore& c, const std::string& nome, forma f) {
  if (f == forma::linea) t.linea({x, y - 4}, {x + 22, y - 4}, {2.2, c});
  if (f == forma::fascia) t.linea({x, y - 4}, {x + 22, y - 4}, {7, c, false, true});
  if (f == forma::punto) t.cerchio({x + 11, y - 4}, 4, c, bianco);
  if (f == forma::rombo)
    t.poligono({{x + 11, y - 9}, {x + 15, y - 4}, {x + 11, y + 1}, {x + 7, y - 4}}, c);
  if (f == forma::triangolo) t.poligono({{x + 11, y - 9}, {x + 15, y - 1}, {x + 7, y - 1}}, c);
  const carattere font{12, false};
  t.testo({x + 28, y}, {nome, font, nero, ""});
  x += 40 + larghezza_testo(nome, font);
}

void legenda(tela& t, double y, const disegnato_nel_profilo& p) {
  double x = margine_sx;
  voce_legenda(t, x, y, nero, "track", forma::linea);
  voce_legenda(t, x, y, marrone, "tunnel", forma::fascia);
  voce_legenda(t, x, y, blu_stazione, "station", forma::punto);
  voce_legenda(t, x, y, blu_stazione.con_alfa(0.45), "station area", forma::fascia);
  voce_legenda(t, x, y, rosso_segnale, "signal", forma::punto);
  voce_legenda(t, x, y, arancio, "slow order", forma::fascia);
  voce_legenda(t, x, y, blu_velocita, "speed limit", forma::linea);
  voce_legenda(t, x, y, viola, "speed check at its speed", forma::rombo);
  if (p.controlli_sopra_scala) {
    voce_legenda(t, x, y, viola, "speed check above the scale", forma::triangolo);
  }
  voce_legenda(t, x, y, colore_quote, "height", forma::linea);
}

void intestazione(tela& t, const descrizione& d) {
  t.testo({margine_sx, 38}, {d.linea + "  \u2014  train " + d.treno, {22, true}, nero, ""});
  t.testo({larghezza_pagina - margine_dx, 38},
          {std::to_string(d.numeri.stazioni) + " stations, " + std::to_string(d.numeri.segnali) +
               " signals, " + std::to_string(d.numeri.gallerie) + " tunnels, line " +
               numero(d.lunghezza_linea / 1000.0, 1) + " km",
           {13, false},
           grigio,
           ""},
          allineamento::destra);
}

void pagina(tela& t, const descrizione& d, const file_letti& f, const opzioni_disegno& o) {
  posatore posa({0, 0, larghezza_pagina, altezza_pagina});
  intestazione(t, d);
  const rettangolo area_piano{margine_sx, 55, larghezza_pagina - margine_dx, 500};
  t.testo({area_piano.x0 + 8, area_piano.y0 + 17},
          {"Plan view of the track plan (turned: start on the left)", {13, true}, nero, ""});
  posa.occupa({area_piano.x0, area_piano.y0, area_piano.x0 + 420, area_piano.y0 + 22});
  if (f.tracciato) {
    disegna_piano(t, posa, d, *f.tracciato, area_piano, o);
  } else {
    t.testo({(area_piano.x0 + area_piano.x1) / 2, (area_piano.y0 + area_piano.y1) / 2},
            {"no track plan: " + d.linea + "_linea.dat is absent", {14, false}, grigio, ""},
            allineamento::centro);
  }
  const aree_profilo aree{{margine_sx, 505, larghezza_pagina - margine_dx, 580},
                          {margine_sx, 585, larghezza_pagina - margine_dx, 865},
                          {margine_sx, 885, larghezza_pagina - margine_dx, 1135}};
  legenda(t, altezza_pagina - 22, disegna_profilo(t, posa, d, f, aree));
}

}  // namespace

std::string immagine_percorso(const descrizione& d, const file_letti& f, formato_immagine formato,
                              const opzioni_disegno& o, std::string& errore) {
  const auto t = formato == formato_immagine::svg ? tela_svg(larghezza_pagina, altezza_pagina)
                                                  : tela_png(larghezza_pagina, altezza_pagina);
  pagina(*t, d, f, o);
  return t->contenuto(errore);
}

std::string disegna_percorso(const descrizione& d, const file_letti& f, const std::string& file,
                             formato_immagine formato, const opzioni_disegno& o) {
  std::string errore;
  const std::string byte = immagine_percorso(d, f, formato, o, errore);
  // The fonts that cairo and fontconfig keep for the life of the process are handed back, so
  // that a leak checker sees only what the drawing itself leaves behind.
  libera_caratteri();
  if (!errore.empty()) return errore;
  try {
    sostituisci_file(file, [&](std::ostream& out) {
      out.write(byte.data(), static_cast<std::streamsize>(byte.size()));
    });
  } catch (const errore_io& e) {
    // The system's reason ends the message, after the file and the step it names.
    const std::string& messaggio = e.inglese();
    return messaggio.substr(messaggio.rfind(": ") + 2);
  }
  return "";
}

}  // namespace scenario::strumento
