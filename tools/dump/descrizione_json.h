// The description of a compiled scenario as one JSON document, for scripts: the same content
// as the text of `scenario-tool dump`, under English keys.
#ifndef TOOLS_DUMP_DESCRIZIONE_JSON_H_
#define TOOLS_DUMP_DESCRIZIONE_JSON_H_

#include <cstdio>
#include <nlohmann/json.hpp>

#include "tools/dump/descrizione_scenario.h"

namespace scenario::strumento {

// Version of the document's layout (docs/dump_json.md); it changes when a key changes
// meaning or goes away, not when one is added. Version 1 had the model's Italian names as
// keys; 2 has English ones and the curves.
inline constexpr int versione_formato_json = 2;

// The document's parts, each an object with the model's names as keys, for whoever shows the
// same things another way (the page of `serve`).
nlohmann::ordered_json json_stazione(const stazione_descritta& s);
nlohmann::ordered_json json_elemento(const elemento_descritto& e);
nlohmann::ordered_json json_rallentamento(const rallentamento_descritto& r);
nlohmann::ordered_json json_galleria(const galleria_descritta& g);
// A layer's run; `unita` names its value ("kmh", "per_mille", ...).
nlohmann::ordered_json json_tratto(const tratto_strato& t, const char* unita);
nlohmann::ordered_json json_conteggi(const conteggi& n);

// Writes the document, indented by two spaces, to `out`. The point features are taken from
// the files one at a time, so a long route never sits in memory as one JSON tree.
void scrivi_json(std::FILE* out, const descrizione& d, const file_letti& f);

}  // namespace scenario::strumento

#endif  // TOOLS_DUMP_DESCRIZIONE_JSON_H_
