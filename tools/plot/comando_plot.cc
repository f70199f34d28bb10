// scenario-tool plot: the picture of a compiled route, plan view and line profile, as an SVG
// or PNG file chosen by the ending of --out. The options are checked here; the drawing is
// done by scenario-tool-plot, run in this process's place (tools/plot/programma_plot.h).
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "compiler/testo_mostrabile.h"
#include "run/stati_uscita.h"
#include "tools/cli/comandi.h"
#include "tools/cli/lettura_comando.h"
#include "tools/cli/programmi_accanto.h"
#include "tools/dump/sorgenti_piu_recenti.h"
#include "tools/plot/programma_plot.h"

namespace scenario::strumento {
namespace {

struct opzioni_plot {
  scenario_scelto scenario;
  std::string uscita;
  bool etichette_segnali = false;
};

int esegui_plot(const opzioni_plot& o) {
  if (!formato_da_nome(o.uscita)) {
    stampa_errore("--out \"" + testo_mostrabile(o.uscita) + "\" must end in .svg or .png");
    return uscita_uso;
  }
  if (!nomi_validi(o.scenario)) return uscita_uso;
  avvisa_sorgenti_piu_recenti(o.scenario.cartella, o.scenario.linea, o.scenario.treno);
  const std::string programma = programma_per("plot", nome_programma_plot);
  if (programma.empty()) return uscita_file;
  std::vector<std::string> argomenti = {programma, o.scenario.cartella, o.scenario.linea,
                                        o.scenario.treno, o.uscita};
  if (o.etichette_segnali) argomenti.emplace_back(opzione_etichette_segnali);
  return esegui_al_posto(programma, std::move(argomenti));
}

}  // namespace

void registra_plot(CLI::App& app) {
  const auto [comando, o] = sottocomando_su_scenario<opzioni_plot>(
      app, "plot", "Draw the plan view and the line profile of the compiled route into an image",
      esegui_plot);
  comando->add_option("--out", o->uscita, "Image to write: FILE.svg or FILE.png")->required();
  comando->add_flag("--signal-labels", o->etichette_segnali,
                    "Label each signal in the plan view with its km");
}

}  // namespace scenario::strumento
