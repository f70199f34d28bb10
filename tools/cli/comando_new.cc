// scenario-tool new: the minimal route of the source-format reference, under the author's
// names, as the start of a route of their own.
#include <memory>
#include <ostream>
#include <string>

#include "compiler/campi_sorgenti.h"
#include "compiler/nomi_file.h"
#include "compiler/sorgenti.h"
#include "run/stati_uscita.h"
#include "tools/cli/comandi.h"
#include "tools/cli/lettura_comando.h"
#include "tools/cli/scrittura_sorgenti.h"

namespace scenario::strumento {
namespace {

struct opzioni_new {
  scenario_scelto scenario;
  bool forza = false;
};

void scrivi_testo(destinazione_file& uscite, const std::string& nome, const std::string& testo) {
  uscite.scrivi(nome, [&](std::ostream& out) { out << testo; });
}

int esegui_new(const opzioni_new& o) {
  const scenario_scelto& s = o.scenario;
  if (!nomi_validi(s)) return uscita_uso;
  const std::string linea = nome_testo_linea(s.linea);
  const std::string treno = nome_testo_treno(s.linea, s.treno);
  return scrivi_in_cartella(s.cartella, {linea, treno}, o.forza, [&](destinazione_file& uscite) {
    scrivi_testo(uscite, linea, testo_esempio(file_sorgente::linea));
    scrivi_testo(uscite, treno, testo_esempio(file_sorgente::treno));
  });
}

}  // namespace

void registra_new(CLI::App& app) {
  auto* comando = app.add_subcommand(
      "new", "Write a minimal route (DIR/ROUTE_linea.txt, DIR/ROUTE_TRAIN-.txt) to start from");
  auto o = std::make_shared<opzioni_new>();
  comando->add_option("--dir", o->scenario.cartella, "Folder to write into (created when missing)")
      ->capture_default_str()
      ->type_name("DIR");
  comando->add_option("--route", o->scenario.linea, "Route identifier of the new route")
      ->required();
  comando->add_option("--train", o->scenario.treno, "Train number of the new route")->required();
  comando->add_flag("--force", o->forza, "Replace sources that already exist");
  comando->callback([o] { concludi(esegui_new(*o)); });
}

}  // namespace scenario::strumento
