// The five texts against the expected files, line by line, and the output loop's rules.
#include "sources/scrittori.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "tests/aiuti_test.h"

namespace scenario {
namespace {

std::vector<std::string> righe_di(const std::string& testo) {
  std::vector<std::string> righe;
  std::size_t inizio = 0;
  for (std::size_t p; (p = testo.find("\r\n", inizio)) != std::string::npos; inizio = p + 2) {
    righe.push_back(testo.substr(inizio, p - inizio));
  }
  if (inizio < testo.size()) righe.push_back(testo.substr(inizio));
  return righe;
}

// Equal bytes, or the first line that differs.
::testing::AssertionResult stessi_byte(const std::string& scritto, const std::string& atteso) {
  if (scritto == atteso) return ::testing::AssertionSuccess();
  const auto a = righe_di(scritto), b = righe_di(atteso);
  for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
    const std::string x = i < a.size() ? a[i] : "<missing>";
    const std::string y = i < b.size() ? b[i] : "<missing>";
    if (x != y) {
      return ::testing::AssertionFailure() << "line " << i + 1 << " differs:\n  written:  \"" << x
                                           << "\"\n  expected: \"" << y << "\"";
    }
  }
  return ::testing::AssertionFailure() << "line ends differ";
}

struct testo_atteso {
  const char* nome;
  std::size_t byte;
  std::size_t righe;
};

class TestiScritti : public ::testing::TestWithParam<testo_atteso> {
 protected:
  static void SetUpTestSuite() {
    file_ = new file_in_memoria;
    scrivi_testi(*file_, "ARONA_DOMODOSSOLA", "324");
  }
  static void TearDownTestSuite() { delete file_; }
  static file_in_memoria* file_;
};
file_in_memoria* TestiScritti::file_ = nullptr;

TEST_P(TestiScritti, ByteRigheEFileAtteso) {
  const auto& caso = GetParam();
  const std::string& scritto = file_->file.at(caso.nome);
  EXPECT_EQ(scritto.size(), caso.byte);
  EXPECT_EQ(righe_di(scritto).size(), caso.righe);
  EXPECT_EQ(scritto.substr(scritto.size() - 2), "\r\n");
  EXPECT_EQ(scritto.find(fine_lista), std::string::npos);
  const auto non_ascii = std::count_if(scritto.begin(), scritto.end(),
                                       [](char c) { return static_cast<unsigned char>(c) > 127; });
  EXPECT_EQ(non_ascii, std::string(caso.nome) == "ARONA_DOMODOSSOLA_linea.txt" ? 1 : 0);
  EXPECT_TRUE(stessi_byte(
      scritto, test::leggi_file(std::string(CARTELLA_SORGENTI) + "/tests/attesi/" + caso.nome)));
}

INSTANTIATE_TEST_SUITE_P(
    Cinque, TestiScritti,
    ::testing::Values(testo_atteso{"ARONA_DOMODOSSOLA_linea.txt", 3536, 99},
                      testo_atteso{"ARONA_DOMODOSSOLA_324-.txt", 3197, 65},
                      testo_atteso{"ARONA_DOMODOSSOLA_324_note.txt", 92, 46},
                      testo_atteso{"ARONA_DOMODOSSOLA_324_rallentamenti.txt", 3285, 46},
                      testo_atteso{"ARONA_DOMODOSSOLA_324_scheda_treno.txt", 3929, 50}),
    [](const auto& caso) {
      std::string n = caso.param.nome;
      std::replace_if(
          n.begin(), n.end(), [](char c) { return !std::isalnum(c); }, '_');
      return n;
    });

TEST(TestiScritti, RigheParticolari) {
  file_in_memoria f;
  scrivi_testi(f, "ARONA_DOMODOSSOLA", "324");
  const auto linea = righe_di(f.file.at("ARONA_DOMODOSSOLA_linea.txt"));
  EXPECT_EQ(linea[87],
            "cartello_indicatore,  26650,   (GALLERIA     )(MONTORFANO 2\xB0)(m 68         )");
  EXPECT_EQ(linea[96], "cartello_indicatore,  52550,   (          )(FIUME TOCE)");
  const auto treno = righe_di(f.file.at("ARONA_DOMODOSSOLA_324-.txt"));
  EXPECT_EQ(treno[4].size(), 45u);
  EXPECT_EQ(treno[4].back(), ' ');
  EXPECT_EQ(treno[63], "[codici]");
  EXPECT_EQ(treno[64], "[fine]");
  // The card's table rows have seven columns of 5, 5, 10, 5, 28, 16 and 5 characters.
  const auto scheda = righe_di(f.file.at("ARONA_DOMODOSSOLA_324_scheda_treno.txt"));
  for (std::size_t i = 13; i <= 48; ++i) {
    ASSERT_EQ(scheda[i].size(), 83u) << i + 1;
    std::vector<std::size_t> larghezze;
    std::size_t bar = scheda[i].find('|');
    for (std::size_t p; (p = scheda[i].find('|', bar + 1)) != std::string::npos; bar = p) {
      larghezze.push_back(p - bar - 1);
    }
    EXPECT_EQ(larghezze, (std::vector<std::size_t>{5, 5, 10, 5, 28, 16, 5})) << i + 1;
  }
  EXPECT_EQ(scheda[49], "     VOLTRENIX");
  const auto modulo = righe_di(f.file.at("ARONA_DOMODOSSOLA_324_rallentamenti.txt"));
  for (std::size_t i : {12u, 14u, 37u}) EXPECT_EQ(modulo[i], modulo[12]);
  EXPECT_EQ(modulo[43], " D - Rallentamneto N. ... e N. ...  sono contigui");
}

TEST(ListaRighe, CicloDiUscita) {
  auto lista = std::make_unique<lista_righe>();
  (*lista)[0] = "a";
  (*lista)[2] = "c";
  (*lista)[3] = std::string(fine_lista);
  (*lista)[4] = "dopo la fine";
  EXPECT_EQ(testo_da_lista(*lista), "a\r\n\r\nc\r\n");
  // Without an end marker the loop stops after entry 1000.
  auto senza_fine = std::make_unique<lista_righe>();
  EXPECT_EQ(testo_da_lista(*senza_fine).size(), 1001u * 2);
}

}  // namespace
}  // namespace scenario
