// Identity stamping: markers, the two codes summed from the key, and the refusals.
#include <gtest/gtest.h>

#include <string_view>

#include "compiler/identita.h"
#include "tests/aiuti_test.h"

namespace scenario {
namespace {

// The first 25 characters of the key of train "324" on route "ARONA_DOMODOSSOLA".
constexpr std::string_view chiave_spedita = "324arona_domodossolaqqwwe";

TEST(Identita, ScenarioSpeditoPortaMarcatoriECodici) {
  int somma = 0, pesata = 0;
  for (std::size_t i = 0; i < chiave_spedita.size(); ++i) {
    somma += static_cast<unsigned char>(chiave_spedita[i]);
    pesata += static_cast<unsigned char>(chiave_spedita[i]) * static_cast<int>(i + 1);
  }
  ASSERT_EQ(somma, 2530);
  ASSERT_EQ(pesata, 35131);
  const auto c = test::compila(test::linea_spedita(), test::treno_spedito());
  ASSERT_EQ(c.r.errore_identita, 0);
  EXPECT_EQ(c.s.tabella_stazioni[85].intero_1, 610);
  EXPECT_EQ(c.s.tabella_stazioni[85].orario, pesata);
  EXPECT_EQ(c.s.percorso[1].dato_1, 5121);
  EXPECT_EQ(c.s.percorso[1].dato_2, somma);
  EXPECT_EQ(calcola_codici_identita("ARONA_DOMODOSSOLA", "324"), (codici_identita{pesata, 2530}));
}

TEST(Identita, MaiuscoleEMinuscoleDannoGliStessiCodici) {
  EXPECT_EQ(calcola_codici_identita("Arona_Domodossola", "324a"),
            calcola_codici_identita("ARONA_DOMODOSSOLA", "324A"));
}

// With 25 characters or more of names the padding no longer counts.
TEST(Identita, NomiLunghiRendonoInutileIlRiempimento) {
  int somma = 0;
  for (char ch : std::string_view("1234abcdefghijklmnopqrstu")) somma += ch;
  EXPECT_EQ(calcola_codici_identita("ABCDEFGHIJKLMNOPQRSTU", "1234").semplice, somma);
}

TEST(Identita, CampiGiaOccupatiFermanoTuttoPrimaDeiFile) {
  // A slow order at metre 0 writes its speed into cell 1: marker field taken.
  auto c = test::compila(test::linea_minima(),
                         test::treno_minimo("rallentamento, 0, 50, 200, 0, 0, 0\r\n"));
  EXPECT_EQ(c.r.errore_identita, 1250);
  EXPECT_TRUE(c.file.file.empty());
  // Speed 0 with a d_v: only the code field is taken.
  c = test::compila(test::linea_minima(),
                    test::treno_minimo("rallentamento, 0, 0, 200, 0, 0, 7\r\n"));
  EXPECT_EQ(c.r.errore_identita, 1251);
  EXPECT_TRUE(c.file.file.empty());
}

}  // namespace
}  // namespace scenario
