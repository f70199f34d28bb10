// Items that replace the first field as typed so far, so that a client that splits words at
// '[' or a blank still replaces the whole of it.
#include "tools/lsp/completamento_lsp.h"

#include <algorithm>
#include <optional>
#include <string>

#include "compiler/lettore_campi.h"
#include "tools/lsp/luoghi_lsp.h"

namespace scenario::strumento {
namespace {

// The protocol's item kinds and text formats.
constexpr int tipo_modulo = 9;
constexpr int tipo_parola_chiave = 14;
constexpr int formato_testo = 1;
constexpr int formato_snippet = 2;

// The header the last header line of `sopra` names, in lower case as the checks compare it;
// nothing before the first header.
std::optional<std::string> intestazione_corrente(std::string_view sopra) {
  std::optional<std::string> h;
  righe_testo righe(sopra);
  for (int64_t r = 0; const std::optional<std::string_view> riga = righe.riga(r); ++r) {
    const std::string_view campo = senza_spazi(riga->substr(0, riga->find(',')));
    if (campo.starts_with('[')) h = minuscole(campo);
  }
  return h;
}

// Under a header of the table, its own keywords; under any other, which closes `[generale]`
// but names no section of its own, every keyword outside `[generale]`.
bool offerta(const parola_sorgente& p, file_sorgente file, const std::string& intestazione) {
  if (p.file != file) return false;
  for (const sezione_sorgente& s : sezioni_sorgenti()) {
    if (s.file == file && intestazione == s.intestazione) return intestazione == p.sezione;
  }
  return std::string_view(p.sezione) != "[generale]";
}

std::string snippet(const std::string& nome, const parola_sorgente& p) {
  std::string s = nome;
  int n = 0;
  for (const campo_sorgente& c : p.campi) {
    s += ", ${" + std::to_string(++n) + ":" + c.nome + "}";
  }
  return s;
}

nlohmann::json voce(const std::string& etichetta, int tipo, const char* dettaglio,
                    const std::string& testo, int formato, const nlohmann::json& intervallo,
                    int ordine) {
  // The table's order, not the alphabet's.
  std::string ordinamento = std::to_string(ordine);
  ordinamento.insert(0, 4 - std::min<std::size_t>(ordinamento.size(), 4), '0');
  return {{"label", etichetta},      {"kind", tipo},
          {"detail", dettaglio},     {"insertTextFormat", formato},
          {"sortText", ordinamento}, {"textEdit", {{"range", intervallo}, {"newText", testo}}}};
}

// The first field of the cursor's line as typed up to the cursor: where its line begins in
// `testo`, and its range without the blanks before it. Nothing past the first field or past
// the last line.
struct campo_in_corso {
  std::size_t inizio_riga;
  nlohmann::json intervallo;
};
std::optional<campo_in_corso> campo_al_cursore(std::string_view testo, posizione_lsp p,
                                               codifica_posizioni c) {
  if (!righe_testo(testo).riga(p.riga)) return std::nullopt;
  const std::size_t cursore = offset_di(testo, p, c);
  const std::size_t a_capo =
      cursore == 0 ? std::string_view::npos : testo.find_last_of("\r\n", cursore - 1);
  const std::size_t da = a_capo == std::string_view::npos ? 0 : a_capo + 1;
  const std::string_view prima = testo.substr(da, cursore - da);
  if (prima.find(',') != std::string_view::npos) return std::nullopt;
  const auto spazi = static_cast<int64_t>(std::min(prima.find_first_not_of(" \t"), prima.size()));
  const auto fine = unita_di(prima, static_cast<int64_t>(prima.size()), c);
  return campo_in_corso{da, json_intervallo({{p.riga, spazi}, {p.riga, fine}})};
}

}  // namespace

nlohmann::json completamenti(std::string_view testo, file_sorgente file, posizione_lsp p,
                             codifica_posizioni c) {
  nlohmann::json voci = nlohmann::json::array();
  const std::optional<campo_in_corso> campo = campo_al_cursore(testo, p, c);
  if (!campo) return voci;
  int ordine = 0;
  if (const auto h = intestazione_corrente(testo.substr(0, campo->inizio_riga))) {
    for (const parola_sorgente& k : parole_sorgenti()) {
      if (!offerta(k, file, *h)) continue;
      for (const std::string_view n : nomi_parola(k)) {
        const std::string nome(n);
        voci.push_back(voce(nome, tipo_parola_chiave, k.significato, snippet(nome, k),
                            formato_snippet, campo->intervallo, ++ordine));
      }
    }
  }
  for (const sezione_sorgente& s : sezioni_sorgenti()) {
    if (s.file != file) continue;
    voci.push_back(voce(s.intestazione, tipo_modulo, s.contenuto, s.intestazione, formato_testo,
                        campo->intervallo, ++ordine));
  }
  return voci;
}

}  // namespace scenario::strumento
