// Route and train read off the file names in the folder.
#include "tools/cli/scelta_scenario.h"

#include <algorithm>
#include <optional>
#include <set>
#include <system_error>

#include "run/stati_uscita.h"
#include "tools/cli/lettura_comando.h"

namespace scenario::strumento {
namespace {

namespace fs = std::filesystem;

bool finisce_con(const std::string& s, std::string_view coda) {
  return s.size() > coda.size() && s.compare(s.size() - coda.size(), coda.size(), coda) == 0;
}

// ROUTE_TRAIN split after the longest route that has its own file in the folder (route
// names may hold "_"), otherwise at the last "_".
std::optional<candidato> dividi(const std::string& radice, const std::set<std::string>& linee) {
  std::optional<candidato> c;
  for (const std::string& l : linee) {
    if (radice.size() > l.size() + 1 && radice.compare(0, l.size(), l) == 0 &&
        radice[l.size()] == '_' && (!c || l.size() > c->linea.size())) {
      c = candidato{l, radice.substr(l.size() + 1)};
    }
  }
  if (c) return c;
  const std::size_t trattino = radice.rfind('_');
  if (trattino == std::string::npos || trattino == 0 || trattino + 1 == radice.size()) {
    return std::nullopt;
  }
  return candidato{radice.substr(0, trattino), radice.substr(trattino + 1)};
}

std::vector<std::string> nomi_in(const fs::path& cartella) {
  std::vector<std::string> nomi;
  std::error_code e;
  for (fs::directory_iterator it(cartella, e), fine; !e && it != fine; it.increment(e)) {
    if (it->is_regular_file(e)) nomi.push_back(it->path().filename().string());
  }
  return nomi;
}

}  // namespace

std::vector<candidato> candidati_in_cartella(const fs::path& cartella, file_cercati f) {
  const std::string_view coda_linea = f == file_cercati::sorgenti ? "_linea.txt" : "_linea.dat";
  const std::string_view coda_treno = f == file_cercati::sorgenti ? "-.txt" : ".sim";
  const std::vector<std::string> nomi = nomi_in(cartella);
  std::set<std::string> linee;
  for (const std::string& n : nomi) {
    if (finisce_con(n, coda_linea)) linee.insert(n.substr(0, n.size() - coda_linea.size()));
  }
  std::vector<candidato> candidati;
  for (const std::string& n : nomi) {
    if (!finisce_con(n, coda_treno)) continue;
    if (auto c = dividi(n.substr(0, n.size() - coda_treno.size()), linee)) {
      candidati.push_back(*c);
    }
  }
  std::sort(candidati.begin(), candidati.end(), [](const candidato& a, const candidato& b) {
    return a.linea != b.linea ? a.linea < b.linea : a.treno < b.treno;
  });
  return candidati;
}

std::string completa_scenario(scenario_scelto& s, bool linea_data, bool treno_data,
                              file_cercati f) {
  if (linea_data && treno_data) return "";
  std::vector<candidato> c = candidati_in_cartella(s.cartella, f);
  std::erase_if(c, [&](const candidato& x) {
    return (linea_data && x.linea != s.linea) || (treno_data && x.treno != s.treno);
  });
  if (c.size() == 1) {
    s.linea = c.front().linea;
    s.treno = c.front().treno;
  }
  if (c.size() <= 1) return "";
  const char* cosa = f == file_cercati::sorgenti ? "sources" : "compiled files";
  std::string m = s.cartella + " holds the " + cosa + " of " + std::to_string(c.size()) +
                  " routes and trains; choose one with --route and --train:";
  for (const candidato& x : c) m += "\n  --route " + x.linea + " --train " + x.treno;
  return m;
}

void inferisci_da_cartella(CLI::App& comando, scenario_scelto& s) {
  comando.parse_complete_callback([&comando, &s] {
    const std::string& nome = comando.get_name();
    const bool sorgenti =
        nome == "compile" || nome == "check" || nome == "package" || nome == "serve";
    const std::string errore = completa_scenario(
        s, comando.get_option("--route")->count() > 0, comando.get_option("--train")->count() > 0,
        sorgenti ? file_cercati::sorgenti : file_cercati::compilati);
    if (errore.empty()) return;
    stampa_errore(errore);
    termina(uscita_uso);
  });
}

}  // namespace scenario::strumento
