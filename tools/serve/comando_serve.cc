// scenario-tool serve: a live view of the route in the browser, redrawn after each save. The
// options are checked here; the serving is done by scenario-tool-serve, run in this process's
// place (tools/serve/programma_serve.h).
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "run/stati_uscita.h"
#include "tools/cli/comandi.h"
#include "tools/cli/lettura_comando.h"
#include "tools/cli/programmi_accanto.h"
#include "tools/serve/programma_serve.h"

namespace scenario::strumento {
namespace {

struct opzioni_serve {
  scenario_scelto scenario;
  uint16_t porta = porta_predefinita;
};

int esegui_serve(const opzioni_serve& o) {
  if (!nomi_validi(o.scenario)) return uscita_uso;
  const std::string programma = programma_per("serve", nome_programma_serve);
  if (programma.empty()) return uscita_file;
  return esegui_al_posto(programma, {programma, o.scenario.cartella, o.scenario.linea,
                                     o.scenario.treno, std::to_string(o.porta)});
}

}  // namespace

void registra_serve(CLI::App& app) {
  const auto [comando, o] = sottocomando_su_scenario<opzioni_serve>(
      app, "serve",
      "Serve a live view of the route on http://127.0.0.1:PORT/, redrawn after each save of "
      "the sources; writes nothing. Ctrl-C ends it",
      esegui_serve);
  comando
      ->add_option("--port", o->porta,
                   "Port on the loopback address; 0 picks a free one. The address is the first "
                   "line of standard output")
      ->capture_default_str()
      ->type_name("PORT");
}

}  // namespace scenario::strumento
