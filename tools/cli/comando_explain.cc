// scenario-tool explain: what a code of the compiler means, its usual cause and its fix, from
// the tables the reference's list of codes is made from.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "compiler/campi_sorgenti.h"
#include "compiler/codici_errore.h"
#include "run/stati_uscita.h"
#include "tools/cli/comandi.h"
#include "tools/cli/lettura_comando.h"

namespace scenario::strumento {
namespace {

std::string codici_noti() {
  std::string t;
  for (const rimedio_codice& r : rimedi_codici()) {
    t += (t.empty() ? "" : ", ") + std::to_string(r.codice);
  }
  return t;
}

int spiega_codice(int32_t codice) {
  const std::optional<codice_errore_noto> noto = cerca_codice(codice);
  const auto rimedi = rimedi_codici();
  const auto r = std::find_if(rimedi.begin(), rimedi.end(),
                              [&](const rimedio_codice& x) { return x.codice == codice; });
  if (!noto || r == rimedi.end()) {
    stampa_errore("no code " + std::to_string(codice) + "; the codes are " + codici_noti());
    return uscita_uso;
  }
  std::string t = "code " + std::to_string(codice) + ": " + noto->meaning + "\n";
  t += "  usual cause: " + std::string(r->causa) + "\n";
  t += "  fix: " + std::string(r->rimedio) + "\n";
  if (noto->con_posizione) t += "  posizione_errore: the metre where the problem lies\n";
  return scrivi_uscita(t) ? uscita_ok : uscita_file;
}

}  // namespace

void registra_explain(CLI::App& app) {
  auto* comando = app.add_subcommand(
      "explain", "Say what a code of compile and check means, its usual cause and its fix");
  auto codice = std::make_shared<int32_t>(0);
  comando->add_option("CODE", *codice, "The code, as in `error 16` or codice_errore=16")
      ->required();
  comando->callback([codice] { concludi(spiega_codice(*codice)); });
}

}  // namespace scenario::strumento
