// The package run end to end, in a fresh folder and over the outputs of an earlier run.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "tests/aiuti_test.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

class Pacchetto : public test::cartella_di_prova {
 protected:
  void SetUp() override {
    cartella_di_prova::SetUp();
    fs::copy_file(PACCHETTO, cartella_ / "ARONA_DOMODOSSOLA_324");
  }

  int esegui() {
    const std::string comando = "env -u DISPLAY '" +
                                (cartella_ / "ARONA_DOMODOSSOLA_324").string() + "' 2>'" +
                                (cartella_ / "errori.log").string() + "'";
    const int stato = std::system(comando.c_str());
    return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
  }
};

const char* const uscite[] = {"ARONA_DOMODOSSOLA_324_note.txt",
                              "ARONA_DOMODOSSOLA_324_rallentamenti.txt",
                              "ARONA_DOMODOSSOLA_324_scheda_treno.txt",
                              "ARONA_DOMODOSSOLA_linea.dat",
                              "ARONA_DOMODOSSOLA_324.sim",
                              "ARONA_DOMODOSSOLA_324.dat"};

TEST_F(Pacchetto, DueEsecuzioniLascianoLeSeiUsciteENessunSorgente) {
  const auto atteso = test::compila(test::linea_spedita(), test::treno_spedito());
  for (int giro = 0; giro < 2; ++giro) {
    ASSERT_EQ(esegui(), 0) << file("errori.log");
    EXPECT_EQ(file("errori.log"), "");
    for (const char* nome : uscite) EXPECT_TRUE(fs::exists(cartella_ / nome)) << nome;
    EXPECT_FALSE(fs::exists(cartella_ / "ARONA_DOMODOSSOLA_linea.txt"));
    EXPECT_FALSE(fs::exists(cartella_ / "ARONA_DOMODOSSOLA_324-.txt"));
    for (const auto& [nome, byte] : atteso.file.file) EXPECT_EQ(file(nome), byte) << nome;
    std::size_t voci = 0;
    for (const auto& e : fs::directory_iterator(cartella_)) voci += e.is_regular_file();
    EXPECT_EQ(voci, 8u);  // the executable, the six outputs and the log
  }
  EXPECT_EQ(file("ARONA_DOMODOSSOLA_324.dat").size(), 19215u);
  EXPECT_EQ(file("ARONA_DOMODOSSOLA_linea.dat").size(), 1'279'964u);
}

// Nothing of an older, longer copy survives.
TEST_F(Pacchetto, CopiaVecchiaPiuLungaSostituitaDelTutto) {
  for (const char* nome : uscite) test::scrivi_file(cartella_ / nome, std::string(2'000'000, 'x'));
  ASSERT_EQ(esegui(), 0);
  std::string note;
  for (int i = 0; i < 46; ++i) note += "\r\n";
  EXPECT_EQ(file("ARONA_DOMODOSSOLA_324_note.txt"), note);
  EXPECT_EQ(file("ARONA_DOMODOSSOLA_324.sim").find('x'), std::string::npos);
  EXPECT_EQ(file("ARONA_DOMODOSSOLA_324.dat").size(), 19215u);
}

// A directory where an output goes: status 4, a message naming the file, and the compiled
// files replaced as a set: the one written before it is not replaced either.
TEST_F(Pacchetto, DestinazioneNonScrivibileDaStato4) {
  test::scrivi_file(cartella_ / "ARONA_DOMODOSSOLA_linea.dat", "vecchio");
  fs::create_directory(cartella_ / "ARONA_DOMODOSSOLA_324.sim");
  EXPECT_EQ(esegui(), 4);
  EXPECT_NE(file("errori.log").find("ARONA_DOMODOSSOLA_324.sim"), std::string::npos);
  EXPECT_EQ(file("ARONA_DOMODOSSOLA_linea.dat"), "vecchio");
  EXPECT_FALSE(fs::exists(cartella_ / "ARONA_DOMODOSSOLA_324.sim.tmp"));
}

}  // namespace
}  // namespace scenario
