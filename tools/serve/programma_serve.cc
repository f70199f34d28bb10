// scenario-tool-serve: the serving half of `scenario-tool serve`, a program of its own so that
// only it loads the HTTP library. It reads and compiles the sources, starts listening, prints
// the address, and then waits on the folder and on the signals that end it: a change is read
// once the folder is quiet (tools/serve/raccolta_cambiamenti.h) and every open page is told.
// Messages and statuses are the tool's.
#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <string>

#include "compiler/nomi_file.h"
#include "io/sorveglianza_cartella.h"
#include "run/stati_uscita.h"
#include "tools/cli/lettura_comando.h"
#include "tools/serve/pagina_incorporata.h"
#include "tools/serve/programma_serve.h"
#include "tools/serve/raccolta_cambiamenti.h"
#include "tools/serve/scena.h"
#include "tools/serve/servizio_http.h"

namespace {

using namespace scenario;
using namespace scenario::strumento;
using orologio = raccolta_cambiamenti::orologio;

// While the folder is gone it is looked for this often.
constexpr int attesa_ritorno_ms = 250;

// SIGINT and SIGTERM as a descriptor to wait on with the folder's, blocked before any thread
// starts so that none of the server's threads takes them.
int segnali_di_fine() {
  sigset_t s;
  sigemptyset(&s);
  sigaddset(&s, SIGINT);
  sigaddset(&s, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &s, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
  return signalfd(-1, &s, SFD_CLOEXEC | SFD_NONBLOCK);
}

class servizio {
 public:
  servizio(const cartella_servita& c, int segnali)
      : c_(c),
        nomi_{nome_testo_linea(c.opzioni.nome_linea),
              nome_testo_treno(c.opzioni.nome_linea, c.opzioni.numero_treno)},
        sorveglianza_(c.cartella, nomi_),
        dati_(c),
        segnali_(segnali),
        raccolta_(quiete_cartella, attesa_massima_cartella) {}

  // A reading of the sources; the first comes before the server publishes anything.
  void leggi() {
    nota_cartella();
    const lettura_pagina l = leggi_pagina(c_, piano_);
    dati_.aggiorna(l, avviso_cartella());
    racconta(l);
  }

  void pubblica(servizio_http& http) { http.pubblica(dati_.documento(), dati_.versione()); }

  // Until SIGINT or SIGTERM.
  void sorveglia(servizio_http& http) {
    for (;;) {
      pollfd attese[2] = {{segnali_, POLLIN, 0}, {sorveglianza_.descrittore(), POLLIN, 0}};
      if (::poll(attese, 2, attesa_ms()) < 0 && errno != EINTR) return;
      if (attese[0].revents != 0) return;
      const novita_cartella n = attese[1].revents != 0 ? sorveglianza_.leggi() : novita_cartella{};
      const bool tornata = !sorveglianza_.attiva() && sorveglianza_.riprova();
      if (n.cambiati || n.sparita || tornata) raccolta_.cambiamento(orologio::now());
      nota_cartella();
      if (raccolta_.pronta(orologio::now())) {
        raccolta_.letta();
        leggi();
        pubblica(http);
      }
    }
  }

 private:
  int attesa_ms() const {
    if (const auto t = raccolta_.scadenza()) {
      const auto resta = std::chrono::ceil<std::chrono::milliseconds>(*t - orologio::now());
      return static_cast<int>(std::max<std::chrono::milliseconds::rep>(resta.count(), 0));
    }
    return sorveglianza_.attiva() ? -1 : attesa_ritorno_ms;
  }

  std::string avviso_cartella() const {
    return sorveglianza_.attiva()
               ? ""
               : "folder " + c_.mostrata + " is not there: serve watches for it to come back";
  }
  // The folder going and coming back, said once each time.
  void nota_cartella() {
    if (sorveglianza_.attiva() == cartella_vista_) return;
    cartella_vista_ = sorveglianza_.attiva();
    stampa_errore(cartella_vista_ ? "folder " + c_.mostrata + " is back" : avviso_cartella());
  }

  // What a reading found, on standard error, when it differs from what the last one said.
  void racconta(const lettura_pagina& l) {
    std::string t;
    for (const std::string& m : l.messaggi) t += "scenario-tool: " + m + "\n";
    if (l.compilata) t += l.testo_problemi;
    if (t == detto_) return;
    detto_ = t;
    std::fputs(t.c_str(), stderr);
  }

  const cartella_servita& c_;
  std::vector<std::string> nomi_;
  sorveglianza_cartella sorveglianza_;
  pagina_dati dati_;
  memoria_piano piano_;
  int segnali_;
  raccolta_cambiamenti raccolta_;
  std::string detto_;
  bool cartella_vista_ = true;
};

std::optional<uint16_t> porta_da(const char* testo) {
  try {
    std::size_t fine = 0;
    const unsigned long p = std::stoul(testo, &fine);
    if (testo[fine] == '\0' && p <= 65535) return static_cast<uint16_t>(p);
  } catch (const std::exception&) {
  }
  return std::nullopt;
}

int servi(const cartella_servita& c, uint16_t porta) {
  const int segnali = segnali_di_fine();
  if (segnali < 0) {
    stampa_errore(std::string("cannot wait for Ctrl-C: ") + std::strerror(errno));
    return uscita_file;
  }
  servizio s(c, segnali);
  s.leggi();
  std::optional<servizio_http> http;
  try {
    http.emplace(porta, risorse_pagina());
  } catch (const std::runtime_error& e) {
    stampa_errore("cannot listen on 127.0.0.1:" + std::to_string(porta) + ": " + e.what());
    return uscita_file;
  }
  s.pubblica(*http);
  if (!scrivi_uscita("http://127.0.0.1:" + std::to_string(http->porta()) + "/\n")) {
    return uscita_file;
  }
  s.sorveglia(*http);
  http.reset();
  stampa_errore("serve stopped");
  return uscita_ok;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<uint16_t> porta = argc == 5 ? porta_da(argv[4]) : std::nullopt;
  if (!porta) {
    std::fprintf(stderr, "%s is run by scenario-tool serve; see scenario-tool serve --help\n",
                 nome_programma_serve);
    return uscita_uso;
  }
  opzioni_compilazione o;
  o.nome_linea = argv[2];
  o.numero_treno = argv[3];
  const cartella_servita c{argv[1], argv[1], o};
  return servi(c, *porta);
}
