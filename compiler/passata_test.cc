// The post-processing pass on small crafted routes: each rule, its edge cases and codes.
#include <gtest/gtest.h>

#include <initializer_list>

#include "compiler/analisi.h"
#include "tests/aiuti_test.h"

namespace scenario {
namespace {

class Passata : public ::testing::Test {
 protected:
  Passata() {
    m.ultima_cella = 300;
    m.compilato.percorso.assign(301, cella{});
  }
  void metti(int i, uint8_t tipo, int16_t dato_1 = 0) {
    m.compilato.percorso[static_cast<std::size_t>(i)].tipo = tipo;
    m.compilato.percorso[static_cast<std::size_t>(i)].dato_1 = dato_1;
  }
  // A slow order of speed v from cell s to cell e.
  void rallentamento(int s, int e, int16_t v) {
    metti(s, cella_inizio_rallentamento, v);
    metti(e, cella_fine_rallentamento, v);
  }
  bool controllo(int i, int16_t valore = 180) const {
    const cella& c = m.compilato.percorso[static_cast<std::size_t>(i)];
    return c.tipo == cella_controllo_velocita && c.dato_1 == valore;
  }
  int controlli() const {
    int n = 0;
    for (const cella& c : m.compilato.percorso) n += c.tipo == cella_controllo_velocita;
    return n;
  }
  analisi m{opzioni_compilazione{}};
};

TEST_F(Passata, SegnaleDopoLAvvisoRiceveUnControllo) {
  metti(30, cella_avviso_rallentamento);
  metti(25, cella_segnale);
  metti(5, cella_segnale);  // 25 cells behind the board: out of reach
  passata_percorso(m);
  EXPECT_TRUE(controllo(24));
  EXPECT_EQ(controlli(), 1);
  EXPECT_EQ(m.risultato.codice, 0);
}

// A signal 20 cells behind the board is the farthest that gets a check.
TEST_F(Passata, SegnaleAVentiCelleDallAvviso) {
  metti(50, cella_avviso_rallentamento);
  metti(30, cella_segnale);
  passata_percorso(m);
  EXPECT_TRUE(controllo(29));
  EXPECT_EQ(controlli(), 1);
  m.compilato.percorso.assign(301, cella{});
  metti(50, cella_avviso_rallentamento);
  metti(29, cella_segnale);
  passata_percorso(m);
  EXPECT_EQ(controlli(), 0);
}

TEST_F(Passata, AvvisoInCellaTreNonFaNulla) {
  metti(3, cella_avviso_rallentamento);
  metti(2, cella_segnale);
  passata_percorso(m);
  EXPECT_EQ(controlli(), 0);
}

// A signal in cell 3 is the nearest rule A reaches (a signal there is left by a record that
// faults at its approach cells); cell 2 is out of reach.
TEST_F(Passata, SegnaleInCellaTreRiceveIlControllo) {
  metti(10, cella_avviso_rallentamento);
  metti(3, cella_segnale);
  passata_percorso(m);
  EXPECT_TRUE(controllo(2));
  EXPECT_EQ(controlli(), 1);
}

TEST_F(Passata, SegnaleInCellaDueFuoriPortata) {
  metti(10, cella_avviso_rallentamento);
  metti(2, cella_segnale);
  passata_percorso(m);
  EXPECT_EQ(controlli(), 0);
}

TEST_F(Passata, MinimoTieneIlValorePiuBassoEErrore11) {
  metti(50, cella_avviso_rallentamento);
  metti(45, cella_segnale);
  metti(44, cella_segnale);
  metti(43, cella_controllo_velocita, 120);
  metti(40, cella_segnale);
  metti(39, cella_cartello);
  metti(38, cella_fermata);
  passata_percorso(m);
  EXPECT_TRUE(controllo(43, 120));
  // The signal at 44 has 43 (kind 12) and 42 free: a check goes to 42.
  EXPECT_TRUE(controllo(42));
  EXPECT_EQ(m.risultato.codice, 11);
  EXPECT_EQ(m.risultato.posizione, 40 * 50);
}

TEST_F(Passata, TreControlliPrimaDellInizio) {
  rallentamento(7, 9, 120);
  passata_percorso(m);
  EXPECT_EQ(controlli(), 0);
  m.compilato.percorso.assign(301, cella{});
  rallentamento(8, 9, 120);
  passata_percorso(m);
  EXPECT_TRUE(controllo(3));
  EXPECT_EQ(controlli(), 1);
  m.compilato.percorso.assign(301, cella{});
  rallentamento(100, 104, 120);
  metti(95, cella_segnale);
  passata_percorso(m);
  for (int i : {94, 89, 82}) EXPECT_TRUE(controllo(i)) << i;
  EXPECT_EQ(controlli(), 3);
}

TEST_F(Passata, GruppoPienoDaErrore12) {
  rallentamento(100, 104, 120);
  for (int i : {93, 94, 95}) metti(i, cella_segnale);
  passata_percorso(m);
  EXPECT_EQ(m.risultato.codice, 12);
  EXPECT_EQ(m.risultato.posizione, 100 * 50);
  EXPECT_EQ(controlli(), 2);
}

TEST_F(Passata, ControlliOgniOttoCelleNelTrattoLento) {
  rallentamento(100, 120, 50);
  passata_percorso(m);
  EXPECT_TRUE(controllo(108));
  EXPECT_TRUE(controllo(116));
  EXPECT_EQ(controlli(), 5);
}

TEST_F(Passata, VelocitaCentodieciSenzaControlliNelTratto) {
  rallentamento(100, 120, 110);
  metti(125, cella_segnale);
  passata_percorso(m);
  EXPECT_FALSE(controllo(108));
  // The end is still found: the signal after it gets its check.
  EXPECT_TRUE(controllo(124));
  EXPECT_EQ(controlli(), 4);
}

TEST_F(Passata, OttavaCellaBloccataDaErrore13ESmetteDiContare) {
  rallentamento(100, 130, 50);
  for (int i : {107, 108, 109}) metti(i, cella_segnale);
  passata_percorso(m);
  EXPECT_EQ(m.risultato.codice, 13);
  EXPECT_EQ(m.risultato.posizione, 108 * 50);
  for (int i = 101; i < 130; ++i) EXPECT_FALSE(controllo(i)) << i;
}

// The eighth cell is the last one: its neighbour past it is no cell.
TEST_F(Passata, OttavaCellaSullUltimaCellaDaErrore13) {
  rallentamento(292, 300, 50);
  metti(299, cella_segnale);
  passata_percorso(m);
  ASSERT_EQ(m.risultato.codice, 13);
  EXPECT_EQ(m.uscita.verdetto->messaggio,
            "no free cell for a speed check inside the slow order at 14550 m: cells 299, 300 and "
            "301 hold a signal, the end of a slow order and nothing: it is outside the route");
}

TEST_F(Passata, OttavaCellaOccupataSpostaIlControllo) {
  rallentamento(100, 130, 50);
  metti(108, cella_segnale);
  metti(107, cella_segnale);
  passata_percorso(m);
  EXPECT_TRUE(controllo(109));
  EXPECT_TRUE(controllo(117));  // eight cells after the check actually placed
}

TEST_F(Passata, SegnaleFinoADodiciCelleDopoLaFine) {
  rallentamento(100, 104, 50);
  metti(116, cella_segnale);
  passata_percorso(m);
  EXPECT_TRUE(controllo(115));
  m.compilato.percorso.assign(301, cella{});
  rallentamento(100, 104, 50);
  metti(117, cella_segnale);
  passata_percorso(m);
  EXPECT_FALSE(controllo(116));
}

// The check after the end goes right in front of the signal, else one cell further back.
TEST_F(Passata, ControlloDopoLaFineNellaPrimaCellaLiberaDavantiAlSegnale) {
  rallentamento(100, 104, 50);
  metti(106, cella_segnale);  // 105 free, 104 the end
  passata_percorso(m);
  EXPECT_TRUE(controllo(105));
  EXPECT_EQ(m.risultato.codice, 0);
  m.compilato.percorso.assign(301, cella{});
  rallentamento(100, 104, 50);
  metti(109, cella_fermata, 1);
  metti(110, cella_segnale);
  passata_percorso(m);
  EXPECT_TRUE(controllo(108));
  EXPECT_EQ(m.compilato.percorso[109].tipo, cella_fermata);
  EXPECT_EQ(m.risultato.codice, 0);
}

TEST_F(Passata, SegnaleDopoLaFineSenzaPostoDaErrore13) {
  rallentamento(100, 104, 50);
  for (int i : {103, 105}) metti(i, cella_segnale);
  passata_percorso(m);
  EXPECT_EQ(m.risultato.codice, 13);
  EXPECT_EQ(m.risultato.posizione, 104 * 50);
}

TEST_F(Passata, FineMaiTrovataFermaLaCamminataAllUltimaCella) {
  metti(290, cella_inizio_rallentamento, 50);
  passata_percorso(m);
  EXPECT_TRUE(controllo(298));
  EXPECT_EQ(m.risultato.codice, 0);
}

// The shipped route gets its checks around the slow order at 23550 m (cells 472 to 476)
// and in front of the signal at 24100 m (cell 483) that follows it.
TEST(PassataSpedita, ControlliAttornoAlRallentamento) {
  const auto c = test::compila(test::linea_spedita(), test::treno_spedito());
  ASSERT_EQ(c.r.codice, 0);
  const auto tipo = [&](int i) { return c.s.percorso[static_cast<std::size_t>(i)].tipo; };
  for (int i : {467, 461, 454, 482}) EXPECT_EQ(tipo(i), cella_controllo_velocita) << i;
  EXPECT_EQ(tipo(483), cella_segnale);
  // No signal stands within 20 cells before the warning board at cell 448.
  int controlli = 0;
  for (const cella& cl : c.s.percorso) controlli += cl.tipo == cella_controllo_velocita;
  EXPECT_EQ(controlli, 4);
}

}  // namespace
}  // namespace scenario
