// How scenario-tool hands `plot` to its drawing program, scenario-tool-plot, which alone
// links cairo and fontconfig: the tool checks the options and then runs the program in its
// place with the arguments below, so that the other subcommands never load those libraries.
#ifndef TOOLS_PLOT_PROGRAMMA_PLOT_H_
#define TOOLS_PLOT_PROGRAMMA_PLOT_H_

#include <optional>
#include <string>

#include "tools/plot/disegno_percorso.h"

namespace scenario::strumento {

// Looked for beside scenario-tool (tools/cli/programmi_accanto.h).
inline constexpr const char* nome_programma_plot = "scenario-tool-plot";
// Arguments: FOLDER ROUTE TRAIN OUT, then this flag when signals are labelled.
inline constexpr const char* opzione_etichette_segnali = "--signal-labels";

// From the file's ending (".svg" or ".png", any case); nothing for any other.
inline std::optional<formato_immagine> formato_da_nome(const std::string& file) {
  if (file.size() < 4) return std::nullopt;
  std::string coda = file.substr(file.size() - 4);
  for (char& c : coda) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  if (coda == ".svg") return formato_immagine::svg;
  if (coda == ".png") return formato_immagine::png;
  return std::nullopt;
}

}  // namespace scenario::strumento

#endif  // TOOLS_PLOT_PROGRAMMA_PLOT_H_
