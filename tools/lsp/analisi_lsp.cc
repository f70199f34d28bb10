// The front end's problems (compiler/compilatore.h `controlla`) in the protocol's shapes, their
// words in UTF-8.
#include "tools/lsp/analisi_lsp.h"

#include <algorithm>

#include "compiler/testo_1252.h"

namespace scenario::strumento {
namespace {

// The protocol's severities.
int32_t gravita_lsp(gravita g) {
  switch (g) {
    case gravita::errore:
      return 1;
    case gravita::avviso:
      return 2;
    case gravita::nota:
      break;
  }
  return 3;
}

}  // namespace

std::vector<diagnostica> diagnostiche_coppia(const testi_sorgenti& testi,
                                             const opzioni_compilazione& o) {
  return controlla(testi, o).elenco();
}

void sorgenti_lsp::aggiungi(const std::string& nome, const std::string& uri, std::string_view testo,
                            bool in_1252) {
  sorgenti_.push_back({nome, uri, luoghi_testo(testo, in_1252, codifica_)});
}

sorgenti_lsp::sorgente* sorgenti_lsp::cerca(const std::string& nome) {
  const auto s = std::find_if(sorgenti_.begin(), sorgenti_.end(),
                              [&](const sorgente& x) { return x.nome == nome; });
  return s == sorgenti_.end() ? nullptr : &*s;
}

std::pair<std::string, intervallo_lsp> sorgenti_lsp::posto(const std::string& file,
                                                           const intervallo_sorgente& dove,
                                                           const std::string& qui) {
  if (sorgente* s = file.empty() ? nullptr : cerca(file)) {
    return {s->uri, s->luoghi.intervallo(dove)};
  }
  const sorgente* s = cerca(qui);
  return {s != nullptr ? s->uri : "", {}};
}

sorgenti_lsp::diagnostica_lsp sorgenti_lsp::in_lsp(const diagnostica& d, const std::string& qui) {
  diagnostica_lsp x;
  // Only the problems of `qui` itself have their places there.
  x.dove = posto(d.file == qui ? qui : "", d.dove, qui).second;
  nlohmann::json& j = x.diagnostica;
  j = {{"range", json_intervallo(x.dove)},
       {"severity", gravita_lsp(d.livello)},
       {"source", "scenario-tool"},
       {"message", da_windows_1252(d.messaggio)}};
  if (d.codice != 0) j["code"] = d.codice;
  for (const nota_diagnostica& n : d.note) {
    const auto [uri, dove] = posto(n.file, n.dove, qui);
    j["relatedInformation"].push_back(
        {{"location", {{"uri", uri}, {"range", json_intervallo(dove)}}},
         {"message", da_windows_1252(n.messaggio)}});
  }
  for (const correzione& c : d.correzioni) {
    nlohmann::json a = correzione_lsp(c, j);
    if (!a.is_null()) x.correzioni.push_back(std::move(a));
  }
  return x;
}

// A fix-it as a quick fix of diagnostic `j`; null when an edit has no place among the sources.
nlohmann::json sorgenti_lsp::correzione_lsp(const correzione& c, const nlohmann::json& j) {
  if (c.modifiche.empty()) return nullptr;
  nlohmann::json cambi = nlohmann::json::object();
  for (const modifica_sorgente& m : c.modifiche) {
    sorgente* s = cerca(m.file);
    if (s == nullptr || !m.dove.valido()) return nullptr;
    cambi[s->uri].push_back({{"range", json_intervallo(s->luoghi.intervallo(m.dove))},
                             {"newText", da_windows_1252(m.testo)}});
  }
  return {{"title", da_windows_1252(c.titolo)},
          {"kind", "quickfix"},
          {"diagnostics", nlohmann::json::array({j})},
          {"edit", {{"changes", std::move(cambi)}}}};
}

}  // namespace scenario::strumento
