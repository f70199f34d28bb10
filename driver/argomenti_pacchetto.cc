// Texts of the package's command line, in English like scenario-tool's.
#include "driver/argomenti_pacchetto.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "compiler/nomi_file.h"
#include "io/sistema.h"
#include "run/stati_uscita.h"
#include "versione.h"

namespace scenario {
namespace {

constexpr std::size_t larghezza = 88;

std::string nome_programma(const carico* c) {
  return c != nullptr ? c->linea + "_" + c->treno : nome_runtime;
}

std::string riga_uso(const carico* c) {
  return "Usage: " + nome_programma(c) + " [-h | --help | --version]\n";
}

// Words filled into lines of at most `larghezza` characters, each line after `rientro`.
std::string a_capo(const std::vector<std::string>& parole, const std::string& rientro = "") {
  std::string t, riga = rientro;
  for (const std::string& p : parole) {
    if (riga.size() > rientro.size() && riga.size() + 1 + p.size() > larghezza) {
      t += riga + "\n";
      riga = rientro;
    }
    riga += (riga.size() > rientro.size() ? " " : "") + p;
  }
  return t + riga + "\n";
}

std::vector<std::string> parole_di(std::string_view testo) {
  std::vector<std::string> parole;
  for (std::size_t i = 0; i < testo.size();) {
    const std::size_t fine = std::min(testo.find(' ', i), testo.size());
    parole.emplace_back(testo.substr(i, fine - i));
    i = fine + 1;
  }
  return parole;
}

const char* const numeri[] = {"one", "two", "three"};

std::string descrizione(const carico& c, const std::vector<std::string>& documenti) {
  std::string t = "The scenario package of the route " + c.linea + " and train " + c.treno +
                  ". Started with no argument, it writes into the folder that holds it the line "
                  "description and the train service, compiles them into the simulator's files "
                  "and deletes them";
  if (documenti.empty()) return a_capo(parole_di(t + ":"));
  t += std::string(", and writes ") + numeri[documenti.size() - 1] +
       (documenti.size() == 1 ? " document" : " documents") + " for the driver:";
  return a_capo(parole_di(t));
}

std::string elenco_file(const carico& c, const std::vector<std::string>& documenti) {
  const std::pair<std::string, const char*> compilati[] = {
      {nome_tracciato(c.linea), "track plan"},
      {nome_stazioni(c.linea, c.treno), "station table"},
      {nome_percorso(c.linea, c.treno), "route cells"}};
  std::size_t colonna = 0;
  for (const auto& [nome, cosa] : compilati) colonna = std::max(colonna, nome.size() + 3);
  std::string t;
  for (const auto& [nome, cosa] : compilati) {
    t += "  " + nome + std::string(colonna - nome.size(), ' ') + cosa + "\n";
  }
  if (documenti.empty()) return t;
  std::vector<std::string> nomi;
  for (std::size_t i = 0; i < documenti.size(); ++i) {
    nomi.push_back(documenti[i] + (i + 1 < documenti.size() ? "," : ""));
  }
  return t + a_capo(nomi, "  ");
}

}  // namespace

azione_pacchetto leggi_argomenti(int argc, const char* const* argv) {
  if (argc <= 1) return azione_pacchetto::esegui;
  if (argc > 2) return azione_pacchetto::uso_sbagliato;
  const std::string_view a = argv[1];
  if (a == "-h" || a == "--help") return azione_pacchetto::aiuto;
  if (a == "--version") return azione_pacchetto::versione;
  return azione_pacchetto::uso_sbagliato;
}

std::string testo_aiuto(const carico* c) {
  const std::string opzioni =
      "  -h, --help   print this text and exit, writing nothing\n"
      "  --version    print the version and exit, writing nothing\n"
      "\n";
  if (c == nullptr) {
    return riga_uso(c) + "\n" +
           a_capo(parole_di(
               std::string("The package runtime: the program of every scenario package, with no "
                           "route of its own. scenario-tool package appends to a copy of it a "
                           "route's payload (the route and train names, the line description, "
                           "the train service and the driver documents), and the copy is that "
                           "route's package. Started with no argument, the runtime alone writes "
                           "nothing and ends with status ") +
               std::to_string(uscita_uso) + ".")) +
           "\n" + opzioni + a_capo(parole_di("Exit statuses: " + uscite_di(nome_runtime) + "."));
  }
  std::vector<std::string> documenti;
  for (std::size_t i = 0; i < code_documenti.size(); ++i) {
    if (c->documenti[i]) documenti.push_back(nome_documento(c->linea, c->treno, code_documenti[i]));
  }
  return riga_uso(c) + "\n" + descrizione(*c, documenti) + elenco_file(*c, documenti) + "\n" +
         opzioni +
         "Exit statuses: 0 done; 1 the compiler recorded a code (the files are written, the code\n"
         "is on standard error); 2 usage error (nothing written); 3 identity error (nothing\n"
         "compiled written); 4 a file could not be read or written; 6 another run kept the folder\n"
         "busy, or its lock file cannot be used (nothing written); 7 a file named like one of its\n"
         "sources holds other content, an author's own (nothing written or deleted); 8 out of\n"
         "memory (the run stopped, the earlier copies are kept).\n";
}

std::string testo_versione(const carico* c) {
  return nome_programma(c) + " " VERSIONE_PROGRAMMA "\n";
}

std::string testo_uso(const carico* c, int argc, const char* const* argv) {
  const bool primo_valido = argc > 2 && leggi_argomenti(2, argv) != azione_pacchetto::uso_sbagliato;
  const std::string rifiutato = argc > 1 ? argv[primo_valido ? 2 : 1] : "";
  return nome_programma(c) + ": unexpected argument `" + rifiutato + "`\n" + riga_uso(c) +
         "Started with no argument, it writes the scenario into its own folder.\n";
}

std::string testo_senza_carico(const std::filesystem::path& programma, const carico_letto& letto) {
  // Without its own path the program has only the system's reason to give.
  std::string t = programma.empty() ? letto.perche : io::nome_di(programma) + " " + letto.perche;
  if (letto.stato == stato_carico::assente) {
    t += ": it is the package runtime, which scenario-tool package makes into a route's package";
  }
  return t + " (nothing written)\n";
}

}  // namespace scenario
