// Names are checked before they become file names; a damaged file ends the subcommand
// with its reason, never with a crash.
#include "tools/lettura_comando.h"

#include <cstdio>
#include <string>

namespace scenario::strumento {

bool nomi_validi(const scenario_scelto& s, int& stato) {
  for (const std::string* nome : {&s.linea, &s.treno}) {
    if (const std::string perche = nome_non_valido(*nome); !perche.empty()) {
      std::fprintf(stderr, "scenario-tool: the name \"%s\" %s\n", nome->c_str(), perche.c_str());
      stato = uscita_uso;
      return false;
    }
  }
  return true;
}

std::optional<file_letti> leggi_per_comando(const scenario_scelto& s, int& stato) {
  if (!nomi_validi(s, stato)) return std::nullopt;
  try {
    return leggi_file_scenario(s.cartella, s.linea, s.treno);
  } catch (const file_illeggibile& e) {
    std::fprintf(stderr, "scenario-tool: %s\n", e.what());
    stato = uscita_compilato_danneggiato;
    return std::nullopt;
  }
}

}  // namespace scenario::strumento
