// The argument parser's errors, reworded: the parser keeps what it could not place
// (`remaining`), and the one word a misspelling is closest to comes from the same edit
// distance that suggests keywords in the sources.
#include "tools/cli/errori_comando.h"

#include <string_view>
#include <vector>

#include "compiler/avvisi_sorgenti.h"

namespace scenario::strumento {
namespace {

std::vector<std::string> comandi_visibili(const CLI::App& app) {
  std::vector<std::string> v;
  for (const CLI::App* c : app.get_subcommands([](const CLI::App*) { return true; })) {
    if (!c->get_group().empty()) v.push_back(c->get_name());
  }
  return v;
}

// The options `c` takes on its command line, those of the program itself included.
std::vector<std::string> opzioni_di(const CLI::App& c, const CLI::App& app) {
  std::vector<std::string> v;
  for (const CLI::App* a : {&c, &app}) {
    for (const CLI::Option* o : a->get_options()) {
      for (const std::string& n : o->get_lnames()) v.push_back("--" + n);
      for (const std::string& n : o->get_snames()) v.push_back("-" + n);
    }
    if (a == &app) break;
  }
  return v;
}

std::string elenco(const std::vector<std::string>& v) {
  std::string t;
  for (const std::string& x : v) t += (t.empty() ? "" : ", ") + x;
  return t;
}

// "; did you mean `x`?" when one of `note` is close to `parola`, otherwise `altrimenti`.
std::string suggerimento(std::string_view parola, const std::vector<std::string>& note,
                         const std::string& altrimenti) {
  const std::vector<std::string_view> viste(note.begin(), note.end());
  const std::string vicina = piu_vicina(parola, viste);
  return vicina.empty() ? altrimenti : "; did you mean `" + vicina + "`?";
}

// Where to read more, for the command `c` (null: none was named).
std::string rimando(const CLI::App* c) {
  if (c == nullptr) return "; `scenario-tool --help` lists the commands and options";
  return "; `scenario-tool " + c->get_name() + " --help` lists its options";
}

// The first word the parser could not place, for the command `c`.
std::string fuori_posto(const CLI::App& app, const CLI::App* c, const std::string& parola) {
  const std::string aiuto = rimando(c);
  if (parola.starts_with('-')) {
    const std::string nome = parola.substr(0, parola.find('='));
    return "unknown option `" + nome + "`" + (c ? " for " + c->get_name() : "") +
           suggerimento(nome, opzioni_di(c ? *c : app, app), aiuto);
  }
  if (c) return c->get_name() + " takes no argument `" + parola + "`" + aiuto;
  return "unknown command `" + parola + "`" +
         suggerimento(parola, comandi_visibili(app),
                      "; the commands are " + elenco(comandi_visibili(app)));
}

}  // namespace

std::string messaggio_riga_di_comando(const CLI::App& app, const CLI::Error& e) {
  const std::vector<CLI::App*> letti = app.get_subcommands();
  const CLI::App* c = letti.empty() ? nullptr : letti.back();
  std::vector<std::string> resto = app.remaining();
  if (resto.empty() && c) resto = c->remaining();
  const bool senza_comando = c == nullptr && dynamic_cast<const CLI::RequiredError*>(&e);
  std::string riga;
  if (!resto.empty() && (dynamic_cast<const CLI::ExtrasError*>(&e) || senza_comando)) {
    riga = fuori_posto(app, c, resto.front());
  } else if (senza_comando) {
    riga = "a command is required: " + elenco(comandi_visibili(app)) + rimando(c);
  } else {
    riga = (c ? c->get_name() + ": " : std::string()) + e.what() + rimando(c);
  }
  return "scenario-tool: " + riga + "\n";
}

}  // namespace scenario::strumento
