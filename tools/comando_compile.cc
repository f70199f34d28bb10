// scenario-tool compile: the package's compile driver over an author's sources, which are
// read and kept. The last line on standard output is the recorded error state.
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "compiler/codici_errore.h"
#include "compiler/compilatore.h"
#include "driver/esecuzione.h"
#include "driver/file_programma.h"
#include "driver/interfaccia.h"
#include "tools/comandi.h"

namespace scenario::strumento {
namespace {

// The text of line `riga` of a source, for the author's error message.
std::string riga_del_sorgente(const std::filesystem::path& file, int32_t riga) {
  std::ifstream in(file, std::ios::binary);
  std::string testo;
  for (int32_t i = 0; i < riga && std::getline(in, testo); ++i) {
  }
  while (!testo.empty() && (testo.back() == '\r' || testo.back() == '\n')) testo.pop_back();
  return testo;
}

// The recorded code on standard error, with the source line where reading stopped.
void spiega_codice(const modello& m, const std::string& cartella) {
  const auto noto = cerca_codice(m.codice_errore);
  std::fprintf(
      stderr, "%s\n",
      messaggio_errore(m.codice_errore, m.posizione_errore, m.sorgente_errore, m.riga_errore)
          .c_str());
  if (noto && noto->dal_sorgente && m.riga_errore > 0) {
    const auto file = std::filesystem::path(cartella) / m.sorgente_errore;
    std::fprintf(stderr, "  %s\n", riga_del_sorgente(file, m.riga_errore).c_str());
  }
}

struct opzioni_compile {
  scenario_scelto scenario;
  bool senza_tracciato = false;
};

int compila(const opzioni_compile& o) {
  for (const std::string* nome : {&o.scenario.linea, &o.scenario.treno}) {
    if (const std::string perche = nome_non_valido(*nome); !perche.empty()) {
      std::fprintf(stderr, "scenario-tool: the name \"%s\" %s\n", nome->c_str(), perche.c_str());
      return uscita_uso;
    }
  }
  modello m;
  m.nome_linea = o.scenario.linea;
  m.numero_treno = o.scenario.treno;
  sorgenti_in_cartella sorgenti(o.scenario.cartella, m.nome_linea, m.numero_treno, false);
  file_in_cartella uscite(o.scenario.cartella);
  // The status line closes every compile, also when nothing or not everything was written.
  int stato = uscita_ok;
  try {
    if (const int32_t errore = memorizza_percorso(m, o.senza_tracciato ? 0 : 1, sorgenti, uscite);
        errore != 0) {
      std::fprintf(stderr, "%s\n%s\n", testo_errore(std::to_string(errore)).c_str(),
                   messaggio_errore(errore, 0, "", 0).c_str());
      stato = uscita_identita;
    }
  } catch (const errore_file& e) {
    std::fprintf(stderr, "%s\n", e.what());
    stato = uscita_file;
  }
  if (stato == uscita_ok && m.codice_errore != 0) {
    spiega_codice(m, o.scenario.cartella);
    stato = uscita_codice_registrato;
  }
  std::printf("codice_errore=%d posizione_errore=%d\n", m.codice_errore, m.posizione_errore);
  return stato;
}

}  // namespace

void registra_compile(CLI::App& app, int& stato) {
  auto* comando = app.add_subcommand(
      "compile", "Compile DIR/ROUTE_linea.txt and DIR/ROUTE_TRAIN-.txt into the simulator's files");
  auto o = std::make_shared<opzioni_compile>();
  opzioni_scenario(*comando, o->scenario);
  comando->add_flag("--no-plan", o->senza_tracciato, "Do not build nor write ROUTE_linea.dat");
  comando->callback([&stato, o] { stato = compila(*o); });
}

}  // namespace scenario::strumento
