// The editor server's latency and memory (bench/README.md). `scenario-tool lsp` is started as
// an editor starts it, on two pipes, and both sources of a route are opened in it; then one
// source is edited, one character a change that breaks a record and the next that mends it,
// and each edit is timed from its didChange written to the last publishDiagnostics read for it
// (p50 and p95 over the edits). Last, many edits more, reading the server's resident memory
// (VmRSS in /proc) as they go.
//
//   banco_lsp [SCENARIO_TOOL [EDITS [MEMORY_EDITS]]]
//
// Each edit is followed by a request the server does not know: its answer, which comes after
// every publication of the edit, marks where the edit's publications end.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "bench/generatore.h"
#include "compiler/nomi_file.h"
#include "compiler/testo_1252.h"
#include "sources/contenuti.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using orologio = std::chrono::steady_clock;

// The server on two pipes: messages written in their frames, frames read back whole.
class server {
 public:
  explicit server(const std::string& programma) {
    int in[2];
    int out[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0) {
      throw std::runtime_error("pipe");
    }
    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    posix_spawn_file_actions_adddup2(&azioni, in[0], 0);
    posix_spawn_file_actions_adddup2(&azioni, out[1], 1);
    std::string nome = programma;
    std::string lsp = "lsp";
    char* argv[] = {nome.data(), lsp.data(), nullptr};
    const int e = ::posix_spawn(&pid_, programma.c_str(), &azioni, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&azioni);
    ::close(in[0]);
    ::close(out[1]);
    scrivi_ = in[1];
    leggi_ = out[0];
    if (e != 0) throw std::runtime_error("cannot start " + programma);
  }
  server(const server&) = delete;
  server& operator=(const server&) = delete;
  ~server() {
    ::close(scrivi_);
    ::close(leggi_);
    int stato = 0;
    ::waitpid(pid_, &stato, 0);
  }

  void invia(const nlohmann::json& m) {
    const std::string corpo = m.dump();
    const std::string c = "Content-Length: " + std::to_string(corpo.size()) + "\r\n\r\n" + corpo;
    for (std::size_t fatto = 0; fatto < c.size();) {
      const ssize_t n = ::write(scrivi_, c.data() + fatto, c.size() - fatto);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) throw std::runtime_error("the server stopped reading");
      fatto += static_cast<std::size_t>(n);
    }
  }

  nlohmann::json ricevi() {
    std::size_t fine_testa;
    while ((fine_testa = dati_.find("\r\n\r\n")) == std::string::npos) leggi_ancora();
    const std::size_t lunghezza = std::stoul(dati_.substr(dati_.find(':') + 1));
    while (dati_.size() < fine_testa + 4 + lunghezza) leggi_ancora();
    nlohmann::json m = nlohmann::json::parse(dati_.substr(fine_testa + 4, lunghezza));
    dati_.erase(0, fine_testa + 4 + lunghezza);
    return m;
  }

  // The server's resident memory, in kB.
  long rss() const {
    std::ifstream s("/proc/" + std::to_string(pid_) + "/status");
    for (std::string riga; std::getline(s, riga);) {
      if (riga.starts_with("VmRSS:")) return std::stol(riga.substr(6));
    }
    return -1;
  }

 private:
  void leggi_ancora() {
    char b[65536];
    const ssize_t n = ::read(leggi_, b, sizeof b);
    if (n < 0 && errno == EINTR) return;
    if (n <= 0) throw std::runtime_error("the server closed its output");
    dati_.append(b, static_cast<std::size_t>(n));
  }

  pid_t pid_ = 0;
  int scrivi_ = -1;
  int leggi_ = -1;
  std::string dati_;
};

// One source edited: its URI and the place of a digit that the edit turns from one value to
// the other and back.
struct sorgente_modificata {
  std::string uri;
  int64_t riga;
  int64_t carattere;
  std::string originale;
  std::string rotto;
  std::size_t problemi_sano = 0;  // published for the mended source
};

// The tens digit of the position of the middle record of `parola` in `testo`: a position is a
// multiple of 50, and a 1 there makes it fall between two cells.
sorgente_modificata da_rompere(const std::string& uri, const std::string& testo,
                               std::string_view parola) {
  std::vector<std::pair<int64_t, std::string_view>> trovate;
  int64_t riga = 0;
  for (std::size_t i = 0; i < testo.size(); ++riga) {
    const std::size_t fine = testo.find("\r\n", i);
    const std::string_view r(testo.data() + i, fine - i);
    if (r.starts_with(parola)) trovate.emplace_back(riga, r);
    i = fine + 2;
  }
  if (trovate.empty()) throw std::runtime_error("no " + std::string(parola) + " in " + uri);
  const auto [n, r] = trovate[trovate.size() / 2];
  const std::size_t numero = r.find_first_of("0123456789");
  const std::size_t decine = r.find_first_not_of("0123456789", numero) - 2;
  if (numero == std::string_view::npos || decine < numero || decine >= r.size()) {
    throw std::runtime_error("no position of three digits in " + std::string(r));
  }
  return {uri, n, static_cast<int64_t>(decine), std::string(1, r[decine]), "1"};
}

nlohmann::json richiesta(int id, const std::string& metodo, nlohmann::json parametri) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"method", metodo}, {"params", std::move(parametri)}};
}

void apri(server& s, const std::string& uri, const std::string& testo_1252) {
  s.invia({{"jsonrpc", "2.0"},
           {"method", "textDocument/didOpen"},
           {"params",
            {{"textDocument",
              {{"uri", uri},
               {"languageId", "scenario"},
               {"version", 1},
               {"text", scenario::da_windows_1252(testo_1252)}}}}}});
}

// What came back for one edit: when its last publication was read, and how many problems the
// last one for the edited document held.
struct pubblicate {
  orologio::time_point ultima{};
  std::size_t problemi = 0;
};

// Until the answer to request `id`.
pubblicate fino_alla_risposta(server& s, int id, const std::string& uri = {}) {
  pubblicate p;
  for (;;) {
    const nlohmann::json m = s.ricevi();
    if (m.value("method", "") == "textDocument/publishDiagnostics") {
      p.ultima = orologio::now();
      if (m["params"]["uri"] == uri) p.problemi = m["params"]["diagnostics"].size();
    }
    if (m.contains("id") && m["id"] == id) return p;
  }
}

class sessione {
 public:
  sessione(const std::string& programma, const fs::path& cartella,
           const scenario::banco::sorgenti_generate& testi, const std::string& linea,
           const std::string& treno)
      : s_(programma) {
    const std::string prefisso = "file://" + cartella.string() + "/";
    uri_linea_ = prefisso + scenario::nome_testo_linea(linea);
    uri_treno_ = prefisso + scenario::nome_testo_treno(linea, treno);
    s_.invia(richiesta(++id_, "initialize", {{"capabilities", nlohmann::json::object()}}));
    fino_alla_risposta(s_, id_);
    s_.invia({{"jsonrpc", "2.0"}, {"method", "initialized"}, {"params", nlohmann::json::object()}});
    apri(s_, uri_linea_, testi.linea);
    apri(s_, uri_treno_, testi.treno);
  }

  const std::string& uri_linea() const { return uri_linea_; }
  const std::string& uri_treno() const { return uri_treno_; }

  // One edit, breaking on odd turns and mending on even ones; its time in milliseconds. A
  // broken source must come back with more problems than the mended one, or nothing was timed.
  double modifica(sorgente_modificata& m) {
    const bool rompe = versione_ % 2 == 1;
    const nlohmann::json cambio = {{"range",
                                    {{"start", {{"line", m.riga}, {"character", m.carattere}}},
                                     {"end", {{"line", m.riga}, {"character", m.carattere + 1}}}}},
                                   {"text", rompe ? m.rotto : m.originale}};
    const orologio::time_point inizio = orologio::now();
    s_.invia({{"jsonrpc", "2.0"},
              {"method", "textDocument/didChange"},
              {"params",
               {{"textDocument", {{"uri", m.uri}, {"version", ++versione_}}},
                {"contentChanges", {cambio}}}}});
    s_.invia(richiesta(++id_, "$/fine", nlohmann::json::object()));
    const pubblicate p = fino_alla_risposta(s_, id_, m.uri);
    if (!rompe) m.problemi_sano = p.problemi;
    if (rompe && p.problemi <= m.problemi_sano) {
      throw std::runtime_error("the edit of " + m.uri + " changed no problem");
    }
    return std::chrono::duration<double, std::milli>(p.ultima - inizio).count();
  }

  long rss() const { return s_.rss(); }

  void chiudi() {
    s_.invia(richiesta(++id_, "shutdown", nullptr));
    fino_alla_risposta(s_, id_);
    s_.invia({{"jsonrpc", "2.0"}, {"method", "exit"}});
  }

 private:
  server s_;
  std::string uri_linea_;
  std::string uri_treno_;
  int id_ = 0;
  int versione_ = 1;
};

double percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  const auto k = static_cast<std::size_t>(p * static_cast<double>(v.size()) + 0.999999) - 1;
  return v[std::min(k, v.size() - 1)];
}

void scrivi(const fs::path& file, const std::string& testo) {
  std::ofstream out(file, std::ios::binary);
  out << testo;
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

struct percorso_prova {
  const char* nome;
  std::string linea;
  std::string treno;
  scenario::banco::sorgenti_generate testi;
};

std::string unite(const std::vector<std::string_view>& righe) {
  std::string t;
  for (const std::string_view r : righe) (t += r) += "\r\n";
  return t;
}

// The edits of each source of each route, timed; then the memory over many edits of the
// longest route's train service.
int esegui(const std::string& programma, int modifiche, int modifiche_memoria) {
  const fs::path radice = fs::temp_directory_path() / ("banco_lsp_" + std::to_string(::getpid()));
  const percorso_prova percorsi[] = {
      {"shipped route (57 km)",
       "ARONA_DOMODOSSOLA",
       "324",
       {unite(scenario::righe_linea), unite(scenario::righe_treno)}},
      {"1000 km route", "SINTETICA", "1", scenario::banco::genera_sorgenti(1'000'000)},
  };
  std::printf("%-22s %-17s %6s %8s %8s %8s\n", "route", "source edited", "edits", "p50 ms",
              "p95 ms", "max ms");
  for (const percorso_prova& p : percorsi) {
    const fs::path cartella = radice / p.linea;
    fs::create_directories(cartella);
    scrivi(cartella / scenario::nome_testo_linea(p.linea), p.testi.linea);
    scrivi(cartella / scenario::nome_testo_treno(p.linea, p.treno), p.testi.treno);
    sessione s(programma, cartella, p.testi, p.linea, p.treno);
    sorgente_modificata modificate[] = {da_rompere(s.uri_treno(), p.testi.treno, "segnale"),
                                        da_rompere(s.uri_linea(), p.testi.linea, "pendenza")};
    const char* nomi[] = {"train service", "line description"};
    for (int k = 0; k < 2; ++k) {
      std::vector<double> tempi;
      for (int i = 0; i < modifiche; ++i) tempi.push_back(s.modifica(modificate[k]));
      std::printf("%-22s %-17s %6d %8.2f %8.2f %8.2f\n", p.nome, nomi[k], modifiche,
                  percentile(tempi, 0.50), percentile(tempi, 0.95), percentile(tempi, 1.0));
    }
    if (&p == &percorsi[1]) {
      std::printf("\nresident memory of the server over %d edits of the train service:\n",
                  modifiche_memoria);
      std::printf("  after %6d: %ld kB\n", 0, s.rss());
      for (int i = 1; i <= modifiche_memoria; ++i) {
        s.modifica(modificate[0]);
        if (i % (modifiche_memoria / 10) == 0) std::printf("  after %6d: %ld kB\n", i, s.rss());
      }
    }
    s.chiudi();
  }
  fs::remove_all(radice);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string programma = argc > 1 ? argv[1] : SCENARIO_TOOL;
  const int modifiche = argc > 2 ? std::atoi(argv[2]) : 200;
  const int memoria = argc > 3 ? std::atoi(argv[3]) : 10'000;
  if (modifiche < 1 || memoria < 10) {
    std::fprintf(stderr, "uso: banco_lsp [SCENARIO_TOOL [MODIFICHE [MODIFICHE_MEMORIA]]]\n");
    return 2;
  }
  try {
    return esegui(programma, modifiche, memoria);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "banco_lsp: %s\n", e.what());
    return 1;
  }
}
