// The server on libmicrohttpd, one thread per connection: an event stream's thread waits for
// the next document and a closed page is found by the next write, a heartbeat at the latest.
// Every answer is given on the request's head, before any body is read.
#include "tools/serve/servizio_http.h"

#include <arpa/inet.h>
#include <microhttpd.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <stdexcept>
#include <string>

namespace scenario::strumento {

struct servizio_http::stato {
  std::span<const risorsa_http> risorse;
  uint16_t porta = 0;
  std::mutex m;
  std::condition_variable cv;
  std::shared_ptr<const std::string> documento;
  uint64_t versione = 0;
  unsigned flussi = 0;
  bool fermo = false;
};

namespace {

using stato = servizio_http::stato;

constexpr auto intervallo_battito = std::chrono::seconds(5);
// Room in the system's queue for every connection the server may hold: with the queue full,
// the system takes new ones in out of the order they were opened, after a retry of a second.
constexpr int coda_ascolto = 2 * connessioni_massime;

bool uguali_senza_maiuscole(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return (x >= 'A' && x <= 'Z' ? x + 32 : x) == (y >= 'A' && y <= 'Z' ? y + 32 : y);
         });
}

// An Origin sent by a page is that of a page of this server, or the request is refused.
bool origine_ammessa(std::string_view origine, uint16_t porta) {
  constexpr std::string_view schema = "http://";
  return uguali_senza_maiuscole(origine.substr(0, schema.size()), schema) &&
         host_ammesso(origine.substr(std::min(schema.size(), origine.size())), porta);
}

// A page's event stream: what is left to send, and the number of the last document it told.
struct flusso {
  stato* s;
  uint64_t detta = 0;
  std::string da_inviare = "retry: 1000\n\n";
};

ssize_t leggi_flusso(void* cls, uint64_t, char* buf, size_t massimo) {
  flusso& f = *static_cast<flusso*>(cls);
  if (f.da_inviare.empty()) {
    std::unique_lock lock(f.s->m);
    f.s->cv.wait_for(lock, intervallo_battito,
                     [&] { return f.s->fermo || f.s->versione != f.detta; });
    if (f.s->fermo) return MHD_CONTENT_READER_END_OF_STREAM;
    if (f.s->versione != f.detta) {
      f.detta = f.s->versione;
      f.da_inviare = "event: dati\ndata: " + std::to_string(f.detta) + "\n\n";
    } else {
      f.da_inviare = ":\n\n";  // a comment, so that a page that went away is found
    }
  }
  const std::size_t n = std::min(massimo, f.da_inviare.size());
  std::memcpy(buf, f.da_inviare.data(), n);
  f.da_inviare.erase(0, n);
  return static_cast<ssize_t>(n);
}

void chiudi_flusso(void* cls) {
  const std::unique_ptr<flusso> f(static_cast<flusso*>(cls));
  const std::lock_guard lock(f->s->m);
  --f->s->flussi;
}

void libera_documento(void* cls) { delete static_cast<std::shared_ptr<const std::string>*>(cls); }

MHD_Result accoda(MHD_Connection* c, unsigned codice, MHD_Response* r, std::string_view tipo) {
  if (r == nullptr) return MHD_NO;
  MHD_add_response_header(r, MHD_HTTP_HEADER_CONTENT_TYPE, std::string(tipo).c_str());
  MHD_add_response_header(r, "X-Content-Type-Options", "nosniff");
  MHD_add_response_header(r, MHD_HTTP_HEADER_CACHE_CONTROL, "no-store");
  MHD_add_response_header(r, "Referrer-Policy", "no-referrer");
  MHD_add_response_header(r, "Content-Security-Policy",
                          "default-src 'self'; base-uri 'none'; form-action 'none'; "
                          "frame-ancestors 'none'");
  const MHD_Result esito = MHD_queue_response(c, codice, r);
  MHD_destroy_response(r);
  return esito;
}

MHD_Result testo(MHD_Connection* c, unsigned codice, const std::string& t,
                 const char* consentiti = nullptr) {
  MHD_Response* r =
      MHD_create_response_from_buffer(t.size(), const_cast<char*>(t.data()), MHD_RESPMEM_MUST_COPY);
  if (r != nullptr && consentiti != nullptr)
    MHD_add_response_header(r, MHD_HTTP_HEADER_ALLOW, consentiti);
  return accoda(c, codice, r, "text/plain; charset=utf-8");
}

MHD_Result documento(MHD_Connection* c, stato& s) {
  std::shared_ptr<const std::string> d;
  {
    const std::lock_guard lock(s.m);
    d = s.documento;
  }
  if (!d) return testo(c, MHD_HTTP_SERVICE_UNAVAILABLE, "no data yet\n");
  auto* tenuto = new std::shared_ptr<const std::string>(std::move(d));
  MHD_Response* r = MHD_create_response_from_buffer_with_free_callback_cls(
      (*tenuto)->size(), const_cast<char*>((*tenuto)->data()), libera_documento, tenuto);
  if (r == nullptr) libera_documento(tenuto);
  return accoda(c, MHD_HTTP_OK, r, "application/json");
}

MHD_Result eventi(MHD_Connection* c, stato& s) {
  {
    const std::lock_guard lock(s.m);
    if (s.flussi >= flussi_massimi) {
      return testo(c, MHD_HTTP_SERVICE_UNAVAILABLE,
                   "too many open pages: at most " + std::to_string(flussi_massimi) + "\n");
    }
    ++s.flussi;
  }
  auto* f = new flusso{&s};
  MHD_Response* r =
      MHD_create_response_from_callback(MHD_SIZE_UNKNOWN, 1024, leggi_flusso, f, chiudi_flusso);
  if (r == nullptr) chiudi_flusso(f);
  return accoda(c, MHD_HTTP_OK, r, "text/event-stream");
}

MHD_Result conta_host(void* cls, MHD_ValueKind, const char* chiave, const char*) {
  if (uguali_senza_maiuscole(chiave, MHD_HTTP_HEADER_HOST)) ++*static_cast<int*>(cls);
  return MHD_YES;
}

MHD_Result rispondi(void* cls, MHD_Connection* c, const char* url, const char* metodo, const char*,
                    const char*, size_t*, void**) {
  stato& s = *static_cast<stato*>(cls);
  // One Host only: of two, a proxy in front and this server might each read another.
  int quanti_host = 0;
  MHD_get_connection_values(c, MHD_HEADER_KIND, conta_host, &quanti_host);
  const char* host = MHD_lookup_connection_value(c, MHD_HEADER_KIND, MHD_HTTP_HEADER_HOST);
  const char* origine = MHD_lookup_connection_value(c, MHD_HEADER_KIND, "Origin");
  if (quanti_host != 1 || host == nullptr || !host_ammesso(host, s.porta) ||
      (origine != nullptr && !origine_ammessa(origine, s.porta))) {
    const std::string p = std::to_string(s.porta);
    return testo(c, MHD_HTTP_FORBIDDEN,
                 "forbidden: the Host must be 127.0.0.1:" + p + ", localhost:" + p +
                     " or [::1]:" + p + "\n");
  }
  if (std::strcmp(metodo, MHD_HTTP_METHOD_GET) != 0) {
    return testo(c, MHD_HTTP_METHOD_NOT_ALLOWED, "method not allowed: only GET\n",
                 MHD_HTTP_METHOD_GET);
  }
  const std::string_view percorso = url;
  if (percorso == percorso_documento) return documento(c, s);
  if (percorso == percorso_eventi) return eventi(c, s);
  for (const risorsa_http& r : s.risorse) {
    if (r.percorso != percorso) continue;
    return accoda(c, MHD_HTTP_OK,
                  MHD_create_response_from_buffer(r.corpo.size(), const_cast<char*>(r.corpo.data()),
                                                  MHD_RESPMEM_PERSISTENT),
                  r.tipo);
  }
  return testo(c, MHD_HTTP_NOT_FOUND, "not found\n");
}

// The listening socket, bound here so that a taken port is told in the system's words.
int ascolto(uint16_t porta) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) throw std::runtime_error(std::strerror(errno));
  const int uno = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &uno, sizeof uno);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(porta);
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
      ::listen(fd, coda_ascolto) != 0) {
    const int e = errno;
    ::close(fd);
    throw std::runtime_error(std::strerror(e));
  }
  return fd;
}

uint16_t porta_di(int fd) {
  sockaddr_in a{};
  socklen_t n = sizeof a;
  if (::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &n) != 0) return 0;
  return ntohs(a.sin_port);
}

}  // namespace

bool host_ammesso(std::string_view host, uint16_t porta) {
  const std::string coda = ":" + std::to_string(porta);
  if (host.size() <= coda.size() || host.substr(host.size() - coda.size()) != coda) return false;
  const std::string_view nome = host.substr(0, host.size() - coda.size());
  return nome == "127.0.0.1" || nome == "[::1]" || uguali_senza_maiuscole(nome, "localhost");
}

servizio_http::servizio_http(uint16_t porta, std::span<const risorsa_http> risorse)
    : s_(std::make_unique<stato>()) {
  s_->risorse = risorse;
  const int fd = ascolto(porta);
  porta_ = s_->porta = porta_di(fd);
  demone_ = MHD_start_daemon(
      MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_THREAD_PER_CONNECTION | MHD_USE_POLL, 0, nullptr,
      nullptr, &rispondi, s_.get(), MHD_OPTION_LISTEN_SOCKET, fd, MHD_OPTION_CONNECTION_LIMIT,
      connessioni_massime, MHD_OPTION_CONNECTION_MEMORY_LIMIT, memoria_richiesta,
      MHD_OPTION_CONNECTION_TIMEOUT, secondi_inattivita, MHD_OPTION_END);
  if (demone_ == nullptr) {
    ::close(fd);
    throw std::runtime_error("the HTTP library could not start");
  }
}

servizio_http::~servizio_http() {
  {
    const std::lock_guard lock(s_->m);
    s_->fermo = true;
  }
  s_->cv.notify_all();
  MHD_stop_daemon(demone_);
}

void servizio_http::pubblica(std::shared_ptr<const std::string> documento, uint64_t versione) {
  {
    const std::lock_guard lock(s_->m);
    s_->documento = std::move(documento);
    s_->versione = versione;
  }
  s_->cv.notify_all();
}

}  // namespace scenario::strumento
