// scenario-tool compile: the package's compiler over an author's sources, which are read and
// kept. The last line on standard output is the recorded error state.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "compiler/compilatore.h"
#include "compiler/nomi_file.h"
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
  bool zitto = false;
};

// "compiled route R, train 7 into lago/R_linea.dat, lago/R_7.sim, lago/R_7.dat"
std::string riga_compilati(const opzioni_compile& oc) {
  const scenario_scelto& s = oc.scenario;
  std::string file = percorso_mostrato(s.cartella, nome_stazioni(s.linea, s.treno)) + ", " +
                     percorso_mostrato(s.cartella, nome_percorso(s.linea, s.treno));
  if (!oc.senza_tracciato)
    file = percorso_mostrato(s.cartella, nome_tracciato(s.linea)) + ", " + file;
  return "compiled route " + s.linea + ", train " + s.treno + " into " + file;
}

// The compile's problems on standard error, the warnings too, in source order, with the
// sources' paths as the author gave their folder.
void spiega(compilazione_in_cartella& r, const opzioni_compilazione& o,
            const std::string& cartella) {
  if (r.stato == uscita_file) return stampa_errore(r.errore->inglese());
  // The package's message box, word for word, in the tool's voice.
  if (r.stato == uscita_identita) {
    stampa_errore(testo_errore(std::to_string(r.c.risultato.errore_identita)));
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
  if (r.stato == uscita_ok && riassunto_successo(riga_compilati(oc), oc.zitto) != uscita_ok) {
    return uscita_file;
  }
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
  opzione_silenzio(*comando, o->zitto);
}

}  // namespace scenario::strumento
