// The description of a compiled scenario as one JSON document, for scripts: the same content
// as the text of `scenario-tool dump`, with the model's field names as keys.
#ifndef TOOLS_DESCRIZIONE_JSON_H_
#define TOOLS_DESCRIZIONE_JSON_H_

#include <nlohmann/json.hpp>

#include "tools/descrizione_scenario.h"

namespace scenario::strumento {

nlohmann::ordered_json in_json(const descrizione& d);

}  // namespace scenario::strumento

#endif  // TOOLS_DESCRIZIONE_JSON_H_
