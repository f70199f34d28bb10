// Output files replaced as a set: nothing is renamed until every member is written, a
// failure on the way leaves every old file and no temporary, names never collide, and what a
// run killed while putting a set in place leaves is finished or undone by the next.
#include "io/scrittura.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/aiuti_test.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

class InsiemeFile : public test::cartella_di_prova {
 protected:
  void SetUp() override {
    cartella_di_prova::SetUp();
    for (const char* nome : {"a.dat", "b.sim", "c.dat"})
      test::scrivi_file(cartella_ / nome, "vecchio");
  }

  static contenuto_file testo(const std::string& t) {
    return [t](std::ostream& out) { out << t; };
  }

  // Every name in the folder with its bytes (a folder shows as "<cartella>").
  std::map<std::string, std::string> contenuto() const {
    std::map<std::string, std::string> file;
    for (const auto& voce : fs::directory_iterator(cartella_)) {
      file[voce.path().filename().string()] =
          voce.is_directory() ? "<cartella>" : test::leggi_file(voce.path());
    }
    return file;
  }

  const std::map<std::string, std::string> vecchi_{
      {"a.dat", "vecchio"}, {"b.sim", "vecchio"}, {"c.dat", "vecchio"}};
};

TEST_F(InsiemeFile, ConfermaSostituisceTutti) {
  insieme_file insieme(cartella_);
  insieme.prepara("a.dat", testo("nuovo a"));
  insieme.prepara("b.sim", testo("nuovo b"));
  insieme.prepara("c.dat", testo(""));
  EXPECT_EQ(contenuto().size(), 6u) << "three temporaries beside the three old files";
  for (const auto& [nome, byte] : vecchi_) EXPECT_EQ(file(nome), byte) << nome;
  insieme.conferma();
  EXPECT_EQ(contenuto(), (std::map<std::string, std::string>{
                             {"a.dat", "nuovo a"}, {"b.sim", "nuovo b"}, {"c.dat", ""}}));
}

TEST_F(InsiemeFile, SenzaConfermaRestanoIVecchi) {
  {
    insieme_file insieme(cartella_);
    insieme.prepara("a.dat", testo("nuovo a"));
    insieme.prepara("b.sim", testo("nuovo b"));
  }
  EXPECT_EQ(contenuto(), vecchi_);
}

// The third member fails in three ways; the two written before it are not renamed.
TEST_F(InsiemeFile, UnGuastoLasciaTuttiIVecchi) {
  const std::string c = (cartella_ / "c.dat").string();
  struct caso {
    const char* cosa;
    contenuto_file terzo;
    bool cartella_al_posto;
    std::string messaggio;
  };
  const caso casi[] = {
      {"il contenuto fallisce", [](std::ostream&) { throw std::runtime_error("guasto"); }, false,
       "guasto"},
      {"una cartella al posto del file", testo("nuovo c"), true,
       "impossibile scrivere " + c +
           ": al suo posto c'e' un elemento che non e' un file: Is a directory"},
  };
  for (const caso& k : casi) {
    auto attesi = vecchi_;
    if (k.cartella_al_posto) {
      fs::remove(c);
      fs::create_directory(c);
      attesi["c.dat"] = "<cartella>";
    }
    std::string messaggio;
    try {
      insieme_file insieme(cartella_);
      insieme.prepara("a.dat", testo("nuovo a"));
      insieme.prepara("b.sim", testo("nuovo b"));
      insieme.prepara("c.dat", k.terzo);
      insieme.conferma();
    } catch (const std::exception& e) {
      messaggio = e.what();
    }
    EXPECT_EQ(messaggio, k.messaggio) << k.cosa;
    EXPECT_EQ(contenuto(), attesi) << k.cosa;
    fs::remove_all(c);
    test::scrivi_file(c, "vecchio");
  }
}

// A link planted where this process's temporaries go is refused, never written through.
TEST_F(InsiemeFile, CollegamentoAlNomeTemporaneo) {
  const fs::path fuori = cartella_ / "fuori";
  for (int n = 0; n < 256; ++n) {
    fs::create_symlink(fuori, cartella_ / ("a.dat." + std::to_string(::getpid()) + "." +
                                           std::to_string(n) + ".tmp"));
  }
  std::string messaggio;
  try {
    sostituisci_file(cartella_ / "a.dat", testo("nuovo a"));
  } catch (const errore_io& e) {
    messaggio = e.what();
  }
  EXPECT_NE(messaggio.find("impossibile scrivere " + (cartella_ / "a.dat").string() +
                           ": il nome temporaneo a.dat."),
            std::string::npos)
      << messaggio;
  EXPECT_NE(messaggio.find(".tmp e' occupato: File exists"), std::string::npos) << messaggio;
  EXPECT_FALSE(fs::exists(fuori));
  EXPECT_EQ(file("a.dat"), "vecchio");
}

// Only regular files named as this layer names temporaries of the given files go.
TEST_F(InsiemeFile, TemporaneiOrfani) {
  for (const char* nome : {"a.dat.12.3.tmp", "a.dat.1.0.tmp", "a.dat.tmp", "a.dat.x.3.tmp",
                           "a.dat.12..tmp", "a.dat.12.3.tmp.x", "b.sim.12.3.tmp", "xa.dat.1.2.tmp",
                           "c.dat.3.4.tmp", "a.dat.5.old.x", "a.dat..5.old", "c.dat.3.absent"}) {
    test::scrivi_file(cartella_ / nome, "");
  }
  fs::create_directory(cartella_ / "a.dat.7.7.tmp");
  fs::create_symlink(cartella_ / "a.dat", cartella_ / "a.dat.8.8.tmp");
  fs::create_symlink(cartella_ / "b.sim", cartella_ / "a.dat.8.8.old");
  ripara_scritture_interrotte(cartella_, std::vector<std::string>{"a.dat", "c.dat"});
  std::set<std::string> restano;
  for (const auto& voce : fs::directory_iterator(cartella_)) {
    restano.insert(voce.path().filename().string());
  }
  EXPECT_EQ(restano, (std::set<std::string>{"a.dat", "b.sim", "c.dat", "a.dat.tmp", "a.dat.x.3.tmp",
                                            "a.dat.12..tmp", "a.dat.12.3.tmp.x", "b.sim.12.3.tmp",
                                            "xa.dat.1.2.tmp", "a.dat.7.7.tmp", "a.dat.8.8.tmp",
                                            "a.dat.5.old.x", "a.dat..5.old", "c.dat.3.absent",
                                            "a.dat.8.8.old"}));
  EXPECT_EQ(file("b.sim"), "vecchio");
}

// What a run killed at each step of putting a set in place leaves, from the first old file
// moved aside to the last one deleted, and what the next run makes of it: the old set where a
// temporary was left, the new set where none was, and nothing else in either case. The set
// replaces a.dat and b.sim and adds d.dat, which did not exist.
TEST_F(InsiemeFile, LaRiparazioneFinisceODisfaOgniPasso) {
  const std::map<std::string, std::string> vecchio{
      {"a.dat", "vecchio"}, {"b.sim", "vecchio"}, {"c.dat", "vecchio"}};
  const std::map<std::string, std::string> nuovo{
      {"a.dat", "nuovo a"}, {"b.sim", "nuovo b"}, {"c.dat", "vecchio"}, {"d.dat", "nuovo d"}};
  struct caso {
    const char* passo;
    std::map<std::string, std::string> lasciati;  // besides c.dat, which the set leaves alone
    bool nuovi;
  };
  const std::map<std::string, std::string> temporanei{
      {"a.dat.9.4.tmp", "nuovo a"}, {"b.sim.9.4.tmp", "nuovo b"}, {"d.dat.9.4.tmp", "nuovo d"}};
  const auto con = [&](std::map<std::string, std::string> m) {
    for (const auto& [nome, byte] : temporanei) m.insert({nome, byte});
    return m;
  };
  const caso casi[] = {
      {"scritti i temporanei", con({{"a.dat", "vecchio"}, {"b.sim", "vecchio"}}), false},
      {"a.dat messo da parte", con({{"a.dat.9.4.old", "vecchio"}, {"b.sim", "vecchio"}}), false},
      {"segnata l'assenza di d.dat",
       con({{"a.dat.9.4.old", "vecchio"}, {"b.sim.9.4.old", "vecchio"}, {"d.dat.9.4.absent", ""}}),
       false},
      {"d.dat al suo posto",
       {{"a.dat.9.4.old", "vecchio"},
        {"b.sim.9.4.old", "vecchio"},
        {"d.dat.9.4.absent", ""},
        {"d.dat", "nuovo d"},
        {"a.dat.9.4.tmp", "nuovo a"},
        {"b.sim.9.4.tmp", "nuovo b"}},
       false},
      {"a.dat al suo posto",
       {{"a.dat.9.4.old", "vecchio"},
        {"b.sim.9.4.old", "vecchio"},
        {"d.dat.9.4.absent", ""},
        {"d.dat", "nuovo d"},
        {"a.dat", "nuovo a"},
        {"b.sim.9.4.tmp", "nuovo b"}},
       false},
      {"tutti al loro posto",
       {{"a.dat.9.4.old", "vecchio"},
        {"b.sim.9.4.old", "vecchio"},
        {"d.dat.9.4.absent", ""},
        {"d.dat", "nuovo d"},
        {"a.dat", "nuovo a"},
        {"b.sim", "nuovo b"}},
       true},
      {"cancellata la copia vecchia di a.dat",
       {{"b.sim.9.4.old", "vecchio"},
        {"d.dat.9.4.absent", ""},
        {"d.dat", "nuovo d"},
        {"a.dat", "nuovo a"},
        {"b.sim", "nuovo b"}},
       true},
      {"resta il segno dell'assenza",
       {{"d.dat.9.4.absent", ""}, {"d.dat", "nuovo d"}, {"a.dat", "nuovo a"}, {"b.sim", "nuovo b"}},
       true},
  };
  const std::vector<std::string> nomi{"a.dat", "b.sim", "d.dat"};
  for (const caso& k : casi) {
    for (const auto& voce : fs::directory_iterator(cartella_)) fs::remove(voce.path());
    test::scrivi_file(cartella_ / "c.dat", "vecchio");
    for (const auto& [nome, byte] : k.lasciati) test::scrivi_file(cartella_ / nome, byte);
    ripara_scritture_interrotte(cartella_, nomi);
    EXPECT_EQ(contenuto(), k.nuovi ? nuovo : vecchio) << k.passo;
  }
}

// The real steps, with a file added to the set: the new set stands and nothing else.
TEST_F(InsiemeFile, ConfermaConUnFileNuovo) {
  insieme_file insieme(cartella_);
  insieme.prepara("a.dat", testo("nuovo a"));
  insieme.prepara("d.dat", testo("nuovo d"));
  insieme.conferma();
  EXPECT_EQ(
      contenuto(),
      (std::map<std::string, std::string>{
          {"a.dat", "nuovo a"}, {"b.sim", "vecchio"}, {"c.dat", "vecchio"}, {"d.dat", "nuovo d"}}));
}

// A step of putting the set in place that fails puts back what the steps before it moved.
TEST_F(InsiemeFile, UnGuastoNelConfermareRimetteIVecchi) {
  std::string messaggio;
  {
    insieme_file insieme(cartella_);
    insieme.prepara("d.dat", testo("nuovo d"));
    insieme.prepara("a.dat", testo("nuovo a"));
    insieme.prepara("b.sim", testo("nuovo b"));
    // The set's own number, read off its temporaries, and a folder where b.sim's old copy goes.
    std::string insieme_di;
    for (const auto& voce : fs::directory_iterator(cartella_)) {
      const std::string n = voce.path().filename().string();
      if (n.starts_with("a.dat.")) insieme_di = n.substr(6, n.size() - 6 - 4);
    }
    fs::create_directories(cartella_ / ("b.sim." + insieme_di + ".old") / "dentro");
    try {
      insieme.conferma();
    } catch (const errore_io& e) {
      messaggio = e.what();
    }
    fs::remove_all(cartella_ / ("b.sim." + insieme_di + ".old"));
  }
  EXPECT_EQ(messaggio, "impossibile scrivere " + (cartella_ / "b.sim").string() +
                           ": messa da parte della copia vecchia: Is a directory");
  EXPECT_EQ(contenuto(), vecchi_);
}

}  // namespace
}  // namespace scenario
