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
#include "run/stati_uscita.h"
#include "sources/nome_valido.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace scenario::strumento {

bool nome_valido(const std::string& nome) {
  const std::string perche = nome_non_valido(nome);
  if (!perche.empty()) stampa_errore("the name \"" + testo_mostrabile(nome) + "\" " + perche);
  return perche.empty();
}

bool nomi_validi(const scenario_scelto& s) {
  if (!nome_valido(s.linea) || !nome_valido(s.treno)) return false;
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

void opzione_silenzio(CLI::App& comando, bool& zitto) {
  comando.add_flag("-q,--quiet", zitto, "Print nothing when it succeeds");
}

int riassunto_successo(const std::string& riga, bool zitto) {
  if (zitto) return uscita_ok;
  return scrivi_uscita(riga + "\n") ? uscita_ok : uscita_file;
}

namespace {
modo_colore colore_chiesto = modo_colore::automatico;
}  // namespace

void imposta_colore(modo_colore m) { colore_chiesto = m; }

bool colore_su(std::FILE* f) {
  if (colore_chiesto != modo_colore::automatico) return colore_chiesto == modo_colore::sempre;
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

std::vector<std::string> sorgenti_mancanti(const testi_sorgenti& t, const std::string& cartella,
                                           const opzioni_compilazione& o) {
  std::vector<std::string> messaggi;
  const std::pair<bool, std::string> sorgenti[] = {
      {t.linea.has_value(), nome_testo_linea(o.nome_linea)},
      {t.treno.has_value(), nome_testo_treno(o.nome_linea, o.numero_treno)}};
  for (const auto& [letto, nome] : sorgenti) {
    if (letto) continue;
    const auto percorso = (std::filesystem::absolute(cartella) / nome).lexically_normal();
    messaggi.push_back("no source " + io::nome_di(percorso));
  }
  return messaggi;
}

bool segnala_sorgenti_mancanti(const testi_sorgenti& t, const std::string& cartella,
                               const opzioni_compilazione& o) {
  const std::vector<std::string> messaggi = sorgenti_mancanti(t, cartella, o);
  for (const std::string& m : messaggi) stampa_errore(m);
  return !messaggi.empty();
}

}  // namespace scenario::strumento
