// The synthetic routes of the benchmarks compile without error and hold what they claim: the
// shipped route's kinds of records, stations and signboards within the slot range, and a
// track plan computed to its end.
#include <gtest/gtest.h>

#include <algorithm>

#include "bench/generatore.h"
#include "compiler/file_binari.h"
#include "tests/aiuti_test.h"

namespace scenario::test {
namespace {

int celle_di_tipo(const scenario_compilato& m, uint8_t tipo) {
  return static_cast<int>(std::count_if(m.percorso.begin(), m.percorso.end(),
                                        [&](const cella& c) { return c.tipo == tipo; }));
}

int voci_con_nome(const scenario_compilato& m, int prima, int ultima) {
  int n = 0;
  for (int i = prima; i <= ultima; ++i)
    n += !m.tabella_stazioni[static_cast<std::size_t>(i)].nome.empty();
  return n;
}

struct caso {
  int32_t lunghezza;
  int stazioni, cartelli, segnali, rallentamenti;
};

// Names the cases by their length in the test names: "10_km".
void PrintTo(const caso& k, std::ostream* os) { *os << k.lunghezza / 1000 << "_km"; }

class percorso_sintetico : public testing::TestWithParam<caso> {};

TEST_P(percorso_sintetico, compila_senza_errore_con_i_record_attesi) {
  const caso k = GetParam();
  const auto sorgenti = banco::genera_sorgenti(k.lunghezza);
  const compilazione c = compila(sorgenti.linea, sorgenti.treno);
  ASSERT_EQ(c.r.errore_identita, 0);
  ASSERT_EQ(c.r.codice, 0) << "posizione " << c.r.posizione;
  EXPECT_EQ(voci_con_nome(c.s, 1, k.stazioni + 1), k.stazioni);  // slot after the last: empty
  EXPECT_EQ(voci_con_nome(c.s, 81 - k.cartelli, 80), k.cartelli);
  EXPECT_EQ(celle_di_tipo(c.s, cella_fermata), k.stazioni);
  EXPECT_EQ(celle_di_tipo(c.s, cella_cartello), k.cartelli);
  EXPECT_EQ(celle_di_tipo(c.s, cella_segnale), k.segnali);
  EXPECT_EQ(celle_di_tipo(c.s, cella_inizio_rallentamento), k.rallentamenti);
  EXPECT_GT(celle_di_tipo(c.s, cella_indicatore_velocita), 0);
  EXPECT_GT(c.a->numero_gallerie, 0);
  // The post-processing pass found room for its checks around every slow order.
  EXPECT_GE(celle_di_tipo(c.s, cella_controllo_velocita), 4 * k.rallentamenti);
  const auto e = static_cast<std::size_t>(k.lunghezza + 7000);
  EXPECT_EQ(c.file.file.at("ARONA_DOMODOSSOLA_linea.dat").size(), byte_tracciato(e));
  EXPECT_EQ(c.s.tracciato.calcolati(), k.lunghezza + 7000 - 1);
}

// Signals every 1.5 km up to 100 m before the end; one slow order in every eighth block of 6 km
// from the second on; stations one per 4 km and signboards one per 2.7 km.
INSTANTIATE_TEST_SUITE_P(lunghezze, percorso_sintetico,
                         testing::Values(caso{10'000, 2, 3, 7, 1}, caso{100'000, 20, 30, 67, 2}));

// At the longest length the curves, the only part of the track plan that counts towards its
// 1,000,000-point limit, end before it; both sources stay in increasing order of position.
TEST(percorso_sintetico_lungo, curve_entro_il_limite_del_tracciato) {
  const auto sorgenti = banco::genera_sorgenti(1'000'000);
  const std::string& l = sorgenti.linea;
  const auto ultima = l.rfind("\r\ncurva");
  ASSERT_NE(ultima, std::string::npos);
  int inizio = 0, tratto = 0;
  ASSERT_EQ(std::sscanf(l.c_str() + ultima + 2, "%*[^,],%d,%d", &inizio, &tratto), 2);
  EXPECT_LT(inizio + tratto, 1'000'000 - 1);
  EXPECT_NE(l.find("lunghezza percorso,  1000000\r\n"), std::string::npos);
}

}  // namespace
}  // namespace scenario::test
