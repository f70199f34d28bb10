// Heavy loops, in their own CTest group (label "pesanti"), run only when GIRI_PESANTI gives
// the number of rounds (scripts/test.sh does): runs of the package and of the compile in
// one folder at the same time, and the package and the compile killed at random moments.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "bench/generatore.h"
#include "io/blocco.h"
#include "io/scrittura.h"
#include "sources/carico_spedito.h"
#include "sources/scrittori.h"
#include "tests/corse_in_cartella.h"
#include "tests/pacchetto_in_cartella.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

int giri() {
  const char* v = std::getenv("GIRI_PESANTI");
  return v != nullptr ? std::atoi(v) : 0;
}

// The compiled files in the order they are renamed into place.
const char* const compilati[] = {"ARONA_DOMODOSSOLA_linea.dat", "ARONA_DOMODOSSOLA_324.sim",
                                 "ARONA_DOMODOSSOLA_324.dat"};

class Pesanti : public test::cartella_di_prova {
 protected:
  void SetUp() override {
    if (giri() <= 0) GTEST_SKIP() << "heavy loop: GIRI_PESANTI=N runs it N rounds";
    cartella_di_prova::SetUp();
  }

  void svuota() const {
    for (const auto& voce : fs::directory_iterator(cartella_)) fs::remove_all(voce.path());
  }
  void sorgenti() const {
    test::scrivi_file(cartella_ / "ARONA_DOMODOSSOLA_linea.txt", test::linea_spedita());
    test::scrivi_file(cartella_ / "ARONA_DOMODOSSOLA_324-.txt", test::treno_spedito());
  }
  std::map<std::string, std::string> contenuto() const {
    std::map<std::string, std::string> file;
    for (const auto& voce : fs::directory_iterator(cartella_)) {
      file[voce.path().filename().string()] = test::leggi_file(voce.path());
    }
    return file;
  }

  // Runs each sequence in a child process, all released at once; their exit statuses.
  std::vector<int> insieme(const std::vector<std::function<int()>>& corse) const {
    int via[2];
    EXPECT_EQ(::pipe(via), 0);
    std::vector<pid_t> figli;
    for (const auto& corsa : corse) {
      const pid_t figlio = ::fork();
      if (figlio == 0) {
        ::close(via[1]);
        char c;
        (void)!::read(via[0], &c, 1);
        ::_exit(corsa());
      }
      figli.push_back(figlio);
    }
    ::close(via[0]);
    ::close(via[1]);
    std::vector<int> stati;
    for (const pid_t figlio : figli) {
      int stato = 0;
      ::waitpid(figlio, &stato, 0);
      stati.push_back(WIFEXITED(stato) ? WEXITSTATUS(stato) : 128 + WTERMSIG(stato));
    }
    return stati;
  }

  // What the package leaves: its three documents and the given compiled files.
  static std::map<std::string, std::string> dopo_il_pacchetto(
      const std::map<std::string, std::string>& file_compilati) {
    file_in_memoria testi;
    scrivi_testi(testi, "ARONA_DOMODOSSOLA", "324");
    auto attesi = file_compilati;
    for (const auto& [nome, byte] : testi.file) {
      if (nome.find("_324_") != std::string::npos) attesi[nome] = byte;
    }
    return attesi;
  }
};

TEST_F(Pesanti, DuePacchettiNellaStessaCartella) {
  const auto attesi = dopo_il_pacchetto(test::compilati_buoni());
  for (int giro = 0; giro < giri(); ++giro) {
    svuota();
    const auto stati = insieme({[&] { return test::corsa_pacchetto(cartella_); },
                                [&] { return test::corsa_pacchetto(cartella_); }});
    EXPECT_EQ(stati, (std::vector<int>{0, 0})) << "giro " << giro;
    EXPECT_EQ(test::differenza(attesi, contenuto()), "") << "giro " << giro;
  }
}

// Whichever runs first: the compile before the package finds the sources and writes the good
// files; after it, the package has consumed them and the compile records code 101.
TEST_F(Pesanti, PacchettoECompileNellaStessaCartella) {
  const auto buoni = dopo_il_pacchetto(test::compilati_buoni());
  const auto senza_sorgenti =
      dopo_il_pacchetto(test::compila(std::nullopt, std::nullopt).file.file);
  for (int giro = 0; giro < giri(); ++giro) {
    svuota();
    sorgenti();
    const auto stati = insieme({[&] { return test::corsa_pacchetto(cartella_); },
                                [&] { return test::corsa_strumento(cartella_); }});
    EXPECT_EQ(stati[0], 0) << "giro " << giro;
    ASSERT_TRUE(stati[1] == 0 || stati[1] == 1) << "giro " << giro << ": " << stati[1];
    EXPECT_EQ(test::differenza(stati[1] == 0 ? buoni : senza_sorgenti, contenuto()), "")
        << "giro " << giro;
  }
}

// The 1000 km route of the benchmarks under the shipped names: its compiled set is some 20 MB,
// and a rename over an old track plan of that size frees its blocks inside the rename.
const carico& carico_lungo() {
  static const carico c = [] {
    const banco::sorgenti_generate s = banco::genera_sorgenti(1'000'000);
    carico k = carico_spedito();
    k.testo_linea = s.linea;
    k.testo_treno = s.treno;
    return k;
  }();
  return c;
}

// How many of the three compiled names hold the old bytes and how many the new.
struct conta_insieme {
  int vecchi = 0, nuovi = 0;
};

class Uccisioni : public Pesanti {
 protected:
  // The route's compiled set, and an old one of the same sizes that differs in its last bytes.
  static const std::map<std::string, std::string>& nuovi() {
    static const auto n =
        test::compila(carico_lungo().testo_linea, carico_lungo().testo_treno).file.file;
    return n;
  }
  static const std::map<std::string, std::string>& vecchi() {
    static const auto v = [] {
      auto file = nuovi();
      for (auto& [nome, byte] : file) byte.back() = static_cast<char>(byte.back() ^ 1);
      return file;
    }();
    return v;
  }

  // The three names right after a kill: each missing, old or new.
  conta_insieme conta(int giro) const {
    const auto trovati = contenuto();
    conta_insieme n;
    for (const char* nome : compilati) {
      if (!trovati.contains(nome)) continue;
      const std::string& byte = trovati.at(nome);
      n.vecchi += byte == vecchi().at(nome);
      n.nuovi += byte == nuovi().at(nome);
      EXPECT_TRUE(byte == vecchi().at(nome) || byte == nuovi().at(nome))
          << "giro " << giro << ": " << nome;
    }
    return n;
  }

  // The repair the next run makes under the lock; nothing of the killed run is left beside
  // the three names.
  void ripara(int giro) const {
    {
      const blocco_cartella blocco(cartella_);
      const std::vector<std::string> nomi(std::begin(compilati), std::end(compilati));
      ripara_scritture_interrotte(cartella_, nomi);
    }
    for (const auto& [nome, byte] : contenuto()) {
      for (const char* compilato : compilati) {
        EXPECT_FALSE(nome.starts_with(std::string(compilato) + "."))
            << "giro " << giro << ": " << nome;
      }
    }
  }

  // The old set of the three names, and the sources when the compile is the one to run.
  void prepara(bool con_sorgenti) const {
    svuota();
    if (con_sorgenti) {
      test::scrivi_file(cartella_ / "ARONA_DOMODOSSOLA_linea.txt", carico_lungo().testo_linea);
      test::scrivi_file(cartella_ / "ARONA_DOMODOSSOLA_324-.txt", carico_lungo().testo_treno);
    }
    for (const char* nome : compilati) test::scrivi_file(cartella_ / nome, vecchi().at(nome));
  }

  // Microseconds of one whole run.
  long long durata(const std::function<int()>& corsa) const {
    const auto inizio = std::chrono::steady_clock::now();
    EXPECT_EQ(insieme({corsa}), std::vector<int>{0});
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                 inizio)
        .count();
  }
};

// Kills, by turns, the package and the compile at random moments (up to 1.3 times a whole
// run) over an old set of the route's three compiled files, one kill a round. Right after the
// kill the three names hold old files only or new files only, some missing while the old ones
// are aside: never both. The next run's repair leaves the old set whole or the new set whole.
TEST_F(Uccisioni, NessunInsiemeMisto) {
  const std::function<int()> corse[] = {[&] {
                                          interfaccia_senza_finestra senza_finestra;
                                          return esegui_pacchetto(cartella_, carico_lungo(),
                                                                  senza_finestra);
                                        },
                                        [&] { return test::corsa_strumento(cartella_); }};
  long long durate[2];
  for (int tipo = 0; tipo < 2; ++tipo) {
    prepara(tipo == 1);
    durate[tipo] = durata(corse[tipo]);
  }
  for (const auto& [nome, byte] : nuovi()) std::printf("%s: %zu byte\n", nome.c_str(), byte.size());
  std::printf("pacchetto %lld us, compile %lld us\n", durate[0], durate[1]);
  std::mt19937 caso(12345);
  std::map<std::string, int> esiti;
  for (int giro = 0; giro < giri(); ++giro) {
    const int tipo = giro % 2;
    prepara(tipo == 1);
    const pid_t figlio = ::fork();
    if (figlio == 0) ::_exit(corse[tipo]());
    std::uniform_int_distribution<long long> attesa(0, durate[tipo] * 13 / 10);
    std::this_thread::sleep_for(std::chrono::microseconds(attesa(caso)));
    ::kill(figlio, SIGKILL);
    ::waitpid(figlio, nullptr, 0);

    const conta_insieme ucciso = conta(giro);
    EXPECT_TRUE(ucciso.vecchi == 0 || ucciso.nuovi == 0) << "giro " << giro << ": misto";
    ripara(giro);
    const conta_insieme riparato = conta(giro);
    EXPECT_TRUE(riparato.vecchi == 3 || riparato.nuovi == 3)
        << "giro " << giro << ": " << riparato.vecchi << " vecchi, " << riparato.nuovi << " nuovi";
    const std::string corsa = tipo == 0 ? "pacchetto" : "compile";
    const char* esito = riparato.vecchi == 3 ? (ucciso.vecchi == 3 ? "vecchio" : "vecchio rimesso")
                                             : (ucciso.nuovi == 3 ? "nuovo" : "nuovo completato");
    ++esiti[corsa + ", " + esito];
  }
  for (const auto& [esito, volte] : esiti) std::printf("%s: %d\n", esito.c_str(), volte);
}

}  // namespace
}  // namespace scenario
