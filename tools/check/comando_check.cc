// scenario-tool check: every problem of an author's sources, without writing anything. The
// compile's own verdict comes first, then what a reading that goes on after each bad record
// finds; data (--json) on standard output, the text form on standard error.
#include "tools/check/comando_check.h"

#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "compiler/compilatore.h"
#include "io/cartella.h"
#include "io/errore_io.h"
#include "run/compila_in_cartella.h"
#include "run/stati_uscita.h"
#include "tools/cli/comandi.h"
#include "tools/cli/lettura_comando.h"
#include "tools/cli/resa_diagnostiche.h"

namespace scenario::strumento {
namespace {

struct opzioni_check {
  scenario_scelto scenario;
  bool json = false;
  bool severo = false;
  std::size_t massimo = 100;
};

int controlla_sorgenti(const opzioni_check& oc) {
  testi_sorgenti t;
  raccolta_diagnostiche problemi;
  if (const int stato = leggi_e_controlla(oc.scenario, oc.massimo, t, problemi);
      stato != uscita_ok) {
    return stato;
  }
  if (oc.severo) severo(problemi);
  if (oc.json) {
    const nlohmann::json j = json_diagnostiche(problemi, oc.scenario.cartella);
    if (!scrivi_uscita(j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n")) {
      return uscita_file;
    }
  } else {
    const opzioni_compilazione o{oc.scenario.linea, oc.scenario.treno, true};
    const contesto_resa c{t, o, oc.scenario.cartella, colore_su(stderr)};
    std::fputs((testo_diagnostiche(problemi, c) + riassunto(problemi) + "\n").c_str(), stderr);
  }
  return problemi.errori() > 0 ? uscita_codice_registrato : uscita_ok;
}

}  // namespace

int leggi_e_controlla(const scenario_scelto& s, std::size_t massimo, testi_sorgenti& t,
                      raccolta_diagnostiche& problemi) {
  if (!nomi_validi(s)) return uscita_uso;
  opzioni_compilazione o{s.linea, s.treno, true};
  o.problemi_massimi = massimo;
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
  comando->add_flag("--json", o->json,
                    "Print the problems as one JSON document on standard output");
  comando->add_flag("--strict", o->severo, "Count warnings as errors");
  comando->add_option("--max-problems", o->massimo, "Show at most N problems; the rest are counted")
      ->capture_default_str()
      ->type_name("N")
      ->check(CLI::PositiveNumber);
  comando->callback([o] { concludi(controlla_sorgenti(*o)); });
}

}  // namespace scenario::strumento
