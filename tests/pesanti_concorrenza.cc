// Heavy loops, in their own CTest group (label "pesanti"), run only when GIRI_PESANTI gives
// the number of rounds (scripts/test.sh does): runs of the package and of the compile in
// one folder at the same time, and compiles killed at random moments.
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

// A compile killed at a random moment over an older set leaves the old set or the new one;
// only a kill between the first and the last rename leaves new files in rename order with
// the rest still waiting, complete, in their temporaries.
TEST_F(Pesanti, CompileUccisoLasciaUnInsiemeIntero) {
  const auto& nuovi = test::compilati_buoni();
  sorgenti();
  const auto inizio = std::chrono::steady_clock::now();
  ASSERT_EQ(insieme({[&] { return test::corsa_strumento(cartella_); }}), std::vector<int>{0});
  const auto durata = std::chrono::steady_clock::now() - inizio;
  std::mt19937 caso(12345);
  std::uniform_int_distribution<long long> attesa(
      0, std::chrono::duration_cast<std::chrono::microseconds>(durata).count() * 13 / 10);
  std::map<std::string, int> esiti;
  for (int giro = 0; giro < giri(); ++giro) {
    svuota();
    sorgenti();
    for (const char* nome : compilati) test::scrivi_file(cartella_ / nome, "vecchio");
    const pid_t figlio = ::fork();
    if (figlio == 0) ::_exit(test::corsa_strumento(cartella_));
    std::this_thread::sleep_for(std::chrono::microseconds(attesa(caso)));
    ::kill(figlio, SIGKILL);
    ::waitpid(figlio, nullptr, 0);

    const auto trovati = contenuto();
    std::size_t rinominati = 0;
    while (rinominati < 3 && trovati.at(compilati[rinominati]) == nuovi.at(compilati[rinominati])) {
      ++rinominati;
    }
    for (std::size_t i = rinominati; i < 3; ++i) {
      EXPECT_TRUE(trovati.at(compilati[i]) == "vecchio") << "giro " << giro << ": " << compilati[i];
      if (rinominati == 0) continue;
      bool pronto = false;  // inside the window: the new file waits in its temporary
      for (const auto& [nome, byte] : trovati) {
        pronto |= nome.starts_with(std::string(compilati[i]) + ".") && nome.ends_with(".tmp") &&
                  byte == nuovi.at(compilati[i]);
      }
      EXPECT_TRUE(pronto) << "giro " << giro << ": " << compilati[i];
    }
    ++esiti[rinominati == 0 ? "vecchio" : rinominati == 3 ? "nuovo" : "nella finestra"];

    // The next compile takes over the dead run's lock and clears its temporaries.
    ASSERT_EQ(test::corsa_strumento(cartella_), 0) << "giro " << giro;
    for (const auto& [nome, byte] : contenuto()) {
      EXPECT_FALSE(nome.ends_with(".tmp")) << "giro " << giro << ": " << nome;
    }
  }
  for (const auto& [esito, volte] : esiti) std::printf("%s: %d\n", esito.c_str(), volte);
}

}  // namespace
}  // namespace scenario
