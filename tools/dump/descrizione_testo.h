// The description of a compiled scenario as text for authors: the output of
// `scenario-tool dump` without `--json`.
#ifndef TOOLS_DUMP_DESCRIZIONE_TESTO_H_
#define TOOLS_DUMP_DESCRIZIONE_TESTO_H_

#include <cstdio>
#include <string>
#include <string_view>

#include "tools/dump/descrizione_scenario.h"

namespace scenario::strumento {

// Writes the description of the files read from `cartella`; the point features, layer runs and
// tunnels are taken from the files one at a time.
void scrivi_testo(std::FILE* out, const descrizione& d, const file_letti& f,
                  const std::string& cartella);

// A name as shown in the text: C0 and C1 control characters and DEL as \xNN, the backslash
// doubled so that the escapes stay readable, everything else as it is.
std::string mostrabile(std::string_view utf8);

}  // namespace scenario::strumento

#endif  // TOOLS_DUMP_DESCRIZIONE_TESTO_H_
