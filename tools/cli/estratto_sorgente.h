// The source line an error message quotes: found with the field reader's own line ends, and
// cut to a bounded width around the field, so that no source can flood a terminal; and the
// name of the file as the author can open it.
#ifndef TOOLS_CLI_ESTRATTO_SORGENTE_H_
#define TOOLS_CLI_ESTRATTO_SORGENTE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "compiler/compilatore.h"
#include "compiler/esito.h"

namespace scenario::strumento {

inline constexpr std::size_t larghezza_estratto = 200;

struct estratto_riga {
  std::string testo;     // empty when the source has no such line
  std::int32_t colonna;  // the field's column within `testo`, from 1; 0 when not known
};

// Line `riga` (from 1) of `testo`, a line ending at CR LF, a lone CR or a lone LF. A line
// longer than `larghezza_estratto` is cut to that many characters around `colonna` (from 1,
// 0 = not known: the start of the line), with "..." where something was left out.
estratto_riga estrai_riga(std::string_view testo, std::int64_t riga, std::int32_t colonna = 0);

// The author's message for `r` (compiler/codici_errore.h) quoting its line of `testo`, the
// text of the source named in `r.file` (empty: no line quoted), with the caret moved to
// where the field stands in the cut line.
std::string messaggio_con_sorgente(const esito& r, std::string_view testo);

// The text of the source named `file` (as messages name it), or nothing.
std::string_view testo_sorgente(const testi_sorgenti& t, const opzioni_compilazione& o,
                                const std::string& file);

// A file's name as the author can open it from where a command was started: joined to the
// folder as it was given, alone when that folder is the current one.
std::string percorso_mostrato(const std::string& cartella, const std::string& nome);

}  // namespace scenario::strumento

#endif  // TOOLS_CLI_ESTRATTO_SORGENTE_H_
