// scenario-tool dump: what the compiled files of a route and train hold, decoded, as text
// for authors or as one JSON document for scripts.
#include <cstdio>
#include <optional>

#include "run/stati_uscita.h"
#include "tools/cli/comandi.h"
#include "tools/cli/lettura_comando.h"
#include "tools/dump/descrizione_json.h"
#include "tools/dump/descrizione_scenario.h"
#include "tools/dump/descrizione_testo.h"
#include "tools/dump/sorgenti_piu_recenti.h"

namespace scenario::strumento {
namespace {

struct opzioni_dump {
  scenario_scelto scenario;
  bool json = false;
};

int esegui_dump(const opzioni_dump& o) {
  if (!nomi_validi(o.scenario)) return uscita_uso;
  avvisa_sorgenti_piu_recenti(o.scenario.cartella, o.scenario.linea, o.scenario.treno);
  const std::optional<file_letti> f =
      leggi_compilati(o.scenario.cartella, o.scenario.linea, o.scenario.treno, true);
  if (!f) return uscita_compilato_danneggiato;
  const descrizione d = descrivi(*f, o.scenario.linea, o.scenario.treno, false);
  if (o.json) {
    scrivi_json(stdout, d, *f);
  } else {
    scrivi_testo(stdout, d, *f, o.scenario.cartella);
  }
  return uscita_standard_scritta() ? uscita_ok : uscita_file;
}

}  // namespace

void registra_dump(CLI::App& app) {
  const auto [comando, o] = sottocomando_su_scenario<opzioni_dump>(
      app, "dump",
      "Show what DIR/ROUTE_TRAIN.dat, DIR/ROUTE_TRAIN.sim and DIR/ROUTE_linea.dat hold",
      esegui_dump);
  comando->add_flag("--json", o->json, "Print one JSON document instead of text");
}

}  // namespace scenario::strumento
