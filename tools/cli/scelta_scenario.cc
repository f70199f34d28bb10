// Route and train read off the file names in the folder.
#include "tools/cli/scelta_scenario.h"

#include <algorithm>
#include <optional>
#include <set>
#include <string_view>

#include "io/elenco.h"
#include "run/stati_uscita.h"
#include "tools/cli/lettura_comando.h"

namespace scenario::strumento {
namespace {

// The endings of the names a command looks for.
struct code_file {
  std::string_view linea;
  std::string_view treno;
};

code_file code_di(file_cercati f) {
  if (f == file_cercati::sorgenti) return {"_linea.txt", "-.txt"};
  return {"_linea.dat", ".sim"};
}

bool finisce_con(const std::string& s, std::string_view coda) {
  return s.size() > coda.size() && s.compare(s.size() - coda.size(), coda.size(), coda) == 0;
}

std::string senza_coda(const std::string& s, std::string_view coda) {
  return s.substr(0, s.size() - coda.size());
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

std::set<std::string> linee_tra(const std::vector<std::string>& nomi, file_cercati f) {
  std::set<std::string> linee;
  for (const std::string& n : nomi) {
    if (finisce_con(n, code_di(f).linea)) linee.insert(senza_coda(n, code_di(f).linea));
  }
  return linee;
}

// The root ROUTE_TRAIN of a name that ends like a train's file: ROUTE_TRAIN-.txt for the
// sources; ROUTE_TRAIN.sim or ROUTE_TRAIN.dat (not a track plan) for the compiled files.
std::optional<std::string> radice_treno(const std::string& nome, file_cercati f) {
  const code_file code = code_di(f);
  if (finisce_con(nome, code.treno)) return senza_coda(nome, code.treno);
  if (f == file_cercati::compilati && finisce_con(nome, ".dat") && !finisce_con(nome, code.linea)) {
    return senza_coda(nome, ".dat");
  }
  return std::nullopt;
}

// Every pair a train's file names, whether or not its route's line is there.
std::vector<candidato> treni_tra(const std::vector<std::string>& nomi, file_cercati f) {
  const std::set<std::string> linee = linee_tra(nomi, f);
  std::vector<candidato> treni;
  for (const std::string& n : nomi) {
    const std::optional<std::string> radice = radice_treno(n, f);
    if (!radice) continue;
    if (auto c = dividi(*radice, linee)) treni.push_back(*c);
  }
  std::sort(treni.begin(), treni.end(), [](const candidato& a, const candidato& b) {
    return a.linea != b.linea ? a.linea < b.linea : a.treno < b.treno;
  });
  treni.erase(std::unique(treni.begin(), treni.end()), treni.end());
  return treni;
}

// The folder as the author gave it, with one "/" after it: "route/".
std::string cartella_mostrata(const std::string& cartella) {
  return cartella.ends_with('/') ? cartella : cartella + "/";
}

// "found A, B" with the files of the folder but those already named; "found only A" when
// nothing else is there, "the folder is empty" when nothing at all. Hidden files (the lock)
// are no route's, and a long listing is cut.
std::string trovati(const std::vector<std::string>& nomi, const std::set<std::string>& nominati) {
  std::vector<std::string> visti, altri;
  for (const std::string& n : nomi) {
    if (n.starts_with('.')) continue;
    (nominati.contains(n) ? visti : altri).push_back(n);
  }
  if (visti.empty() && altri.empty()) return "the folder is empty";
  const std::vector<std::string>& elenco = altri.empty() ? visti : altri;
  constexpr std::size_t massimo = 8;
  std::string t = altri.empty() ? "found only " : "found ";
  for (std::size_t i = 0; i < elenco.size() && i < massimo; ++i) {
    t += (i == 0 ? "" : ", ") + elenco[i];
  }
  if (elenco.size() > massimo) t += ", and " + std::to_string(elenco.size() - massimo) + " more";
  return t;
}

std::string troppi(const scenario_scelto& s, file_cercati f, const std::vector<candidato>& c) {
  const char* cosa = f == file_cercati::sorgenti ? "sources" : "compiled files";
  std::string m = s.cartella + " holds the " + cosa + " of " + std::to_string(c.size()) +
                  " routes and trains; choose one with --route and --train:";
  for (const candidato& x : c) m += "\n  --route " + x.linea + " --train " + x.treno;
  return m;
}

// Why no pair of the folder agrees with the names given: which part is missing, what the
// folder holds instead, and how such a file is named.
std::string nessuno(const scenario_scelto& s, bool linea_data, bool treno_data, file_cercati f,
                    const std::vector<std::string>& nomi) {
  const code_file code = code_di(f);
  const std::string dove = " in " + cartella_mostrata(s.cartella) + ": ";
  std::set<std::string> linee = linee_tra(nomi, f);
  if (linea_data) std::erase_if(linee, [&](const std::string& l) { return l != s.linea; });
  std::vector<candidato> treni = treni_tra(nomi, f);
  std::erase_if(treni, [&](const candidato& x) {
    return (linea_data && x.linea != s.linea) || (treno_data && x.treno != s.treno);
  });
  const std::string treno = treno_data ? " " + s.treno : "";
  if (f == file_cercati::compilati) {
    const std::string di = linea_data   ? " of route " + s.linea
                           : treno_data ? " of train " + s.treno
                                        : "";
    return "no compiled files" + di + dove + trovati(nomi, {}) +
           "; the compiled files are ROUTE_TRAIN.sim and ROUTE_TRAIN.dat, which compile writes";
  }
  if (!linee.empty()) {
    std::string per;
    std::set<std::string> nominati;
    for (const std::string& l : linee) {
      per += (per.empty() ? "" : " or ") + l;
      nominati.insert(l + std::string(code.linea));
    }
    return "no train service" + treno + " for " + per + dove + trovati(nomi, nominati) +
           "; a train service is named ROUTE_TRAIN-.txt";
  }
  if (!treni.empty()) {
    return "no line description for " + treni.front().linea + dove + trovati(nomi, {}) +
           "; a line description is named ROUTE_linea.txt";
  }
  return "no route" + (linea_data ? " " + s.linea : std::string()) +
         (treno_data ? " with a train " + s.treno : std::string()) + dove + trovati(nomi, {}) +
         "; a route is ROUTE_linea.txt with its train service ROUTE_TRAIN-.txt";
}

}  // namespace

std::vector<candidato> candidati_tra(const std::vector<std::string>& nomi, file_cercati f) {
  std::vector<candidato> c = treni_tra(nomi, f);
  if (f == file_cercati::sorgenti) {
    const std::set<std::string> linee = linee_tra(nomi, f);
    std::erase_if(c, [&](const candidato& x) { return !linee.contains(x.linea); });
  }
  return c;
}

std::string completa_scenario(scenario_scelto& s, bool linea_data, bool treno_data,
                              file_cercati f) {
  if (linea_data && treno_data) return "";
  const elenco_cartella elenco = elenca_file(s.cartella);
  if (elenco.stato == stato_elenco::assente) return "no folder " + cartella_mostrata(s.cartella);
  if (elenco.stato == stato_elenco::non_cartella) return s.cartella + " is not a folder";
  if (elenco.stato == stato_elenco::illeggibile) {
    return "the folder " + cartella_mostrata(s.cartella) + " cannot be read: " + elenco.ragione;
  }
  std::vector<candidato> c = candidati_tra(elenco.nomi, f);
  std::erase_if(c, [&](const candidato& x) {
    return (linea_data && x.linea != s.linea) || (treno_data && x.treno != s.treno);
  });
  if (c.empty()) return nessuno(s, linea_data, treno_data, f, elenco.nomi);
  if (c.size() > 1) return troppi(s, f, c);
  s.linea = c.front().linea;
  s.treno = c.front().treno;
  return "";
}

void completa_da_cartella(const CLI::App& comando, scenario_scelto& s) {
  const std::string& nome = comando.get_name();
  const bool sorgenti =
      nome == "compile" || nome == "check" || nome == "package" || nome == "serve";
  const bool linea_data = comando.get_option("--route")->count() > 0;
  const bool treno_data = comando.get_option("--train")->count() > 0;
  // A name given that no file may carry is said before the folder is looked at.
  if ((linea_data && !nome_valido(s.linea)) || (treno_data && !nome_valido(s.treno))) {
    termina(uscita_uso);
  }
  const std::string errore = completa_scenario(
      s, linea_data, treno_data, sorgenti ? file_cercati::sorgenti : file_cercati::compilati);
  if (errore.empty()) return;
  stampa_errore(errore);
  termina(uscita_uso);
}

}  // namespace scenario::strumento
