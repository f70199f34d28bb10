// Markdown from the table of keywords and fields.
#include "tools/docs/documento_sorgenti.h"

#include <functional>
#include <stdexcept>
#include <utility>

#include "compiler/campi_sorgenti.h"
#include "compiler/formato_celle.h"

namespace scenario::strumento {
namespace {

constexpr std::string_view apertura = "<!-- generato: ";
constexpr std::string_view chiusura = "<!-- fine generato -->";

std::string sezioni_di(file_sorgente file) {
  std::string t = "| Header | What stands under it |\n|---|---|\n";
  for (const sezione_sorgente& s : sezioni_sorgenti()) {
    if (s.file == file) t += "| `" + std::string(s.intestazione) + "` | " + s.contenuto + " |\n";
  }
  return t;
}

std::string parola_in_markdown(const parola_sorgente& p) {
  std::string t = "#### `" + std::string(p.parola) + "` (" + p.sezione + ")\n\n";
  std::string significato = p.significato;
  if (!significato.empty() && significato[0] >= 'a' && significato[0] <= 'z') {
    significato[0] = static_cast<char>(significato[0] - 'a' + 'A');
  }
  t += significato + ". Recognised when the keyword field " + descrizione_riconoscimento(p) + ".";
  if (p.in_ordine) t += " The records go in increasing position.";
  if (p.da_zero) t += " The first stands at 0 m: nothing fills the cells before it.";
  if (p.solo_con_tracciato) t += " Read only when the track plan is built (not with --no-plan).";
  t += "\n\n";
  t += "| # | Field | Meaning | Unit | Range to use | The compiler takes | What the compiler "
       "does with it |\n";
  t += "|---|---|---|---|---|---|---|\n";
  for (std::size_t i = 0; i < p.campi.size(); ++i) {
    const campo_sorgente& c = p.campi[i];
    t += "| " + std::to_string(i + 1) + " | `" + c.nome + "` | " + c.significato + " | " + c.unita +
         " | " + descrizione_valori(c) + " | " + descrizione_presi(p, i) + " | " + c.uso + " |\n";
  }
  return t;
}

std::string parole_di(file_sorgente file) {
  std::string t;
  for (const parola_sorgente& p : parole_sorgenti()) {
    if (p.file != file) continue;
    if (!t.empty()) t += "\n";
    t += parola_in_markdown(p);
  }
  return t;
}

std::string tipi() {
  std::string t = "| Type | Area | Markers | In the shipped route |\n|---|---|---|---|\n";
  for (const tipo_stazione& s : tipi_stazione()) {
    t += "| " + std::string(s.tipi) + " | " + s.area + " | " + s.marcatori + " | " +
         s.nel_percorso_spedito + " |\n";
  }
  return t;
}

std::string codici() {
  std::string t = "| Code | Usual cause | Fix |\n|---|---|---|\n";
  for (const rimedio_codice& r : rimedi_codici()) {
    t += "| " + std::to_string(r.codice) + " | " + r.causa + " | " + r.rimedio + " |\n";
  }
  return t;
}

std::string esempio(file_sorgente file) {
  std::string t = "```\n";
  for (const riga_esempio& r : righe_esempio(file)) (t += r.riga) += "\n";
  t += "```\n\n| Line | What it does |\n|---|---|\n";
  int n = 0;
  for (const riga_esempio& r : righe_esempio(file)) {
    ++n;
    if (*r.nota != '\0') t += "| " + std::to_string(n) + " | " + r.nota + " |\n";
  }
  return t;
}

}  // namespace

std::optional<std::string> parte_generata(std::string_view nome) {
  const std::pair<std::string_view, std::function<std::string()>> parti[] = {
      {"sezioni-linea", [] { return sezioni_di(file_sorgente::linea); }},
      {"sezioni-treno", [] { return sezioni_di(file_sorgente::treno); }},
      {"parole-linea", [] { return parole_di(file_sorgente::linea); }},
      {"parole-treno", [] { return parole_di(file_sorgente::treno); }},
      {"tipi-stazione", tipi},
      {"codici", codici},
      {"esempio-linea", [] { return esempio(file_sorgente::linea); }},
      {"esempio-treno", [] { return esempio(file_sorgente::treno); }},
  };
  for (const auto& [n, genera] : parti) {
    if (n == nome) return genera();
  }
  return std::nullopt;
}

std::string aggiorna_documento(std::string_view testo) {
  std::string esito;
  std::size_t pos = 0;
  for (;;) {
    const std::size_t inizio = testo.find(apertura, pos);
    if (inizio == std::string_view::npos) break;
    const std::size_t fine_nome = testo.find(" -->\n", inizio);
    if (fine_nome == std::string_view::npos) throw std::invalid_argument("unclosed marker");
    const std::string_view nome =
        testo.substr(inizio + apertura.size(), fine_nome - inizio - apertura.size());
    const auto parte = parte_generata(nome);
    if (!parte) throw std::invalid_argument("unknown generated part \"" + std::string(nome) + "\"");
    const std::size_t corpo = fine_nome + 5;
    const std::size_t fine = testo.find(chiusura, corpo);
    if (fine == std::string_view::npos) {
      throw std::invalid_argument("generated part \"" + std::string(nome) + "\" is not closed");
    }
    esito += testo.substr(pos, corpo - pos);
    esito += *parte;
    pos = fine;
  }
  esito += testo.substr(pos);
  return esito;
}

}  // namespace scenario::strumento
