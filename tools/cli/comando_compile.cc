// scenario-tool compile: the package's compiler over an author's sources, which are read and
// kept. The last line on standard output is the recorded error state.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "compiler/compilatore.h"
#include "io/sistema.h"
#include "run/compila_in_cartella.h"
#include "run/interfaccia_utente.h"
#include "run/stati_uscita.h"
#include "tools/cli/comandi.h"
#include "tools/cli/lettura_comando.h"
#include "tools/cli/resa_diagnostiche.h"

namespace scenario::strumento {
namespace {

struct opzioni_compile {
  scenario_scelto scenario;
  bool senza_tracciato = false;
};

// The compile's problems on standard error, the warnings too, in source order, with the
// sources' paths as the author gave their folder.
void spiega(compilazione_in_cartella& r, const opzioni_compilazione& o,
            const std::string& cartella) {
  if (r.stato == uscita_file) return stampa_errore(r.errore->inglese());
  if (r.stato == uscita_identita) {
    std::fprintf(stderr, "%s\n",
                 testo_errore(std::to_string(r.c.risultato.errore_identita)).c_str());
  }
  in_ordine_di_sorgente(r.c.problemi.elenco(), o);
  const contesto_resa c{r.testi, o, cartella, colore_su(stderr)};
  std::fputs(testo_diagnostiche(r.c.problemi, c).c_str(), stderr);
  if (r.stato == uscita_codice_registrato) segnala_sorgenti_mancanti(r.testi, cartella, o);
}

int compila_sorgenti(const opzioni_compile& oc) {
  if (!nomi_validi(oc.scenario)) return uscita_uso;
  const std::string& cartella = oc.scenario.cartella;
  std::error_code errore;
  if (!std::filesystem::is_directory(cartella, errore)) {
    const auto assoluta = std::filesystem::absolute(cartella, errore).lexically_normal();
    stampa_errore("no folder " + io::nome_di(assoluta));
    return uscita_file;
  }
  const opzioni_compilazione o{oc.scenario.linea, oc.scenario.treno, !oc.senza_tracciato};
  compilazione_in_cartella r = compila_cartella(cartella, o);
  // A run that never started says so alone; every other one closes with the status line,
  // also when nothing or not everything was written.
  if (r.stato == uscita_occupata) {
    stampa_errore(r.errore->inglese());
    return r.stato;
  }
  spiega(r, o, cartella);
  std::printf("codice_errore=%d posizione_errore=%d\n", r.c.risultato.codice,
              r.c.risultato.posizione);
  return uscita_standard_scritta() ? r.stato : uscita_file;
}

}  // namespace

void registra_compile(CLI::App& app) {
  const auto [comando, o] = sottocomando_su_scenario<opzioni_compile>(
      app, "compile",
      "Compile DIR/ROUTE_linea.txt and DIR/ROUTE_TRAIN-.txt into the simulator's files",
      compila_sorgenti);
  comando->add_flag("--no-plan", o->senza_tracciato, "Do not build nor write ROUTE_linea.dat");
}

}  // namespace scenario::strumento
