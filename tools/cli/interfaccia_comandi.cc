// Help footers, completion and man page walk the same CLI11 definition that parses the
// command line, so none of them can name an option that does not exist.
#include "tools/cli/interfaccia_comandi.h"

#include <cstdio>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "run/stati_uscita.h"
#include "versione.h"

namespace scenario::strumento {
namespace {

// Visible subcommands: the hidden ones have no group.
std::vector<const CLI::App*> comandi_visibili(const CLI::App& app) {
  std::vector<const CLI::App*> v;
  for (const CLI::App* c : app.get_subcommands([](const CLI::App*) { return true; })) {
    if (!c->get_group().empty()) v.push_back(c);
  }
  return v;
}

std::vector<const CLI::Option*> opzioni_di(const CLI::App& c) {
  return c.get_options([](const CLI::Option* o) { return !o->get_lnames().empty(); });
}

bool prende_valore(const CLI::Option& o) { return o.get_expected_min() > 0; }

// What bash offers after an option that takes a value.
std::string completa_valore(const CLI::Option& o) {
  const std::string tipo = o.get_type_name();
  if (tipo == "DIR") return "compgen -d -- \"$cur\"";
  if (tipo == "TEXT") return "";
  return "compgen -f -- \"$cur\"";
}

std::string parole_di(const CLI::App& c) {
  std::string t;
  for (const CLI::Option* o : opzioni_di(c)) {
    for (const std::string& n : o->get_lnames()) t += (t.empty() ? "--" : " --") + n;
  }
  return t;
}

std::string roff(std::string_view s) {
  std::string t;
  for (const char c : s) {
    if (c == '\\') {
      t += "\\e";
    } else if (c == '-') {
      t += "\\-";
    } else {
      t += c;
    }
  }
  // A line that starts with a dot or a quote would be a request.
  if (!t.empty() && (t.front() == '.' || t.front() == '\'')) t.insert(0, "\\&");
  return t;
}

void aggiungi_uscite(CLI::App& app) {
  app.footer("Exit statuses: " + uscite_di(""));
  for (CLI::App* c : app.get_subcommands([](const CLI::App*) { return true; })) {
    c->footer("Exit statuses: " + uscite_di(c->get_name()));
  }
}

}  // namespace

std::string completamento_bash(const CLI::App& app) {
  std::string t =
      "# bash completion for scenario-tool, generated from its command-line definition\n"
      "_scenario_tool() {\n"
      "  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} sub= i\n"
      "  for ((i = 1; i < COMP_CWORD; i++)); do\n"
      "    case ${COMP_WORDS[i]} in\n";
  std::string nomi;
  for (const CLI::App* c : comandi_visibili(app)) nomi += (nomi.empty() ? "" : "|") + c->get_name();
  t += "      " + nomi + ") sub=${COMP_WORDS[i]}; break ;;\n    esac\n  done\n";
  t += "  case $sub:$prev in\n";
  for (const CLI::App* c : comandi_visibili(app)) {
    for (const CLI::Option* o : opzioni_di(*c)) {
      if (!prende_valore(*o)) continue;
      const std::string valore = completa_valore(*o);
      t += "    " + c->get_name() + ":--" + o->get_lnames().front() + ") COMPREPLY=(" +
           (valore.empty() ? "" : "$(" + valore + ")") + "); return ;;\n";
    }
  }
  t += "  esac\n  case $sub in\n";
  std::string principale;
  for (const CLI::App* c : comandi_visibili(app)) principale += c->get_name() + " ";
  t += "    \"\") COMPREPLY=($(compgen -W \"" + principale + parole_di(app) +
       "\" -- \"$cur\")) ;;\n";
  for (const CLI::App* c : comandi_visibili(app)) {
    t += "    " + c->get_name() + ") COMPREPLY=($(compgen -W \"" + parole_di(*c) +
         "\" -- \"$cur\")) ;;\n";
  }
  t += "  esac\n}\ncomplete -F _scenario_tool scenario-tool\n";
  return t;
}

std::string pagina_man(const CLI::App& app) {
  std::string t =
      ".TH SCENARIO\\-TOOL 1 \"\" \"scenario-tool " VERSIONE_PROGRAMMA "\" \"User Commands\"\n";
  t += ".SH NAME\nscenario\\-tool \\- compile, inspect and package train\\-simulator scenarios\n";
  t += ".SH SYNOPSIS\n.B scenario\\-tool\n.I command\n[\\fIoptions\\fR]\n.br\n";
  t += ".B scenario\\-tool\n\\-\\-help | \\-\\-version\n";
  t += ".SH DESCRIPTION\nscenario\\-tool gives route authors the compiler of the scenario "
       "package. A route is two text sources in one folder, ROUTE_linea.txt (the line) and "
       "ROUTE_TRAIN\\-.txt (the train service); the compiled files are ROUTE_linea.dat, "
       "ROUTE_TRAIN.sim and ROUTE_TRAIN.dat. Where \\-\\-route and \\-\\-train are left out, "
       "they are taken from the folder when it holds one route and one train. "
       "scenario\\-tool package joins the package runtime, scenario\\-runtime, with a route's "
       "sources and documents into one program for drivers, as the shipped package is made.\n";
  t += ".SH COMMANDS\n";
  for (const CLI::App* c : comandi_visibili(app)) {
    t += ".SS " + c->get_name() + "\n" + roff(c->get_description()) + ".\n";
    for (const CLI::Option* o : opzioni_di(*c)) {
      t += ".TP\n.B \\-\\-" + roff(o->get_lnames().front());
      if (prende_valore(*o)) t += " \\fI" + o->get_type_name() + "\\fR";
      t += "\n" + roff(o->get_description());
      if (!o->get_default_str().empty()) t += " (default: " + roff(o->get_default_str()) + ")";
      t += "\n";
    }
    t += ".PP\nExit statuses: " + roff(uscite_di(c->get_name())) + ".\n";
  }
  t += ".SH EXIT STATUS\n" + roff(uscite_di("")) + ".\n";
  t += ".SH SEE ALSO\nThe source\\-format reference sorgenti.md and the file formats "
       "formato_file.md, installed with the documentation.\n";
  return t;
}

void completa_interfaccia(CLI::App& app) {
  app.set_version_flag("--version", std::string("scenario-tool ") + VERSIONE_PROGRAMMA);
  auto* completamento = app.add_subcommand("completion", "Print the bash completion script");
  completamento->group("");
  auto shell = std::make_shared<std::string>();
  completamento->add_option("shell", *shell, "bash")->required()->check(CLI::IsMember({"bash"}));
  // The option writes into `shell`, which must live as long as the application.
  completamento->callback([&app, shell] { std::fputs(completamento_bash(app).c_str(), stdout); });
  auto* man = app.add_subcommand("manpage", "Print the man page");
  man->group("");
  man->callback([&app] { std::fputs(pagina_man(app).c_str(), stdout); });
  aggiungi_uscite(app);
}

}  // namespace scenario::strumento
