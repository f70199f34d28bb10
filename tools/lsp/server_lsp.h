// The editor server's side of the protocol: JSON-RPC messages in, answers and notifications
// out, the connection's life (initialize, initialized, shutdown, exit) and one table of the
// requests and one of the notifications it handles. It never reads or writes a stream: the
// frames are cornici_lsp.h's, the files are the disk's it is given.
#ifndef TOOLS_LSP_SERVER_LSP_H_
#define TOOLS_LSP_SERVER_LSP_H_

#include <cstdint>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "tools/lsp/disco_lsp.h"
#include "tools/lsp/documenti_lsp.h"

namespace scenario::strumento {

class server_lsp {
 public:
  // `invia` sends one message to the editor.
  server_lsp(disco_lsp& disco, std::function<void(const nlohmann::json&)> invia);

  // One message's body.
  void ricevi(std::string_view corpo);
  // A frame the reader refused: answered as an error with a null id.
  void rifiutato(int32_t codice, const std::string& perche);

  // The exit status once `exit` has come.
  std::optional<int> uscita() const { return uscita_; }
  // The exit status when the input ends with no `exit`: as `exit` would give it.
  int uscita_a_fine_input() const;

 private:
  using risposta = nlohmann::json (server_lsp::*)(const nlohmann::json& parametri);
  using gestore = void (server_lsp::*)(const nlohmann::json& parametri);
  struct richiesta {
    std::string_view metodo;
    risposta r;
  };
  struct notifica {
    std::string_view metodo;
    gestore g;
  };
  static const richiesta richieste_[];
  static const notifica notifiche_[];

  void richiesta_ricevuta(const nlohmann::json& id, const std::string& metodo,
                          const nlohmann::json& parametri);
  void notifica_ricevuta(const std::string& metodo, const nlohmann::json& parametri);
  void errore(const nlohmann::json& id, int32_t codice, const std::string& messaggio);

  nlohmann::json initialize(const nlohmann::json& p);
  nlohmann::json shutdown(const nlohmann::json& p);
  nlohmann::json completion(const nlohmann::json& p);
  nlohmann::json hover(const nlohmann::json& p);
  nlohmann::json document_symbol(const nlohmann::json& p);
  nlohmann::json code_action(const nlohmann::json& p);
  void did_open(const nlohmann::json& p);
  void did_change(const nlohmann::json& p);
  void did_save(const nlohmann::json& p);
  void did_close(const nlohmann::json& p);

  enum class fase { da_iniziare, attiva, chiusa };

  std::function<void(const nlohmann::json&)> invia_;
  documenti_lsp documenti_;
  fase fase_ = fase::da_iniziare;
  std::optional<int> uscita_;
};

}  // namespace scenario::strumento

#endif  // TOOLS_LSP_SERVER_LSP_H_
