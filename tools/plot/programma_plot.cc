// scenario-tool-plot: the drawing half of `scenario-tool plot`, a program of its own so that
// only it loads cairo, fontconfig and the X11 libraries they bring. scenario-tool has checked
// the options and runs it in its own place; messages and statuses are the tool's.
#include "tools/plot/programma_plot.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "io/sistema.h"
#include "io/uscita_standard.h"
#include "run/stati_uscita.h"
#include "tools/dump/descrizione_scenario.h"

namespace {

using namespace scenario::strumento;

int disegna(const std::string& cartella, const std::string& linea, const std::string& treno,
            const std::string& uscita, const opzioni_disegno& o) {
  const std::optional<formato_immagine> formato = formato_da_nome(uscita);
  if (!formato) return scenario::uscita_uso;
  const std::optional<file_letti> letti = leggi_compilati(cartella, linea, treno, true);
  if (!letti) return scenario::uscita_compilato_danneggiato;
  const file_letti& f = *letti;
  if (!f.tracciato) {
    std::fprintf(stderr, "scenario-tool: no track plan in %s: the plan view stays empty\n",
                 scenario::io::nome_di(cartella).c_str());
  }
  const descrizione d = descrivi(f, linea, treno);
  if (const std::string errore = disegna_percorso(d, f, uscita, *formato, o); !errore.empty()) {
    std::fprintf(stderr, "scenario-tool: %s: cannot be written: %s\n",
                 scenario::io::nome_di(uscita).c_str(), errore.c_str());
    return scenario::uscita_file;
  }
  return scenario::uscita_ok;
}

}  // namespace

int main(int argc, char** argv) {
  scenario::prepara_segnali_di_scrittura();
  const bool etichette = argc == 6 && std::strcmp(argv[5], opzione_etichette_segnali) == 0;
  if (argc != 5 && !etichette) {
    std::fprintf(stderr, "%s is run by scenario-tool plot; see scenario-tool plot --help\n",
                 nome_programma_plot);
    return scenario::uscita_uso;
  }
  return disegna(argv[1], argv[2], argv[3], argv[4], opzioni_disegno{etichette});
}
