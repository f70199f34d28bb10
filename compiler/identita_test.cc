// Identity stamping: markers, the two codes summed from the key, and the refusals.
#include <gtest/gtest.h>

#include <string_view>

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
  ASSERT_EQ(c.esito, 0);
  EXPECT_EQ(c.m.tabella_stazioni[85].intero_1, 610);
  EXPECT_EQ(c.m.tabella_stazioni[85].orario, pesata);
  EXPECT_EQ(c.m.percorso[1].dato_1, 5121);
  EXPECT_EQ(c.m.percorso[1].dato_2, somma);
  EXPECT_EQ(c.m.riga.substr(0, 25), chiave_spedita);
}

TEST(Identita, MaiuscoleEMinuscoleDannoGliStessiCodici) {
  modello a, b;
  a.tabella_stazioni[85].nome = "Arona_Domodossola";
  a.tabella_stazioni[86].nome = "324a";
  b.tabella_stazioni[85].nome = "ARONA_DOMODOSSOLA";
  b.tabella_stazioni[86].nome = "324A";
  EXPECT_EQ(codice_gara_st(a), codice_gara_st(b));
  EXPECT_EQ(codice_gara_og(a), codice_gara_og(b));
}

// With 25 characters or more of names the padding no longer counts.
TEST(Identita, NomiLunghiRendonoInutileIlRiempimento) {
  modello m;
  m.tabella_stazioni[85].nome = "ABCDEFGHIJKLMNOPQRSTU";
  m.tabella_stazioni[86].nome = "1234";
  int somma = 0;
  for (char ch : std::string_view("1234abcdefghijklmnopqrstu")) somma += ch;
  EXPECT_EQ(codice_gara_og(m), somma);
}

TEST(Identita, CampiGiaOccupatiFermanoTuttoPrimaDeiFile) {
  // A slow order at metre 0 writes its speed into cell 1: marker field taken.
  auto c = test::compila(test::linea_minima(),
                         test::treno_minimo("rallentamento, 0, 50, 200, 0, 0, 0\r\n"));
  EXPECT_EQ(c.esito, 1250);
  EXPECT_TRUE(c.file.file.empty());
  // Speed 0 with a d_v: only the code field is taken.
  c = test::compila(test::linea_minima(),
                    test::treno_minimo("rallentamento, 0, 0, 200, 0, 0, 7\r\n"));
  EXPECT_EQ(c.esito, 1251);
  EXPECT_TRUE(c.file.file.empty());
}

}  // namespace
}  // namespace scenario
