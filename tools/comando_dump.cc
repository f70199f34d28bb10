// scenario-tool dump: what the compiled files of a route and train hold, decoded, as text
// for authors or as one JSON document for scripts.
#include <cstdio>
#include <memory>
#include <string>

#include "compiler/nomi_file.h"
#include "compiler/stati_uscita.h"
#include "tools/comandi.h"
#include "tools/descrizione_json.h"
#include "tools/descrizione_scenario.h"
#include "tools/descrizione_testo.h"
#include "tools/lettura_comando.h"

namespace scenario::strumento {
namespace {

struct opzioni_dump {
  scenario_scelto scenario;
  bool json = false;
};

int esegui_dump(const opzioni_dump& o) {
  int stato = uscita_ok;
  const std::optional<file_letti> f = leggi_per_comando(o.scenario, stato);
  if (!f) return stato;
  const descrizione d = descrivi(*f, o.scenario.linea, o.scenario.treno, false);
  if (o.json) {
    scrivi_json(stdout, d, *f);
  } else {
    scrivi_testo(stdout, d, *f, o.scenario.cartella);
  }
  return uscita_ok;
}

}  // namespace

void registra_dump(CLI::App& app, int& stato) {
  auto* comando = app.add_subcommand(
      "dump", "Show what DIR/ROUTE_TRAIN.dat, DIR/ROUTE_TRAIN.sim and DIR/ROUTE_linea.dat hold");
  auto o = std::make_shared<opzioni_dump>();
  opzioni_scenario(*comando, o->scenario);
  comando->add_flag("--json", o->json, "Print one JSON document instead of text");
  comando->callback([&stato, o] { stato = esegui_dump(*o); });
}

}  // namespace scenario::strumento
