// scenario-tool compile: the package's compiler over an author's sources, which are read and
// kept. The last line on standard output is the recorded error state.
#include <cstdio>
#include <memory>

#include "compiler/codici_errore.h"
#include "compiler/compilatore.h"
#include "compiler/file_binari.h"
#include "compiler/nomi_file.h"
#include "compiler/stati_uscita.h"
#include "driver/file_programma.h"
#include "driver/interfaccia.h"
#include "driver/testi_in_cartella.h"
#include "tools/comandi.h"

namespace scenario::strumento {
namespace {

struct opzioni_compile {
  scenario_scelto scenario;
  bool senza_tracciato = false;
};

// The text of the source a message points into, or nothing.
std::string_view testo_di(const testi_sorgenti& t, const opzioni_compilazione& o,
                          const std::string& file) {
  const std::optional<std::string>* testo = nullptr;
  if (file == nome_testo_linea(o.nome_linea)) testo = &t.linea;
  if (file == nome_testo_treno(o.nome_linea, o.numero_treno)) testo = &t.treno;
  return testo != nullptr && *testo ? std::string_view(**testo) : std::string_view();
}

// The identity error stops before any file is written; a recorded code is explained; a file
// that cannot be written ends with its own status.
int scrivi_e_spiega(const compilazione& c, const testi_sorgenti& t, const opzioni_compile& oc,
                    const opzioni_compilazione& o) {
  const esito& r = c.risultato;
  if (r.identita()) {
    std::fprintf(stderr, "%s\n%s", testo_errore(std::to_string(r.errore_identita)).c_str(),
                 messaggio_autore(r, "").c_str());
    return uscita_identita;
  }
  try {
    file_in_cartella uscite(oc.scenario.cartella);
    scrivi_compilati(c.scenario, o, uscite);
  } catch (const errore_file& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return uscita_file;
  }
  if (r.codice == 0) return uscita_ok;
  std::fprintf(stderr, "%s", messaggio_autore(r, testo_di(t, o, r.file)).c_str());
  return uscita_codice_registrato;
}

int compila_sorgenti(const opzioni_compile& oc) {
  for (const std::string* nome : {&oc.scenario.linea, &oc.scenario.treno}) {
    if (const std::string perche = nome_non_valido(*nome); !perche.empty()) {
      std::fprintf(stderr, "scenario-tool: the name \"%s\" %s\n", nome->c_str(), perche.c_str());
      return uscita_uso;
    }
  }
  const opzioni_compilazione o{oc.scenario.linea, oc.scenario.treno, !oc.senza_tracciato};
  const testi_sorgenti t = leggi_testi(oc.scenario.cartella, o);
  const compilazione c = compila(t, o);
  const int stato = scrivi_e_spiega(c, t, oc, o);
  // The status line closes every compile, also when nothing or not everything was written.
  std::printf("codice_errore=%d posizione_errore=%d\n", c.risultato.codice, c.risultato.posizione);
  return stato;
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
