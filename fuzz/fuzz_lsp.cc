// Fuzzes the editor server (`scenario-tool lsp`): the input is what the editor sends, frames and
// all. Besides no crash and no sanitizer report, the connection must end with status 0 or 1 and
// every frame the server writes must be whole and hold valid JSON. The disk is empty, so only
// the input's own documents are read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "tools/lsp/connessione_lsp.h"
#include "tools/lsp/cornici_lsp.h"

namespace {

namespace st = scenario::strumento;

class disco_vuoto : public st::disco_lsp {
 public:
  std::optional<std::string> leggi(const std::filesystem::path&) override { return std::nullopt; }
  std::vector<std::string> nomi_in(const std::filesystem::path&) override { return {}; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t n) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(dati), n));
  std::ostringstream out;
  disco_vuoto disco;
  const int stato = st::connessione_lsp(in, out, disco);
  if (stato != 0 && stato != 1) std::abort();
  std::istringstream scritti(out.str());
  st::lettore_messaggi l(scritti);
  for (st::messaggio_letto m = l.prossimo(); m.t != st::messaggio_letto::tipo::fine;
       m = l.prossimo()) {
    if (m.t != st::messaggio_letto::tipo::corpo || !nlohmann::json::accept(m.testo)) std::abort();
  }
  return 0;
}
