// Messages checked as JSON-RPC first, then by the connection's phase, then handed to the table.
// A handler reads its parameters with `at` and `get`: a missing or mistyped one throws, and the
// request gets InvalidParams while a notification is dropped.
#include "tools/lsp/server_lsp.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "tools/lsp/aiuto_lsp.h"
#include "tools/lsp/completamento_lsp.h"
#include "tools/lsp/simboli_lsp.h"
#include "versione.h"

namespace scenario::strumento {
namespace {

// The protocol's error codes.
constexpr int32_t errore_json = -32700;
constexpr int32_t richiesta_non_valida = -32600;
constexpr int32_t metodo_sconosciuto = -32601;
constexpr int32_t parametri_non_validi = -32602;
constexpr int32_t errore_interno = -32603;
constexpr int32_t non_inizializzato = -32002;

// How the document's text is kept in step: the changed ranges only.
constexpr int sincronia_incrementale = 2;

class parametro_non_valido : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A line or character: a negative one is 0, one past 64 bits the largest.
int64_t intero(const nlohmann::json& j) {
  if (j.is_number_unsigned()) {
    return static_cast<int64_t>(
        std::min<uint64_t>(j.get<uint64_t>(), std::numeric_limits<int64_t>::max()));
  }
  if (j.is_number_integer()) return std::max<int64_t>(j.get<int64_t>(), 0);
  throw parametro_non_valido("not a whole number");
}

posizione_lsp posizione(const nlohmann::json& j) {
  return {intero(j.at("line")), intero(j.at("character"))};
}

std::string uri_di(const nlohmann::json& p) {
  return p.at("textDocument").at("uri").get<std::string>();
}

int64_t versione_di(const nlohmann::json& p) {
  const nlohmann::json& v = p.at("textDocument").at("version");
  if (!v.is_number_integer()) throw parametro_non_valido("the version is not a whole number");
  return v.get<int64_t>();
}

// utf-8 when the client offers it, otherwise the protocol's default.
codifica_posizioni codifica_scelta(const nlohmann::json& p) {
  const nlohmann::json::json_pointer offerte("/capabilities/general/positionEncodings");
  if (!p.is_object() || !p.contains(offerte) || !p.at(offerte).is_array()) {
    return codifica_posizioni::utf16;
  }
  const nlohmann::json& o = p.at(offerte);
  const bool utf8 = std::find(o.begin(), o.end(), "utf-8") != o.end();
  return utf8 ? codifica_posizioni::utf8 : codifica_posizioni::utf16;
}

modifica_testo modifica(const nlohmann::json& c) {
  modifica_testo m;
  m.testo = c.at("text").get<std::string>();
  if (c.contains("range")) {
    const nlohmann::json& r = c.at("range");
    m.intervallo = std::pair{posizione(r.at("start")), posizione(r.at("end"))};
  }
  return m;
}

}  // namespace

const server_lsp::richiesta server_lsp::richieste_[] = {
    {"initialize", &server_lsp::initialize},
    {"shutdown", &server_lsp::shutdown},
    {"textDocument/completion", &server_lsp::completion},
    {"textDocument/hover", &server_lsp::hover},
    {"textDocument/documentSymbol", &server_lsp::document_symbol},
    {"textDocument/codeAction", &server_lsp::code_action},
};

// `initialized`, `$/cancelRequest` (every request is answered before the next is read) and the
// other `$/` notifications are not here: a notification with no handler is ignored.
const server_lsp::notifica server_lsp::notifiche_[] = {
    {"textDocument/didOpen", &server_lsp::did_open},
    {"textDocument/didChange", &server_lsp::did_change},
    {"textDocument/didSave", &server_lsp::did_save},
    {"textDocument/didClose", &server_lsp::did_close},
};

server_lsp::server_lsp(disco_lsp& disco, std::function<void(const nlohmann::json&)> invia)
    : invia_(std::move(invia)), documenti_(disco, [this](nlohmann::json parametri) {
        invia_({{"jsonrpc", "2.0"},
                {"method", "textDocument/publishDiagnostics"},
                {"params", std::move(parametri)}});
      }) {}

void server_lsp::ricevi(std::string_view corpo) {
  const nlohmann::json m = nlohmann::json::parse(corpo, nullptr, false);
  if (m.is_discarded()) return errore(nullptr, errore_json, "the message is not valid JSON");
  if (!m.is_object()) return errore(nullptr, richiesta_non_valida, "the message is not an object");
  const bool con_id = m.contains("id");
  const nlohmann::json id = con_id ? m.at("id") : nullptr;
  if (con_id && !id.is_string() && !id.is_number_integer()) {
    return errore(nullptr, richiesta_non_valida, "the id is neither a string nor a whole number");
  }
  // An answer from the client: the server asks nothing, so there is nothing to match it to.
  if (!m.contains("method") && (m.contains("result") || m.contains("error"))) return;
  const auto metodo = m.find("method");
  const auto parametri = m.find("params");
  const auto versione = m.find("jsonrpc");
  const bool valida = versione != m.end() && *versione == "2.0" && metodo != m.end() &&
                      metodo->is_string() &&
                      (parametri == m.end() || parametri->is_object() || parametri->is_array());
  if (!valida) {
    if (con_id) errore(id, richiesta_non_valida, "the message is not a JSON-RPC 2.0 request");
    return;
  }
  static const nlohmann::json nessuno = nlohmann::json::object();
  const nlohmann::json& p = parametri == m.end() ? nessuno : *parametri;
  if (con_id) return richiesta_ricevuta(id, metodo->get<std::string>(), p);
  notifica_ricevuta(metodo->get<std::string>(), p);
}

void server_lsp::rifiutato(int32_t codice, const std::string& perche) {
  errore(nullptr, codice, perche);
}

int server_lsp::uscita_a_fine_input() const { return fase_ == fase::chiusa ? 0 : 1; }

void server_lsp::richiesta_ricevuta(const nlohmann::json& id, const std::string& metodo,
                                    const nlohmann::json& parametri) {
  if (fase_ == fase::da_iniziare && metodo != "initialize") {
    return errore(id, non_inizializzato, "the server is not initialized: initialize comes first");
  }
  if (fase_ == fase::chiusa) {
    return errore(id, richiesta_non_valida, "the server is shut down: only exit may follow");
  }
  if (fase_ == fase::attiva && metodo == "initialize") {
    return errore(id, richiesta_non_valida, "initialize may come only once");
  }
  const auto* r = std::find_if(std::begin(richieste_), std::end(richieste_),
                               [&](const richiesta& x) { return x.metodo == metodo; });
  if (r == std::end(richieste_)) return errore(id, metodo_sconosciuto, "unknown method " + metodo);
  try {
    invia_({{"jsonrpc", "2.0"}, {"id", id}, {"result", (this->*(r->r))(parametri)}});
  } catch (const nlohmann::json::exception&) {
    errore(id, parametri_non_validi, "invalid parameters for " + metodo);
  } catch (const parametro_non_valido&) {
    errore(id, parametri_non_validi, "invalid parameters for " + metodo);
  } catch (const std::exception& e) {
    errore(id, errore_interno, std::string("internal error: ") + e.what());
  }
}

void server_lsp::notifica_ricevuta(const std::string& metodo, const nlohmann::json& parametri) {
  if (metodo == "exit") {
    uscita_ = fase_ == fase::chiusa ? 0 : 1;
    return;
  }
  // Before initialize a notification is dropped; after shutdown nothing changes any more.
  if (fase_ != fase::attiva) return;
  const auto* n = std::find_if(std::begin(notifiche_), std::end(notifiche_),
                               [&](const notifica& x) { return x.metodo == metodo; });
  if (n == std::end(notifiche_)) return;
  try {
    (this->*(n->g))(parametri);
  } catch (const std::exception&) {
    // A notification has no answer: one with parameters it cannot use changes nothing.
  }
}

void server_lsp::errore(const nlohmann::json& id, int32_t codice, const std::string& messaggio) {
  invia_({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", codice}, {"message", messaggio}}}});
}

nlohmann::json server_lsp::initialize(const nlohmann::json& p) {
  const codifica_posizioni c = codifica_scelta(p);
  documenti_.imposta_codifica(c);
  fase_ = fase::attiva;
  const nlohmann::json sincronia = {
      {"openClose", true}, {"change", sincronia_incrementale}, {"save", {{"includeText", false}}}};
  return {{"capabilities",
           {{"positionEncoding", c == codifica_posizioni::utf8 ? "utf-8" : "utf-16"},
            {"textDocumentSync", sincronia},
            {"completionProvider", {{"triggerCharacters", {"["}}}},
            {"hoverProvider", true},
            {"documentSymbolProvider", true},
            {"codeActionProvider", {{"codeActionKinds", {"quickfix"}}}}}},
          {"serverInfo", {{"name", "scenario-tool"}, {"version", VERSIONE_PROGRAMMA}}}};
}

nlohmann::json server_lsp::shutdown(const nlohmann::json&) {
  fase_ = fase::chiusa;
  return nullptr;
}

nlohmann::json server_lsp::completion(const nlohmann::json& p) {
  const std::optional<documenti_lsp::vista> d = documenti_.aperto(uri_di(p));
  const posizione_lsp dove = posizione(p.at("position"));
  if (!d || !d->tipo) return nlohmann::json::array();
  return completamenti(d->testo, *d->tipo, dove, documenti_.codifica());
}

nlohmann::json server_lsp::hover(const nlohmann::json& p) {
  const std::string uri = uri_di(p);
  const std::optional<documenti_lsp::vista> d = documenti_.aperto(uri);
  const posizione_lsp dove = posizione(p.at("position"));
  if (!d || !d->tipo) return nullptr;
  return aiuto(d->testo, *d->tipo, dove, documenti_.codifica(),
               [&]() -> std::optional<compilazione> {
                 const std::optional<documenti_lsp::coppia> c = documenti_.coppia_di(uri);
                 if (!c) return std::nullopt;
                 return compila(c->testi, c->opzioni);
               });
}

nlohmann::json server_lsp::document_symbol(const nlohmann::json& p) {
  const std::optional<documenti_lsp::vista> d = documenti_.aperto(uri_di(p));
  if (!d || !d->tipo) return nlohmann::json::array();
  return simboli(d->testo, *d->tipo, documenti_.codifica());
}

// The quick fixes of the problems under the range; none when the client asks only for other
// kinds of action.
nlohmann::json server_lsp::code_action(const nlohmann::json& p) {
  const nlohmann::json& r = p.at("range");
  const intervallo_lsp dove{posizione(r.at("start")), posizione(r.at("end"))};
  const nlohmann::json::json_pointer solo("/context/only");
  if (p.contains(solo)) {
    const nlohmann::json& o = p.at(solo);
    if (!o.is_array()) throw parametro_non_valido("context.only is not an array");
    if (std::find(o.begin(), o.end(), "quickfix") == o.end()) return nlohmann::json::array();
  }
  return documenti_.correzioni(uri_di(p), dove);
}

void server_lsp::did_open(const nlohmann::json& p) {
  documenti_.apri(uri_di(p), p.at("textDocument").at("text").get<std::string>(), versione_di(p));
}

void server_lsp::did_change(const nlohmann::json& p) {
  const nlohmann::json& cambi = p.at("contentChanges");
  if (!cambi.is_array()) throw parametro_non_valido("contentChanges is not an array");
  std::vector<modifica_testo> modifiche;
  for (const nlohmann::json& c : cambi) modifiche.push_back(modifica(c));
  documenti_.modifica(uri_di(p), versione_di(p), modifiche);
}

void server_lsp::did_save(const nlohmann::json& p) { documenti_.salva(uri_di(p)); }

void server_lsp::did_close(const nlohmann::json& p) { documenti_.chiudi(uri_di(p)); }

}  // namespace scenario::strumento
