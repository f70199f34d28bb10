// The picture in a build without cairo (the Windows cross-build): plot reports that it
// cannot draw and writes nothing.
#include "tools/disegno_percorso.h"

namespace scenario::strumento {

std::string disegna_percorso(const descrizione&, const file_letti&, const std::string&,
                             formato_immagine) {
  return "this build of scenario-tool draws no pictures (no cairo)";
}

}  // namespace scenario::strumento
