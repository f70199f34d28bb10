// scenario-tool plot: the picture of a compiled route, plan view and line profile, as an SVG
// or PNG file chosen by the ending of --out.
#include <cstdio>
#include <memory>
#include <string>

#include "driver/esecuzione.h"
#include "tools/comandi.h"
#include "tools/descrizione_scenario.h"
#include "tools/disegno_percorso.h"
#include "tools/lettura_comando.h"

namespace scenario::strumento {
namespace {

struct opzioni_plot {
  scenario_scelto scenario;
  std::string uscita;
};

// From the file's ending (".svg" or ".png", any case); nothing for any other.
std::optional<formato_immagine> formato_da_nome(const std::string& file) {
  if (file.size() < 4) return std::nullopt;
  std::string coda = file.substr(file.size() - 4);
  for (char& c : coda) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  if (coda == ".svg") return formato_immagine::svg;
  if (coda == ".png") return formato_immagine::png;
  return std::nullopt;
}

int esegui_plot(const opzioni_plot& o) {
  const auto formato = formato_da_nome(o.uscita);
  if (!formato) {
    std::fprintf(stderr, "scenario-tool: --out \"%s\" must end in .svg or .png\n",
                 o.uscita.c_str());
    return uscita_uso;
  }
  int stato = uscita_ok;
  const std::optional<file_letti> f = leggi_per_comando(o.scenario, stato);
  if (!f) return stato;
  if (!f->tracciato) {
    std::fprintf(stderr, "scenario-tool: no track plan in %s: the plan view stays empty\n",
                 o.scenario.cartella.c_str());
  }
  const descrizione d = descrivi(*f, o.scenario.linea, o.scenario.treno);
  if (const std::string errore = disegna_percorso(d, *f, o.uscita, *formato); !errore.empty()) {
    std::fprintf(stderr, "scenario-tool: %s: cannot be written: %s\n", o.uscita.c_str(),
                 errore.c_str());
    return uscita_file_danneggiato;
  }
  return uscita_ok;
}

}  // namespace

void registra_plot(CLI::App& app, int& stato) {
  auto* comando = app.add_subcommand(
      "plot", "Draw the plan view and the line profile of the compiled route into an image");
  auto o = std::make_shared<opzioni_plot>();
  opzioni_scenario(*comando, o->scenario);
  comando->add_option("--out", o->uscita, "Image to write: FILE.svg or FILE.png")->required();
  comando->callback([&stato, o] { stato = esegui_plot(*o); });
}

}  // namespace scenario::strumento
