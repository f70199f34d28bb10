// scenario-tool compile: the package's compiler over an author's sources, which are read and
// kept. The last line on standard output is the recorded error state.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "compiler/compilatore.h"
#include "compiler/nomi_file.h"
#include "compiler/stati_uscita.h"
#include "driver/interfaccia.h"
#include "io/cartella.h"
#include "io/compila_in_cartella.h"
#include "tools/comandi.h"
#include "tools/lettura_comando.h"
#include "tools/resa_diagnostiche.h"

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
  if (r.stato == uscita_file) return stampa_errore(r.errore_file_inglese);
  if (r.stato == uscita_identita) {
    std::fprintf(stderr, "%s\n",
                 testo_errore(std::to_string(r.c.risultato.errore_identita)).c_str());
  }
  in_ordine_di_sorgente(r.c.problemi.elenco(), o);
  const contesto_resa c{r.testi, o, cartella, colore_su(stderr)};
  std::fputs(testo_diagnostiche(r.c.problemi, c).c_str(), stderr);
  if (r.stato == uscita_codice_registrato) segnala_sorgenti_mancanti(r.testi, cartella, o);
}

// The status line closes every compile, also when nothing or not everything was written.
void riga_di_stato(const esito& e) {
  std::printf("codice_errore=%d posizione_errore=%d\n", e.codice, e.posizione);
}

int compila_sorgenti(const opzioni_compile& oc) {
  int stato = uscita_ok;
  if (!nomi_validi(oc.scenario, stato)) return stato;
  const std::string& cartella = oc.scenario.cartella;
  std::error_code errore;
  if (!std::filesystem::is_directory(cartella, errore)) {
    const auto assoluta = std::filesystem::absolute(cartella, errore).lexically_normal();
    stampa_errore("no folder " + assoluta.string());
    return uscita_file;
  }
  const opzioni_compilazione o{oc.scenario.linea, oc.scenario.treno, !oc.senza_tracciato};
  try {
    const blocco_cartella blocco(cartella);
    compilazione_in_cartella r = compila_in_cartella(blocco, o, false);
    spiega(r, o, cartella);
    riga_di_stato(r.c.risultato);
    return r.stato;
  } catch (const cartella_occupata& e) {
    stampa_errore(e.inglese());
    return uscita_occupata;
  } catch (const errore_file& e) {
    stampa_errore(e.inglese());
    riga_di_stato(esito{});
    return uscita_file;
  }
}

}  // namespace

void registra_compile(CLI::App& app, int& stato) {
  auto* comando = app.add_subcommand(
      "compile", "Compile DIR/ROUTE_linea.txt and DIR/ROUTE_TRAIN-.txt into the simulator's files");
  auto o = std::make_shared<opzioni_compile>();
  opzioni_scenario(*comando, o->scenario);
  comando->add_flag("--no-plan", o->senza_tracciato, "Do not build nor write ROUTE_linea.dat");
  comando->callback([&stato, o] { stato = compila_sorgenti(*o); });
}

}  // namespace scenario::strumento
