// The problems of one route and train as the editor server shows them: the one place between
// the front end (compiler/compilatore.h `controlla`, compiler/diagnostica.h) and the protocol.
// A problem becomes the protocol's diagnostic (severity, the compiler's code, the field's range,
// its notes as related information) and its fix-its quick fixes, each place turned into the
// editor's positions in the text of the source it names. The server never looks at how a
// problem was found.
#ifndef TOOLS_LSP_ANALISI_LSP_H_
#define TOOLS_LSP_ANALISI_LSP_H_

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "compiler/compilatore.h"
#include "compiler/diagnostica.h"
#include "tools/lsp/luoghi_lsp.h"

namespace scenario::strumento {

// The problems of the sources in `testi` (Windows-1252, as the compiler reads them) with the
// names of `o`: what `check` finds, in its order.
std::vector<diagnostica> diagnostiche_coppia(const testi_sorgenti& testi,
                                             const opzioni_compilazione& o);

// The sources problems may name, by file name, each with its URI and its text: the editor's
// (UTF-8) for an open document, the bytes read from the disk (Windows-1252) otherwise.
class sorgenti_lsp {
 public:
  explicit sorgenti_lsp(codifica_posizioni c) : codifica_(c) {}

  void aggiungi(const std::string& nome, const std::string& uri, std::string_view testo,
                bool in_1252);

  // `d` as the protocol shows it in the source named `qui`, where a problem with no place, or
  // a note with none, stands at the start: its diagnostic, that diagnostic's range, and its
  // fix-its as quick fixes (one with an edit in a source that is not among these is left out).
  struct diagnostica_lsp {
    nlohmann::json diagnostica;
    intervallo_lsp dove;
    std::vector<nlohmann::json> correzioni;
  };
  diagnostica_lsp in_lsp(const diagnostica& d, const std::string& qui);

 private:
  struct sorgente {
    std::string nome;
    std::string uri;
    luoghi_testo luoghi;
  };
  sorgente* cerca(const std::string& nome);
  // A place in its own source, or the start of `qui`: the source's URI and the range.
  std::pair<std::string, intervallo_lsp> posto(const std::string& file,
                                               const intervallo_sorgente& dove,
                                               const std::string& qui);
  nlohmann::json correzione_lsp(const correzione& c, const nlohmann::json& j);

  codifica_posizioni codifica_;
  std::vector<sorgente> sorgenti_;
};

}  // namespace scenario::strumento

#endif  // TOOLS_LSP_ANALISI_LSP_H_
