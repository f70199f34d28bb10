// Names are checked before they become file names; a missing source is named by the path
// where it was looked for.
#include "tools/cli/lettura_comando.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

#include "compiler/nomi_file.h"
#include "compiler/testo_mostrabile.h"
#include "io/sistema.h"
#include "io/uscita_standard.h"
#include "sources/nome_valido.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace scenario::strumento {

bool nomi_validi(const scenario_scelto& s) {
  for (const std::string* nome : {&s.linea, &s.treno}) {
    if (const std::string perche = nome_non_valido(*nome); !perche.empty()) {
      stampa_errore("the name \"" + testo_mostrabile(*nome) + "\" " + perche);
      return false;
    }
  }
  if (const std::string conflitto = nomi_in_conflitto(s.linea, s.treno); !conflitto.empty()) {
    stampa_errore("route \"" + s.linea + "\" and train \"" + s.treno + "\": " + conflitto);
    return false;
  }
  return true;
}

bool scrivi_uscita(const std::string& testo) {
  std::fwrite(testo.data(), 1, testo.size(), stdout);
  return uscita_standard_scritta();
}

bool uscita_standard_scritta() {
  static bool detto = false;
  const std::string errore = errore_uscita_standard();
  if (errore.empty()) return true;
  if (!detto) stampa_errore("cannot write standard output: " + errore);
  detto = true;
  return false;
}

bool colore_su(std::FILE* f) {
#ifdef _WIN32
  (void)f;
  return false;
#else
  const char* no = std::getenv("NO_COLOR");
  return (no == nullptr || *no == '\0') && isatty(fileno(f));
#endif
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
    stampa_errore("no source " + io::nome_di(percorso));
    manca = true;
  }
  return manca;
}

}  // namespace scenario::strumento
