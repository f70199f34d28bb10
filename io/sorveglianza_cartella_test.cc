// The folder watch: a save as editors make it (a temporary renamed over the source) is seen,
// files of other names are not, a folder that goes away is told and watched again once it is
// back, and the watch puts nothing into the folder. The system queues the events while the
// call that causes them runs, so each is there to read as soon as that call returns.
#include "io/sorveglianza_cartella.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/aiuti_test.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

const std::string sorgenti[] = {"R_linea.txt", "R_1-.txt"};

class SorveglianzaCartella : public test::cartella_di_prova {
 protected:
  void SetUp() override {
    cartella_di_prova::SetUp();
    for (const std::string& n : sorgenti) test::scrivi_file(cartella_ / n, "vecchio");
  }
  // A save of `nome`: its new text in a temporary beside it, renamed over it.
  void salva(const std::string& nome) {
    test::scrivi_file(cartella_ / ("." + nome + ".tmp"), "nuovo");
    fs::rename(cartella_ / ("." + nome + ".tmp"), cartella_ / nome);
  }
};

TEST_F(SorveglianzaCartella, UnSalvataggioCheRinominaSulSorgente) {
  sorveglianza_cartella s(cartella_, sorgenti);
  ASSERT_TRUE(s.attiva());
  ASSERT_GE(s.descrittore(), 0);
  salva("R_1-.txt");
  const novita_cartella n = s.leggi();
  EXPECT_TRUE(n.cambiati);
  EXPECT_FALSE(n.sparita);
  // Read once: nothing waits after it.
  EXPECT_FALSE(s.leggi().cambiati);
}

// Each way a watched file changes, and files whose names miss the watched ones by a little.
TEST_F(SorveglianzaCartella, SoloIFileOsservati) {
  const struct {
    const char* caso;
    void (*fai)(const fs::path&);
    bool cambiati;
  } casi[] = {
      {"written in place", [](const fs::path& c) { test::scrivi_file(c / "R_linea.txt", "x"); },
       true},
      {"removed", [](const fs::path& c) { fs::remove(c / "R_linea.txt"); }, true},
      {"renamed away", [](const fs::path& c) { fs::rename(c / "R_linea.txt", c / "altro"); }, true},
      {"permissions",
       [](const fs::path& c) {
         fs::permissions(c / "R_1-.txt", fs::perms::owner_exec, fs::perm_options::add);
       },
       true},
      {"a temporary only", [](const fs::path& c) { test::scrivi_file(c / ".R_1-.txt.tmp", "x"); },
       false},
      {"a longer name", [](const fs::path& c) { test::scrivi_file(c / "R_linea.txt~", "x"); },
       false},
      {"a shorter name", [](const fs::path& c) { test::scrivi_file(c / "R_linea.tx", "x"); },
       false},
      {"another case", [](const fs::path& c) { test::scrivi_file(c / "r_linea.txt", "x"); }, false},
      {"a compiled file", [](const fs::path& c) { test::scrivi_file(c / "R_1.sim", "x"); }, false},
      {"a subfolder's file",
       [](const fs::path& c) {
         fs::create_directory(c / "sotto");
         test::scrivi_file(c / "sotto" / "R_linea.txt", "x");
       },
       false},
  };
  for (const auto& c : casi) {
    fs::remove_all(cartella_);
    SetUp();
    sorveglianza_cartella s(cartella_, sorgenti);
    c.fai(cartella_);
    const novita_cartella n = s.leggi();
    EXPECT_EQ(n.cambiati, c.cambiati) << c.caso;
    EXPECT_FALSE(n.sparita) << c.caso;
  }
}

TEST_F(SorveglianzaCartella, UnaCartellaCheSeNeVaETorna) {
  sorveglianza_cartella s(cartella_, sorgenti);
  fs::remove_all(cartella_);
  EXPECT_TRUE(s.leggi().sparita);
  EXPECT_FALSE(s.attiva());
  EXPECT_FALSE(s.riprova());
  EXPECT_FALSE(s.leggi().cambiati);
  SetUp();  // the folder again, with its sources
  EXPECT_TRUE(s.riprova());
  EXPECT_TRUE(s.attiva());
  salva("R_linea.txt");
  EXPECT_TRUE(s.leggi().cambiati);
}

TEST_F(SorveglianzaCartella, UnaCartellaRinominataNonESeguita) {
  sorveglianza_cartella s(cartella_, sorgenti);
  const fs::path altrove = cartella_.string() + "_altrove";
  fs::rename(cartella_, altrove);
  EXPECT_TRUE(s.leggi().sparita);
  EXPECT_FALSE(s.attiva());
  // Its files, saved where it went, are not the watched folder's.
  test::scrivi_file(altrove / "R_linea.txt", "x");
  EXPECT_FALSE(s.leggi().cambiati);
  fs::remove_all(altrove);
}

TEST_F(SorveglianzaCartella, UnaCartellaCheNonCeAncora) {
  fs::remove_all(cartella_);
  sorveglianza_cartella s(cartella_, sorgenti);
  EXPECT_FALSE(s.attiva());
  EXPECT_FALSE(s.riprova());
  SetUp();
  EXPECT_TRUE(s.riprova());
  salva("R_1-.txt");
  EXPECT_TRUE(s.leggi().cambiati);
}

TEST_F(SorveglianzaCartella, NonScriveNullaNellaCartella) {
  const auto prima = contenuto();
  {
    sorveglianza_cartella s(cartella_, sorgenti);
    s.leggi();
  }
  EXPECT_EQ(contenuto(), prima);
  EXPECT_EQ(std::distance(fs::directory_iterator(cartella_), fs::directory_iterator()), 2);
}

}  // namespace
}  // namespace scenario
