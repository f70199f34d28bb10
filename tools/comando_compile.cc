// scenario-tool compile: the package's compiler over an author's sources, which are read and
// kept. The last line on standard output is the recorded error state.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "compiler/codici_errore.h"
#include "compiler/compilatore.h"
#include "compiler/nomi_file.h"
#include "compiler/stati_uscita.h"
#include "driver/interfaccia.h"
#include "io/cartella.h"
#include "io/compila_in_cartella.h"
#include "io/estratto_sorgente.h"
#include "tools/comandi.h"
#include "tools/lettura_comando.h"

namespace scenario::strumento {
namespace {

struct opzioni_compile {
  scenario_scelto scenario;
  bool senza_tracciato = false;
};

// The author's words for how the compile ended, on standard error, with the source's path
// as the author gave its folder.
void spiega(const compilazione_in_cartella& r, const opzioni_compilazione& o,
            const std::string& cartella) {
  const esito& e = r.c.risultato;
  esito mostrato = e;
  if (!e.file.empty()) mostrato.file = percorso_mostrato(cartella, e.file);
  switch (r.stato) {
    case uscita_file:
      stampa_errore(r.errore_file_inglese);
      break;
    case uscita_identita:
      std::fprintf(stderr, "%s\n%s", testo_errore(std::to_string(e.errore_identita)).c_str(),
                   messaggio_autore(e).c_str());
      break;
    case uscita_codice_registrato:
      std::fprintf(stderr, "%s",
                   messaggio_con_sorgente(mostrato, testo_sorgente(r.testi, o, e.file)).c_str());
      segnala_sorgenti_mancanti(r.testi, cartella, o);
      break;
    default:
      break;
  }
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
    const compilazione_in_cartella r = compila_in_cartella(blocco, o, false);
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
