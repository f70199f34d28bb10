// The HTTP side of serve, on libmicrohttpd: the page's own files, the current document, and a
// stream of Server-Sent Events that tells every open page when a new document is ready. Safe by
// default: it listens on 127.0.0.1 only; it answers only requests whose Host names the loopback
// with its port (a page of another site that rebinds its name to 127.0.0.1 is refused); it
// serves its fixed paths and nothing else, to GET only; the connections, the streams among
// them and each request's size are bounded by the library's limits.
#ifndef TOOLS_SERVE_SERVIZIO_HTTP_H_
#define TOOLS_SERVE_SERVIZIO_HTTP_H_

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>

struct MHD_Daemon;
struct MHD_Connection;

namespace scenario::strumento {

// A file the server sends as it is, at `percorso`.
struct risorsa_http {
  std::string_view percorso;  // "/", "/pagina.js"
  std::string_view tipo;      // its Content-Type
  std::string_view corpo;
};

inline constexpr const char* percorso_documento = "/dati.json";
inline constexpr const char* percorso_eventi = "/eventi";

// The bounds: connections at once (beyond them the library closes new ones at once), the open
// pages' event streams among them (beyond them 503), the memory of one request's head (beyond
// it 414 or 431), and the seconds a connection may idle.
inline constexpr unsigned connessioni_massime = 32;
inline constexpr unsigned flussi_massimi = 8;
inline constexpr std::size_t memoria_richiesta = 16 * 1024;
inline constexpr unsigned secondi_inattivita = 10;

class servizio_http {
 public:
  // Listens on 127.0.0.1:porta, 0 for a free port the system picks. Raises std::runtime_error
  // with the system's reason when it cannot.
  servizio_http(uint16_t porta, std::span<const risorsa_http> risorse);
  // Ends every stream, closes the connections and waits for their threads.
  ~servizio_http();
  servizio_http(const servizio_http&) = delete;
  servizio_http& operator=(const servizio_http&) = delete;

  uint16_t porta() const { return porta_; }

  // The document served from now on; every open page is told its number.
  void pubblica(std::shared_ptr<const std::string> documento, uint64_t versione);

  // For the library's callbacks.
  struct stato;

 private:
  std::unique_ptr<stato> s_;
  MHD_Daemon* demone_ = nullptr;
  uint16_t porta_ = 0;
};

// Whether `host`, a request's Host header, names this server: 127.0.0.1, localhost or [::1]
// with its port (the name in any case).
bool host_ammesso(std::string_view host, uint16_t porta);

}  // namespace scenario::strumento

#endif  // TOOLS_SERVE_SERVIZIO_HTTP_H_
