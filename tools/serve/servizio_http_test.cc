// serve's HTTP side through a real socket on 127.0.0.1: only requests whose Host (and Origin,
// when a page sends one) name this server are answered, only GET, only the fixed paths; heads
// too large, too many connections and too many event streams are refused; the document and
// its events reach the pages; stopping ends the open streams.
#include "tools/serve/servizio_http.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace scenario::strumento {
namespace {

// One connection, with a receive timeout so that a test that waits for nothing fails instead
// of hanging.
class connessione {
 public:
  explicit connessione(uint16_t porta, const char* indirizzo = "127.0.0.1")
      : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
    timeval attesa{10, 0};
    ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &attesa, sizeof attesa);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(porta);
    ::inet_pton(AF_INET, indirizzo, &a.sin_addr);
    aperta_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  }
  ~connessione() { ::close(fd_); }
  connessione(const connessione&) = delete;
  connessione& operator=(const connessione&) = delete;

  bool aperta() const { return aperta_; }
  void invia(const std::string& t) {
    for (std::size_t fatti = 0; fatti < t.size();) {
      const ssize_t n = ::send(fd_, t.data() + fatti, t.size() - fatti, MSG_NOSIGNAL);
      if (n <= 0) return;  // the server may close before it has read everything
      fatti += static_cast<std::size_t>(n);
    }
  }
  // What arrives until the server closes, or until `fine` is in it.
  std::string ricevi(const std::string& fine = "") {
    char b[4096];
    for (;;) {
      if (!fine.empty() && ricevuto_.find(fine) != std::string::npos) break;
      const ssize_t n = ::recv(fd_, b, sizeof b, 0);
      if (n <= 0) {
        // A close with bytes of ours still unread arrives as a reset: closed all the same.
        chiusa_ = n == 0 || errno == ECONNRESET;
        break;
      }
      ricevuto_.append(b, static_cast<std::size_t>(n));
    }
    return ricevuto_;
  }
  bool chiusa() const { return chiusa_; }

 private:
  int fd_;
  bool aperta_ = false;
  bool chiusa_ = false;
  std::string ricevuto_;
};

struct risposta {
  int stato = 0;
  std::string testa;
  std::string corpo;
};

risposta leggi_risposta(const std::string& t) {
  risposta r;
  if (t.rfind("HTTP/1.1 ", 0) == 0) r.stato = std::stoi(t.substr(9, 3));
  const std::size_t fine = t.find("\r\n\r\n");
  r.testa = t.substr(0, fine);
  if (fine != std::string::npos) r.corpo = t.substr(fine + 4);
  return r;
}

constexpr risorsa_http risorse_prova[] = {
    {"/", "text/html; charset=utf-8", "<p>pagina</p>"},
    {"/pagina.js", "text/javascript; charset=utf-8", "1;"},
};

class ServizioHttp : public ::testing::Test {
 protected:
  void SetUp() override {
    http_ = std::make_unique<servizio_http>(0, risorse_prova);
    http_->pubblica(std::make_shared<const std::string>("{\"versione\":1}"), 1);
    p_ = std::to_string(http_->porta());
  }

  // The request's answer, the connection closed by the server after it.
  risposta chiedi(const std::string& richiesta) {
    connessione c(http_->porta());
    c.invia(richiesta);
    return leggi_risposta(c.ricevi());
  }
  risposta get(const std::string& percorso, const std::string& altre_righe = "") {
    return chiedi("GET " + percorso + " HTTP/1.1\r\nHost: 127.0.0.1:" + p_ +
                  "\r\nConnection: close\r\n" + altre_righe + "\r\n");
  }

  std::unique_ptr<servizio_http> http_;
  std::string p_;
};

// 127.0.0.1 only: every address of 127/8 reaches this machine, and a server listening on all
// of them would answer 127.0.0.2 too.
TEST_F(ServizioHttp, AscoltaSoloSul127001) {
  EXPECT_NE(http_->porta(), 0);
  EXPECT_TRUE(connessione(http_->porta()).aperta());
  EXPECT_FALSE(connessione(http_->porta(), "127.0.0.2").aperta());
  try {
    servizio_http altro(http_->porta(), risorse_prova);
    ADD_FAILURE() << "a second server on the same port";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Address already in use");
  }
}

TEST_F(ServizioHttp, LaPaginaLeSueRisorseEIlDocumento) {
  const risposta pagina = get("/");
  EXPECT_EQ(pagina.stato, 200);
  EXPECT_EQ(pagina.corpo, "<p>pagina</p>");
  EXPECT_NE(pagina.testa.find("Content-Type: text/html; charset=utf-8"), std::string::npos);
  EXPECT_NE(pagina.testa.find("X-Content-Type-Options: nosniff"), std::string::npos);
  EXPECT_NE(pagina.testa.find("Content-Security-Policy: default-src 'self';"), std::string::npos);
  EXPECT_EQ(get("/pagina.js").corpo, "1;");
  const risposta dati = get(percorso_documento);
  EXPECT_EQ(dati.stato, 200);
  EXPECT_EQ(dati.corpo, "{\"versione\":1}");
  EXPECT_NE(dati.testa.find("Content-Type: application/json"), std::string::npos);
  http_->pubblica(std::make_shared<const std::string>("{\"versione\":2}"), 2);
  EXPECT_EQ(get(percorso_documento).corpo, "{\"versione\":2}");
}

// Each Host and Origin that names this server, and those that miss by a little.
TEST_F(ServizioHttp, HostEOrigineDelLoopbackSoltanto) {
  const std::string altra = std::to_string(http_->porta() + 1);
  const struct {
    std::string righe;
    int stato;
  } casi[] = {
      {"Host: 127.0.0.1:" + p_, 200},
      {"Host: localhost:" + p_, 200},
      {"Host: LocalHost:" + p_, 200},
      {"Host: [::1]:" + p_, 200},
      {"Host: 127.0.0.1:" + altra, 403},
      {"Host: 127.0.0.1", 403},
      {"Host: localhost", 403},
      {"Host: 127.0.0.2:" + p_, 403},
      {"Host: x127.0.0.1:" + p_, 403},
      {"Host: localhost.example.org:" + p_, 403},
      {"Host: example.org:" + p_, 403},
      {"Host: 127.0.0.1:" + p_ + ".example.org", 403},
      {"Host: 127.0.0.1:0" + p_, 403},
      {"Host: [::2]:" + p_, 403},
      {"Host: ", 403},
      // Two Host headers, even both right: a proxy and this server might read different ones.
      {"Host: 127.0.0.1:" + p_ + "\r\nHost: 127.0.0.1:" + p_, 403},
      {"Host: 127.0.0.1:" + p_ + "\r\nHost: example.org", 403},
      {"Host: 127.0.0.1:" + p_ + "\r\nOrigin: http://127.0.0.1:" + p_, 200},
      {"Host: 127.0.0.1:" + p_ + "\r\nOrigin: http://localhost:" + p_, 200},
      {"Host: 127.0.0.1:" + p_ + "\r\nOrigin: http://example.org", 403},
      {"Host: 127.0.0.1:" + p_ + "\r\nOrigin: https://127.0.0.1:" + p_, 403},
      {"Host: 127.0.0.1:" + p_ + "\r\nOrigin: http://127.0.0.1:" + altra, 403},
      {"Host: 127.0.0.1:" + p_ + "\r\nOrigin: null", 403},
  };
  for (const auto& c : casi) {
    const risposta r = chiedi("GET / HTTP/1.1\r\n" + c.righe + "\r\nConnection: close\r\n\r\n");
    EXPECT_EQ(r.stato, c.stato) << c.righe;
    if (c.stato == 403) {
      EXPECT_EQ(r.corpo, "forbidden: the Host must be 127.0.0.1:" + p_ + ", localhost:" + p_ +
                             " or [::1]:" + p_ + "\n");
    }
  }
  // HTTP/1.0 allows a request without a Host; this server does not.
  EXPECT_EQ(chiedi("GET / HTTP/1.0\r\n\r\n").stato, 403);
  EXPECT_EQ(chiedi("GET / HTTP/1.1\r\nConnection: close\r\n\r\n").stato, 403);
}

TEST_F(ServizioHttp, SoloIPercorsiFissi) {
  const struct {
    const char* percorso;
    int stato;
  } casi[] = {
      {"/", 200},
      {"/pagina.js", 200},
      {"/dati.json", 200},
      {"/dati.json?v=3", 200},  // the query is not part of the path
      {"/pagina.js/", 404},
      {"/PAGINA.JS", 404},
      {"//pagina.js", 404},
      {"/index.html", 404},
      {"/../etc/passwd", 404},
      {"/%2e%2e/etc/passwd", 404},
      {"/%2fetc%2fpasswd", 404},
      {"/dati.json/..", 404},
      {"/eventi/", 404},
      {"http://example.org/", 404},
      {"*", 404},
  };
  for (const auto& c : casi) EXPECT_EQ(get(c.percorso).stato, c.stato) << c.percorso;
  EXPECT_EQ(get("/nessuno").corpo, "not found\n");
}

TEST_F(ServizioHttp, SoloGet) {
  for (const char* metodo :
       {"POST", "PUT", "DELETE", "PATCH", "OPTIONS", "HEAD", "TRACE", "BREW"}) {
    const risposta r = chiedi(std::string(metodo) + " / HTTP/1.1\r\nHost: 127.0.0.1:" + p_ +
                              "\r\nConnection: close\r\n\r\n");
    EXPECT_EQ(r.stato, 405) << metodo;
    EXPECT_NE(r.testa.find("\r\nAllow: GET"), std::string::npos) << metodo << r.testa;
  }
  // The answer comes on the head: a body announced as huge is never read.
  connessione c(http_->porta());
  c.invia("POST /dati.json HTTP/1.1\r\nHost: 127.0.0.1:" + p_ +
          "\r\nContent-Length: 1000000000\r\n\r\nx");
  const risposta r = leggi_risposta(c.ricevi());
  EXPECT_EQ(r.stato, 405);
  EXPECT_EQ(r.corpo, "method not allowed: only GET\n");
  EXPECT_TRUE(c.chiusa());
}

// A head larger than the memory of a request is refused whole, wherever its bytes are.
TEST_F(ServizioHttp, TesteTroppoGrandi) {
  const std::string host = "Host: 127.0.0.1:" + p_ + "\r\n";
  const std::string lungo(memoria_richiesta, 'a');
  EXPECT_EQ(chiedi("GET /" + lungo + " HTTP/1.1\r\n" + host + "\r\n").stato, 414);
  EXPECT_EQ(chiedi("GET / HTTP/1.1\r\n" + host + "X-A: " + lungo + "\r\n\r\n").stato, 431);
  std::string molte;
  for (std::size_t i = 0; molte.size() <= memoria_richiesta; ++i) {
    molte += "X-" + std::to_string(i) + ": abcdefgh\r\n";
  }
  EXPECT_EQ(chiedi("GET / HTTP/1.1\r\n" + host + molte + "\r\n").stato, 431);
  // Below the bound a head of some kilobytes is served.
  EXPECT_EQ(get("/", "X-A: " + std::string(2000, 'a') + "\r\n").stato, 200);
  // The server still answers.
  EXPECT_EQ(get("/").stato, 200);
}

// Connections beyond the bound are closed at once, those within it kept; once they go, new
// ones are served again.
TEST_F(ServizioHttp, ConnessioniLimitate) {
  std::vector<std::unique_ptr<connessione>> tenute;
  for (unsigned i = 0; i < connessioni_massime; ++i) {
    tenute.push_back(std::make_unique<connessione>(http_->porta()));
    ASSERT_TRUE(tenute.back()->aperta());
  }
  // The server takes connections in the order they were opened: once the last, an event
  // stream that stays open, is answered, every held one has been taken in.
  tenute.back()->invia("GET /eventi HTTP/1.1\r\nHost: 127.0.0.1:" + p_ + "\r\n\r\n");
  EXPECT_EQ(leggi_risposta(tenute.back()->ricevi("data: 1\n\n")).stato, 200);
  connessione oltre(http_->porta());
  oltre.invia("GET / HTTP/1.1\r\nHost: 127.0.0.1:" + p_ + "\r\n\r\n");
  EXPECT_EQ(oltre.ricevi(), "");
  EXPECT_TRUE(oltre.chiusa());
  tenute.clear();
  // The server frees their places as it sees them closed.
  risposta r;
  for (int tentativo = 0; tentativo < 200 && r.stato != 200; ++tentativo) {
    r = get("/");
    if (r.stato != 200) ::usleep(50000);
  }
  EXPECT_EQ(r.stato, 200);
}

// An event stream: the retry time, then the number of the document at hand, then the number of
// each new one.
TEST_F(ServizioHttp, FlussoDegliEventi) {
  connessione c(http_->porta());
  c.invia("GET /eventi HTTP/1.1\r\nHost: 127.0.0.1:" + p_ + "\r\n\r\n");
  std::string t = c.ricevi("data: 1\n\n");
  EXPECT_EQ(leggi_risposta(t).stato, 200);
  EXPECT_NE(t.find("Content-Type: text/event-stream"), std::string::npos);
  EXPECT_NE(t.find("retry: 1000\n\n"), std::string::npos);
  EXPECT_NE(t.find("event: dati\ndata: 1\n\n"), std::string::npos);
  http_->pubblica(std::make_shared<const std::string>("{}"), 2);
  t = c.ricevi("data: 2\n\n");
  EXPECT_NE(t.find("event: dati\ndata: 2\n\n"), std::string::npos);
  // Stopping the server ends the stream.
  http_.reset();
  c.ricevi();
  EXPECT_TRUE(c.chiusa());
}

TEST_F(ServizioHttp, FlussiLimitati) {
  std::vector<std::unique_ptr<connessione>> flussi;
  for (unsigned i = 0; i < flussi_massimi; ++i) {
    flussi.push_back(std::make_unique<connessione>(http_->porta()));
    flussi.back()->invia("GET /eventi HTTP/1.1\r\nHost: 127.0.0.1:" + p_ + "\r\n\r\n");
    ASSERT_NE(flussi.back()->ricevi("data: 1\n\n").find("data: 1\n\n"), std::string::npos);
  }
  const risposta r = get(percorso_eventi);
  EXPECT_EQ(r.stato, 503);
  EXPECT_EQ(r.corpo, "too many open pages: at most " + std::to_string(flussi_massimi) + "\n");
  // Pages beyond the streams still get the page and the document.
  EXPECT_EQ(get(percorso_documento).stato, 200);
}

}  // namespace
}  // namespace scenario::strumento
