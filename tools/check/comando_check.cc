// scenario-tool check: every problem of an author's sources, without writing anything. The
// sources are read as `compile` reads them and the compile's own verdict comes first.
#include "tools/check/comando_check.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "compiler/compilatore.h"
#include "io/cartella.h"
#include "io/errore_io.h"
#include "run/compila_in_cartella.h"
#include "run/stati_uscita.h"
#include "tools/check/controllo.h"
#include "tools/cli/comandi.h"
#include "tools/cli/lettura_comando.h"

namespace scenario::strumento {
namespace {

struct opzioni_check {
  scenario_scelto scenario;
  bool json = false;
  bool severo = false;
};

nlohmann::json in_json(const std::vector<problema>& problemi, const std::string& cartella) {
  nlohmann::json lista = nlohmann::json::array();
  for (const problema& p : problemi) {
    nlohmann::json j;
    j["file"] = p.file.empty()
                    ? ""
                    : (std::filesystem::path(cartella) / p.file).lexically_normal().string();
    j["line"] = p.riga;
    j["column"] = p.colonna;
    j["severity"] = p.errore ? "error" : "warning";
    j["code"] = p.codice;
    j["message"] = p.messaggio;
    lista.push_back(std::move(j));
  }
  const auto errori =
      std::count_if(problemi.begin(), problemi.end(), [](const problema& p) { return p.errore; });
  return {{"problems", lista},
          {"errors", errori},
          {"warnings", static_cast<std::int64_t>(problemi.size()) - errori}};
}

int controlla_sorgenti(const opzioni_check& oc) {
  testi_sorgenti t;
  std::vector<problema> problemi;
  if (const int stato = leggi_e_controlla(oc.scenario, t, problemi); stato != uscita_ok) {
    return stato;
  }
  const opzioni_compilazione o{oc.scenario.linea, oc.scenario.treno, true};
  if (oc.severo) severo(problemi);
  if (oc.json) {
    std::printf("%s\n", in_json(problemi, oc.scenario.cartella).dump(2).c_str());
  } else {
    std::fputs(testo_problemi(problemi, t, o, oc.scenario.cartella).c_str(), stdout);
  }
  const bool errori =
      std::any_of(problemi.begin(), problemi.end(), [](const problema& p) { return p.errore; });
  return errori ? uscita_codice_registrato : uscita_ok;
}

}  // namespace

int leggi_e_controlla(const scenario_scelto& s, testi_sorgenti& t,
                      std::vector<problema>& problemi) {
  if (!nomi_validi(s)) return uscita_uso;
  const opzioni_compilazione o{s.linea, s.treno, true};
  try {
    cartella_su_disco cartella(s.cartella);
    t = leggi_testi(cartella, o);
  } catch (const errore_io& e) {
    // A folder, FIFO, device or oversized file where a source should be.
    stampa_errore(e.inglese());
    return uscita_file;
  }
  // A missing source ends the check at once.
  if (segnala_sorgenti_mancanti(t, s.cartella, o)) return uscita_codice_registrato;
  problemi = controlla(t, o);
  return uscita_ok;
}

void registra_check(CLI::App& app) {
  auto* comando = app.add_subcommand(
      "check",
      "List every problem of DIR/ROUTE_linea.txt and DIR/ROUTE_TRAIN-.txt; writes nothing");
  auto o = std::make_shared<opzioni_check>();
  opzioni_scenario(*comando, o->scenario);
  comando->add_flag("--json", o->json, "Print the problems as one JSON document");
  comando->add_flag("--strict", o->severo, "Count warnings as errors");
  comando->callback([o] { concludi(controlla_sorgenti(*o)); });
}

}  // namespace scenario::strumento
