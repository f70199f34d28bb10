// The parts of docs/sorgenti.md that are generated from the table of keywords and fields:
// each stands between "<!-- generato: NAME -->" and "<!-- fine generato -->", and the rest
// of the document is written by hand.
#ifndef TOOLS_DOCS_DOCUMENTO_SORGENTI_H_
#define TOOLS_DOCS_DOCUMENTO_SORGENTI_H_

#include <optional>
#include <string>
#include <string_view>

namespace scenario::strumento {

// The Markdown of the generated part NAME, or nothing for an unknown name.
std::optional<std::string> parte_generata(std::string_view nome);

// `testo` with every generated part replaced by its current content. Throws
// std::invalid_argument for an unknown name or an unclosed part.
std::string aggiorna_documento(std::string_view testo);

}  // namespace scenario::strumento

#endif  // TOOLS_DOCS_DOCUMENTO_SORGENTI_H_
