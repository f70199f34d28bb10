#include "tools/lsp/connessione_lsp.h"

#include <nlohmann/json.hpp>

#include "tools/lsp/cornici_lsp.h"
#include "tools/lsp/server_lsp.h"

namespace scenario::strumento {

int connessione_lsp(std::istream& in, std::ostream& out, disco_lsp& disco) {
  lettore_messaggi lettore(in);
  // Every text sent is UTF-8 already; a byte that is not would be replaced, never an abort.
  server_lsp server(disco, [&out](const nlohmann::json& m) {
    out << incornicia(m.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
    out.flush();
  });
  for (;;) {
    const messaggio_letto m = lettore.prossimo();
    if (m.t == messaggio_letto::tipo::fine) return server.uscita_a_fine_input();
    if (m.t == messaggio_letto::tipo::errore) {
      server.rifiutato(m.codice, m.testo);
    } else {
      server.ricevi(m.testo);
    }
    if (server.uscita()) return *server.uscita();
    if (!out) return 1;
  }
}

}  // namespace scenario::strumento
