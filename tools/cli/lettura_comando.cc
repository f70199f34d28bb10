// Names are checked before they become file names; a missing source is named by the path
// where it was looked for.
#include "tools/cli/lettura_comando.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>

#include "compiler/nomi_file.h"
#include "sources/nome_valido.h"

namespace scenario::strumento {

bool nomi_validi(const scenario_scelto& s) {
  for (const std::string* nome : {&s.linea, &s.treno}) {
    if (const std::string perche = nome_non_valido(*nome); !perche.empty()) {
      stampa_errore("the name \"" + *nome + "\" " + perche);
      return false;
    }
  }
  return true;
}

void stampa_errore(const std::string& messaggio) {
  std::fprintf(stderr, "scenario-tool: %s\n", messaggio.c_str());
}

bool segnala_sorgenti_mancanti(const testi_sorgenti& t, const std::string& cartella,
                               const opzioni_compilazione& o) {
  bool manca = false;
  const std::pair<bool, std::string> sorgenti[] = {
      {t.linea.has_value(), nome_testo_linea(o.nome_linea)},
      {t.treno.has_value(), nome_testo_treno(o.nome_linea, o.numero_treno)}};
  for (const auto& [letto, nome] : sorgenti) {
    if (letto) continue;
    const auto percorso = (std::filesystem::absolute(cartella) / nome).lexically_normal();
    stampa_errore("no source " + percorso.string());
    manca = true;
  }
  return manca;
}

}  // namespace scenario::strumento
