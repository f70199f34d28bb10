// The train service half: the shipped service's worked values, and crafted sources for
// every code with its position, the signal and slow-order rules and the station areas.
#include <gtest/gtest.h>

#include "tests/aiuti_test.h"

namespace scenario {
namespace {

using test::compila;
using test::linea_minima;
using test::treno_minimo;

using TrenoSpedito = test::scenario_spedito;

TEST_F(TrenoSpedito, StazioniEVociDelTreno) {
  ASSERT_EQ(r().codice, 0);
  const auto& t = s().tabella_stazioni;
  for (int s = 1; s <= 14; ++s) EXPECT_FALSE(t[s].nome.empty()) << s;
  EXPECT_EQ(t[15], voce_stazione{});
  const voce_stazione arona = t[1];
  EXPECT_EQ(arona.nome, "ARONA");
  EXPECT_EQ(arona.tipo, 8);
  EXPECT_EQ(arona.inizio, -600);
  EXPECT_EQ(arona.fine, 600);
  EXPECT_EQ(arona.orario, 42900);
  EXPECT_EQ(arona.intero_1, 1);
  EXPECT_EQ(arona.intero_3, 4);
  EXPECT_EQ(arona.byte_2, 1);
  EXPECT_EQ(t[2].inizio, 4550);
  EXPECT_EQ(t[2].fine, 5150);
  EXPECT_EQ(t[5].nome, "STRESA");
  EXPECT_EQ(t[5].fine, 17750);
  EXPECT_EQ(t[5].byte_4, 1);
  EXPECT_EQ(t[9].nome, "Candoglia  O.");
  EXPECT_EQ(t[14].nome, "DOMODOSSOLA");
  EXPECT_EQ(t[14].orario, (12 * 60 + 39) * 60);
  EXPECT_EQ(t[84].inizio, 130);
  EXPECT_EQ(t[84].posizione, 8);
  EXPECT_EQ(t[86].intero_1, 250);
  EXPECT_EQ(t[86].intero_2, 0);
  EXPECT_EQ(t[86].intero_3, 11);
  EXPECT_EQ(t[86].intero_4, 54);
  EXPECT_EQ(t[86].intero_5, 0);
}

TEST_F(TrenoSpedito, MarcatoriDiFermata) {
  EXPECT_EQ(cl(11).tipo, cella_fermata);
  EXPECT_EQ(cl(11).dato_1, 1);
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(cl(11 - k).preavviso, 80 + k);
  EXPECT_EQ(cl(11 - 5).preavviso, 0);  // four cells, not five
  EXPECT_EQ(cl(5150 / 50 - 1).tipo, cella_fermata);
  EXPECT_EQ(cl(5150 / 50 - 1).dato_1, 2);
}

TEST_F(TrenoSpedito, SegnaliERallentamento) {
  EXPECT_EQ(cl(304), (cella{1, 53, 60, 0, 7, 0, 0, 0, 23, 100, 100}));
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(cl(304 - 2 * k).preavviso, 70 + k);
  EXPECT_EQ(cl(138).tipo, cella_segnale);
  EXPECT_EQ(cl(138).dato_4, 6);
  EXPECT_EQ(cl(138).dato_1, 40);
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(cl(138 - 2 * k).preavviso, 60 + k);

  EXPECT_EQ(cl(448).tipo, cella_avviso_rallentamento);
  EXPECT_EQ(cl(448).dato_1, 50);
  EXPECT_EQ(cl(472).tipo, cella_inizio_rallentamento);
  EXPECT_EQ(cl(472).dato_1, 50);
  EXPECT_EQ(cl(476).tipo, cella_fine_rallentamento);
  EXPECT_EQ(cl(476).dato_1, 50);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(cl(447 - i).tipo, cella_prima_avviso);
    EXPECT_EQ(cl(447 - i).dato_1, i + 1);
    EXPECT_EQ(cl(447 - i).dato_2, 0);
  }
  int segnali = 0;
  for (const cella& c : s().percorso) segnali += c.tipo == cella_segnale;
  EXPECT_EQ(segnali, 29);
}

TEST_F(TrenoSpedito, StratiDiVelocitaEAderenza) {
  for (int i = 0; i <= 1277; ++i) ASSERT_EQ(cl(i).aderenza, 100) << i;
  for (int i = 1278; i <= 1280; ++i) EXPECT_EQ(cl(i).aderenza, 0);
  EXPECT_EQ(cl(0).velocita, 6);
  EXPECT_EQ(cl(20).velocita, 6);
  EXPECT_EQ(cl(21).velocita, 22);
  EXPECT_EQ(cl(103).velocita, 23);
  EXPECT_EQ(cl(1277).velocita, 12);
  EXPECT_EQ(cl(1278).velocita, 0);
  EXPECT_EQ(test::compilazione_spedita().file.file.at("ARONA_DOMODOSSOLA_324.dat").size(), 19215u);
  EXPECT_FALSE(test::compilazione_spedita().sorgenti.linea.has_value());
  EXPECT_FALSE(test::compilazione_spedita().sorgenti.treno.has_value());
}

const std::string stazione_arona =
    "stazione,       0,  8,  600,  0, 0, 0,  1,1,0,  4,1,1,    1,  11,55, 0, ARONA\r\n";

// The message is the first line scenario-tool prints: code, position, FILE:LINE:COL, reason.
struct caso_treno {
  const char* nome;
  std::string treno;
  int32_t codice;
  int32_t posizione;
  std::string messaggio;
  std::string linea = linea_minima();
};

class CasiTreno : public ::testing::TestWithParam<caso_treno> {};

TEST_P(CasiTreno, CodiceEPosizione) {
  const auto& caso = GetParam();
  const auto c = compila(caso.linea, caso.treno);
  EXPECT_EQ(c.r.codice, caso.codice);
  EXPECT_EQ(c.r.posizione, caso.posizione);
  EXPECT_EQ(test::verdetto(c), caso.messaggio);
  EXPECT_FALSE(c.sorgenti.treno.has_value());
}

std::string segnale(int p) {
  return "segnale, " + std::to_string(p) + ", 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n";
}
std::string rallentamento(int x, int l = 200, int f_ta = 1) {
  return "rallentamento, " + std::to_string(x) + ", 50, " + std::to_string(l) + ", 0, " +
         std::to_string(f_ta) + ", 0\r\n";
}
std::string stazione(int p, int tipo, int l) {
  return "stazione, " + std::to_string(p) + ", " + std::to_string(tipo) + ", " + std::to_string(l) +
         ", 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, X\r\n";
}

std::string stazione_di_nome(const std::string& nome) {
  return "stazione, 5000, 24, 600, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, " + nome + "\r\n";
}

INSTANTIATE_TEST_SUITE_P(
    Codici, CasiTreno,
    ::testing::Values(
        caso_treno{"abbattimento_su_segnale",
                   treno_minimo(segnale(5000) + "abbattimento, 5050, 100\r\n"), 7, 5050,
                   "ARONA_DOMODOSSOLA_324-.txt:3:15: error 7: `abbattimento` at 5050 m falls in "
                   "cell 101 (5000 m), which already holds a signal: two point features never "
                   "share a 50 m cell (position 5050 m)"},
        caso_treno{"segnale_su_abbattimento",
                   treno_minimo("abbattimento, 5050, 100\r\n" + segnale(5000)), 16, 5000,
                   "ARONA_DOMODOSSOLA_324-.txt:3:10: error 16: `segnale` at 5000 m falls in cell "
                   "101 (5000 m), which already holds an `abbattimento` speed code: two point "
                   "features never share a 50 m cell (position 5000 m)"},
        caso_treno{"stazione_non_multipla_di_50", treno_minimo(stazione(25, 24, 600)), 8, 25,
                   "ARONA_DOMODOSSOLA_324-.txt:2:11: error 8: `stazione` field `posizione` 25 m is "
                   "not a multiple of 50 (position 25 m)"},
        caso_treno{"stazione_lunga_non_multipla_di_100", treno_minimo(stazione(5000, 24, 650)), 9,
                   5000,
                   "ARONA_DOMODOSSOLA_324-.txt:2:21: error 9: `stazione` field `lunghezza` 650 m "
                   "is not a multiple of 100 (position 5000 m)"},
        caso_treno{"stazione_oltre_il_percorso", treno_minimo(stazione(63250, 24, 600)), 15, 63250,
                   "ARONA_DOMODOSSOLA_324-.txt:2:11: error 15: `stazione` field `posizione` 63250 "
                   "m is beyond the route: on this 57000 m line, whose cells run 7000 m past its "
                   "end, a `stazione` stands at 63200 m at most (position 63250 m)"},
        caso_treno{"segnale_dopo_un_record_sulla_stessa_riga",
                   treno_minimo("sabbia, 10, segnale, 63950, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n"), 15,
                   63950,
                   "ARONA_DOMODOSSOLA_324-.txt:2:22: error 15: `segnale` field `posizione` 63950 m "
                   "is beyond the route: on this 57000 m line, whose cells run 7000 m past its "
                   "end, a `segnale` stands at 63900 m at most (position 63950 m)"},
        caso_treno{"segnale_oltre_il_percorso", treno_minimo(segnale(63950)), 15, 63950,
                   "ARONA_DOMODOSSOLA_324-.txt:2:10: error 15: `segnale` field `posizione` 63950 m "
                   "is beyond the route: on this 57000 m line, whose cells run 7000 m past its "
                   "end, a `segnale` stands at 63900 m at most (position 63950 m)"},
        caso_treno{"segnale_occupato", treno_minimo(segnale(5000) + segnale(5010)), 16, 5010,
                   "ARONA_DOMODOSSOLA_324-.txt:3:10: error 16: `segnale` at 5010 m falls in cell "
                   "101 (5000 m), which already holds a signal: two point features never share a "
                   "50 m cell (position 5010 m)"},
        caso_treno{"segnale_su_fermata", treno_minimo(stazione(5000, 24, 600) + segnale(5200)), 16,
                   5200,
                   "ARONA_DOMODOSSOLA_324-.txt:3:10: error 16: `segnale` at 5200 m falls in cell "
                   "105 (5200 m), which already holds the stop marker of station `X`: two point "
                   "features never share a 50 m cell (position 5200 m)"},
        // From type 25 on a station has no stop marker to meet the signal.
        caso_treno{"segnale_dove_il_tipo_25_non_ha_fermata",
                   treno_minimo(stazione(5000, 25, 600) + segnale(5200)), 0, 0, ""},
        caso_treno{"avviso_occupato", treno_minimo(segnale(3800) + rallentamento(5000)), 17, 5000,
                   "ARONA_DOMODOSSOLA_324-.txt:3:16: error 17: the warning board 1200 m before "
                   "`rallentamento` at 5000 m falls in cell 77 (3800 m), which already holds a "
                   "signal: two point features never share a 50 m cell (position 5000 m)"},
        caso_treno{"inizio_occupato", treno_minimo(segnale(5000) + rallentamento(5000)), 18, 5000,
                   "ARONA_DOMODOSSOLA_324-.txt:3:16: error 18: `rallentamento` at 5000 m falls in "
                   "cell 101 (5000 m), which already holds a signal: two point features never "
                   "share a 50 m cell (position 5000 m)"},
        caso_treno{"fine_occupata", treno_minimo(segnale(5200) + rallentamento(5000)), 19, 5000,
                   "ARONA_DOMODOSSOLA_324-.txt:3:26: error 19: the end of `rallentamento` at 5000 "
                   "m falls in cell 105 (5200 m), which already holds a signal: two point features "
                   "never share a 50 m cell (position 5000 m)"},
        caso_treno{"fine_su_fermata",
                   treno_minimo(stazione(5000, 24, 600) + rallentamento(4000, 1200)), 19, 4000,
                   "ARONA_DOMODOSSOLA_324-.txt:3:26: error 19: the end of `rallentamento` at 4000 "
                   "m falls in cell 105 (5200 m), which already holds the stop marker of station "
                   "`X`: two point features never share a 50 m cell (position 4000 m)"},
        caso_treno{
            "prima_dell_avviso_occupata", treno_minimo(segnale(3700) + rallentamento(5000)), 20,
            5000,
            "ARONA_DOMODOSSOLA_324-.txt:3:34: error 20: one of the four cells before the warning "
            "board of `rallentamento` at 5000 m falls in cell 75 (3700 m), which already holds a "
            "signal: two point features never share a 50 m cell (position 5000 m)"},
        // The fourth cell before the board is the last one that must be free.
        caso_treno{
            "quarta_prima_dell_avviso_occupata", treno_minimo(segnale(3600) + rallentamento(5000)),
            20, 5000,
            "ARONA_DOMODOSSOLA_324-.txt:3:34: error 20: one of the four cells before the warning "
            "board of `rallentamento` at 5000 m falls in cell 73 (3600 m), which already holds a "
            "signal: two point features never share a 50 m cell (position 5000 m)"},
        caso_treno{"quinta_prima_dell_avviso_occupata",
                   treno_minimo(segnale(3550) + rallentamento(5000)), 0, 0, ""},
        caso_treno{"stazioni_troppo_vicine",
                   treno_minimo(stazione(5000, 24, 600) + stazione(5900, 24, 600)), 22, 5900,
                   "ARONA_DOMODOSSOLA_324-.txt:3:11: error 22: station `X`'s area starts at 5600 "
                   "m, only 300 m after station `X`'s ends at 5300 m: station areas must be 350 m "
                   "apart, and stations in order along the line (position 5900 m)"},
        caso_treno{"stazioni_a_contatto",
                   treno_minimo(stazione(5000, 24, 600) + stazione(5600, 24, 600)), 22, 5600,
                   "ARONA_DOMODOSSOLA_324-.txt:3:11: error 22: station `X`'s area starts at 5300 "
                   "m, only 0 m after station `X`'s ends at 5300 m: station areas must be 350 m "
                   "apart, and stations in order along the line (position 5600 m)"},
        caso_treno{"stazioni_a_350_m",
                   treno_minimo(stazione(5000, 24, 600) + stazione(6000, 24, 600)), 0, 0, ""},
        caso_treno{"stazioni_a_350_m_esatti",
                   treno_minimo(stazione(5000, 24, 600) + stazione(5950, 24, 600)), 0, 0, ""},
        caso_treno{"stazione_all_ultima_posizione", treno_minimo(stazione(63200, 24, 600)), 0, 0,
                   ""},
        caso_treno{"fermata_in_cella_2", treno_minimo(stazione(0, 24, 300)), 0, 0, ""},
        caso_treno{"nome_di_32767_byte", treno_minimo(stazione_di_nome(std::string(32767, 'N'))), 0,
                   0, ""},
        caso_treno{
            "nome_di_32768_byte", treno_minimo(stazione_di_nome(std::string(32768, 'N'))), 25, 0,
            "ARONA_DOMODOSSOLA_324-.txt:2:58: error 25: `stazione` field `nome` of 32768 bytes "
            "is too long: at most 32767 fit"},
        caso_treno{"fermata_in_cella_1", treno_minimo(stazione(0, 24, 200)), 24, 0,
                   "ARONA_DOMODOSSOLA_324-.txt:2:1: error 24: station `X`'s area ends at 100 m, so "
                   "its stop marker would fall in cell 1: the stop marker must be past cell 1"},
        caso_treno{
            "treno_vuoto", "", 25, 0,
            "ARONA_DOMODOSSOLA_324-.txt: error 25: the file ends where a text field was expected"},
        caso_treno{"record_troncato", "[generale]\r\nsegnale, 5000,\r\n", 25, 0,
                   "ARONA_DOMODOSSOLA_324-.txt:2:1: error 25: `segnale` takes 11 numbers, and the "
                   "file ends after 1 field"},
        caso_treno{"sabbia_oltre_16_bit", treno_minimo("sabbia, 40000\r\n"), 25, 0,
                   "ARONA_DOMODOSSOLA_324-.txt:2:9: error 25: `sabbia` field `quantita` 40000 does "
                   "not fit its 16 bits: the compiler takes -32768 to 32767"},
        caso_treno{"segnale_troppo_vicino_all_inizio", treno_minimo(segnale(300)), 25, 0,
                   "ARONA_DOMODOSSOLA_324-.txt:2:10: error 25: `segnale` field `posizione` 300 m "
                   "is below 325 m, the least the compiler takes: a signal needs 325 m before it "
                   "for its four approach cells"},
        caso_treno{"segnale_a_325_m", treno_minimo(segnale(325)), 0, 0, ""},
        // The signal's own cell is checked before its approach cells are looked for.
        caso_treno{"segnale_a_300_m_su_cartello", treno_minimo(segnale(300)), 16, 300,
                   "ARONA_DOMODOSSOLA_324-.txt:2:10: error 16: `segnale` at 300 m falls in cell 7 "
                   "(300 m), which already holds a signboard: two point features never share a 50 "
                   "m cell (position 300 m)",
                   linea_minima("cartello_indicatore, 300, (A)\r\n")},
        caso_treno{"rallentamento_oltre_la_fine",
                   treno_minimo("rallentamento, 63000, 50, 5000, 0, 1, 0\r\n"), 25, 0,
                   "ARONA_DOMODOSSOLA_324-.txt:2:27: error 25: the end of `rallentamento` at 63000 "
                   "m falls in cell 1361, outside the route (cells 0 to 1280)"},
        // An end past the route is the fault only once the board and start cells are free.
        caso_treno{"rallentamento_oltre_la_fine_con_avviso_occupato",
                   treno_minimo(segnale(61800) + rallentamento(63000, 5000)), 17, 63000,
                   "ARONA_DOMODOSSOLA_324-.txt:3:16: error 17: the warning board 1200 m before "
                   "`rallentamento` at 63000 m falls in cell 1237 (61800 m), which already holds a "
                   "signal: two point features never share a 50 m cell (position 63000 m)"},
        caso_treno{"rallentamento_oltre_la_fine_con_inizio_occupato",
                   treno_minimo(segnale(63000) + rallentamento(63000, 5000)), 18, 63000,
                   "ARONA_DOMODOSSOLA_324-.txt:3:16: error 18: `rallentamento` at 63000 m falls in "
                   "cell 1261 (63000 m), which already holds a signal: two point features never "
                   "share a 50 m cell (position 63000 m)"},
        caso_treno{"rallentamento_fino_all_ultima_cella", treno_minimo(rallentamento(63000, 950)),
                   0, 0, ""},
        caso_treno{"rallentamento_una_cella_oltre", treno_minimo(rallentamento(63000, 1000)), 25, 0,
                   "ARONA_DOMODOSSOLA_324-.txt:2:27: error 25: the end of `rallentamento` at 63000 "
                   "m falls in cell 1281, outside the route (cells 0 to 1280)"},
        caso_treno{"rallentamento_con_fine_occupata_prima_dell_ultima",
                   treno_minimo(segnale(63900) + rallentamento(63000, 900)), 19, 63000,
                   "ARONA_DOMODOSSOLA_324-.txt:3:27: error 19: the end of `rallentamento` at 63000 "
                   "m falls in cell 1279 (63900 m), which already holds a signal: two point "
                   "features never share a 50 m cell (position 63000 m)"},
        caso_treno{"rallentamento_con_fine_negativa", treno_minimo(rallentamento(1000, -1100)), 25,
                   0,
                   "ARONA_DOMODOSSOLA_324-.txt:2:26: error 25: the end of `rallentamento` at 1000 "
                   "m falls in cell -1, outside the route (cells 0 to 1280)"},
        caso_treno{"stazione_con_fermata_nell_ultima_cella", treno_minimo(stazione(63150, 7, 900)),
                   0, 0, ""},
        caso_treno{"stazione_con_fermata_oltre_l_ultima_cella",
                   treno_minimo(stazione(63200, 7, 900)), 25, 0,
                   "ARONA_DOMODOSSOLA_324-.txt:2:11: error 25: the station's stop marker would "
                   "fall in cell 1281, outside the route (cells 0 to 1280): a station of type 7 or "
                   "8 reaches p + L"},
        caso_treno{
            "limite_troppo_alto", treno_minimo("velocita, 0, 1300\r\n"), 25, 0,
            "ARONA_DOMODOSSOLA_324-.txt:2:14: error 25: `velocita` field `limite` 1300 km/h is "
            "over 1277 km/h, the most the compiler takes: the limit / 5 is kept in one byte"},
        caso_treno{"ultimo_campo_non_letto", treno_minimo() + "segnale", 0, 0, ""}),
    [](const auto& caso) { return std::string(caso.param.nome); });

// A record that reaches a cell outside the route stops there: its earlier writes stay.
TEST(Treno, GuastoAllaPrimaCellaFuoriDalPercorso) {
  auto c = compila(linea_minima(), treno_minimo(segnale(300)));
  ASSERT_EQ(c.r.codice, 25);
  EXPECT_EQ(c.s.percorso[7].tipo, cella_segnale);
  for (int q : {5, 3, 1})
    EXPECT_EQ(c.s.percorso[static_cast<std::size_t>(q)].preavviso, 60 + (7 - q) / 2) << q;
  c = compila(linea_minima(), treno_minimo(stazione(63200, 7, 900)));
  ASSERT_EQ(c.r.codice, 25);
  for (int k = 1; k <= 4; ++k) {
    EXPECT_EQ(c.s.percorso[static_cast<std::size_t>(1281 - k)].preavviso, 80 + k) << k;
  }
  c = compila(linea_minima(), treno_minimo(rallentamento(63000, 1000)));
  ASSERT_EQ(c.r.codice, 25);
  EXPECT_EQ(c.s.percorso[1237].tipo, 0);
  EXPECT_EQ(c.s.percorso[1261].tipo, 0);
}

TEST(Treno, TrenoMancanteEGuasto) {
  const auto c = compila(linea_minima(), std::nullopt);
  EXPECT_EQ(c.r.codice, 25);
  EXPECT_FALSE(c.sorgenti.linea.has_value());
  // The files are still written from what the model holds.
  EXPECT_EQ(c.file.file.at("ARONA_DOMODOSSOLA_324.dat").size(), 15u * 1281);
}

TEST(Treno, CodiceDieciQuandoLeStazioniRaggiungonoICartelli) {
  std::string linea;
  for (int i = 0; i < 77; ++i)
    linea += "cartello_indicatore, " + std::to_string(1000 + 50 * i) + ", (T)\r\n";
  std::string treno;
  treno += stazione(5000, 24, 600);
  treno += stazione(6000, 24, 600);
  const auto c = compila(linea_minima(linea), treno_minimo(treno));
  // Boards fill slots 80 down to 4: the next board slot is 3, so slot 2 ends the stations.
  EXPECT_EQ(c.a->posto_cartello, 3);
  EXPECT_EQ(c.r.codice, 10);
  EXPECT_EQ(c.s.tabella_stazioni[2].posizione, 6000);
}

TEST(Treno, AreeDelleStazioniPerTipo) {
  const auto c =
      compila(linea_minima(), treno_minimo(stazione(2000, 24, 600) + stazione(5000, 5, 400) +
                                           stazione(8000, 8, 800) + stazione(12000, 30, 600) +
                                           "stazione, 17350, 12, 800, 0, 1, 1, 0,0,0, "
                                           "0,0,0, 0, 12,0,0, S\r\n"));
  ASSERT_EQ(c.r.codice, 0);
  const auto& t = c.s.tabella_stazioni;
  EXPECT_EQ(t[2].inizio, 4600);
  EXPECT_EQ(t[2].fine, 5150);
  EXPECT_EQ(c.s.percorso[5150 / 50 - 1].tipo, cella_fermata);
  EXPECT_EQ(c.s.percorso[5150 / 50 - 2].preavviso, 0);  // types 5 and 6: no approach codes
  EXPECT_EQ(t[3].inizio, 7200);
  EXPECT_EQ(t[3].fine, 8800);
  EXPECT_EQ(t[4].fine, 12300);
  EXPECT_NE(c.s.percorso[12300 / 50 - 1].tipo, cella_fermata);  // type 25 or more: no marker
  EXPECT_EQ(t[5].fine, 17800);
  EXPECT_EQ(t[5].byte_3, 1);
}

// byte_4 stays from a length of 600 m on, and never on the first station.
// The approach codes of a stop marker stop short of cell 1, which carries the identity.
TEST(Treno, PreavvisiDellaFermataFinoAllaCellaDue) {
  const auto c = compila(linea_minima(), treno_minimo(stazione(200, 8, 100)));
  ASSERT_EQ(c.r.codice, 0);
  EXPECT_EQ(c.s.percorso[5].tipo, cella_fermata);
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(c.s.percorso[5 - k].preavviso, 80 + k) << k;
  EXPECT_EQ(c.s.percorso[1].preavviso, 0);
}

TEST(Treno, Byte4DallaLunghezzaDi600M) {
  const auto c = compila(linea_minima(), treno_minimo("stazione, 2000, 24, 600, 0, 3, 0, "
                                                      "0,0,0, 0,0,0, 0, 12,0,0, A\r\n"
                                                      "stazione, 5000, 24, 500, 0, 3, 0, "
                                                      "0,0,0, 0,0,0, 0, 12,0,0, B\r\n"
                                                      "stazione, 8000, 24, 600, 0, 3, 0, "
                                                      "0,0,0, 0,0,0, 0, 12,0,0, C\r\n"));
  ASSERT_EQ(c.r.codice, 0);
  EXPECT_EQ(c.s.tabella_stazioni[1].byte_4, 0);
  EXPECT_EQ(c.s.tabella_stazioni[2].byte_4, 0);
  EXPECT_EQ(c.s.tabella_stazioni[3].byte_4, 3);
}

TEST(Treno, TempoDelSegnaleECodiciDiPreavviso) {
  const struct {
    int sx, tempo, atteso;
  } casi[] = {{2, 0, 0}, {2, 30, 101}, {2, 100, 101}, {2, 150, 150}, {1, 30, 0}, {2, -5, 251}};
  for (const auto& caso : casi) {
    const auto c =
        compila(linea_minima(),
                treno_minimo("segnale, 5000, " + std::to_string(caso.sx) +
                             ", 5, 6, 0, 0, 1, 3,0,0, " + std::to_string(caso.tempo) + "\r\n"));
    const cella& s = c.s.percorso[101];
    EXPECT_EQ(s.tempo_segnale, caso.atteso) << caso.sx << " " << caso.tempo;
    EXPECT_EQ(c.s.percorso[99].preavviso, caso.sx * 30 + 10 + 1);
  }
}

TEST(Treno, SegnaleSuLampada) {
  const auto c =
      compila(linea_minima("montagna, 5000, 6000, 11\r\n"), treno_minimo(segnale(5150 - 50)));
  ASSERT_EQ(c.r.codice, 0);
  EXPECT_EQ(c.s.percorso[103].tipo, cella_segnale);
  EXPECT_EQ(c.s.percorso[103].galleria, 1);
}

TEST(Treno, RallentamentoA1500E1550EConDv) {
  auto c = compila(linea_minima(), treno_minimo(rallentamento(1500)));
  ASSERT_EQ(c.r.codice, 0);
  for (int i = 0; i <= 8; ++i) EXPECT_EQ(c.s.percorso[static_cast<std::size_t>(i)].tipo, 0) << i;
  c = compila(linea_minima(), treno_minimo(rallentamento(1550)));
  EXPECT_EQ(c.s.percorso[8].tipo, cella_avviso_rallentamento);
  for (int i = 4; i <= 7; ++i) EXPECT_EQ(c.s.percorso[static_cast<std::size_t>(i)].tipo, 5);
  EXPECT_EQ(c.s.percorso[7].dato_1, 1);
  c = compila(linea_minima(), treno_minimo("rallentamento, 5000, 60, 300, 4, 1, 3\r\n"));
  for (int i : {77, 101, 107}) {
    EXPECT_EQ(c.s.percorso[static_cast<std::size_t>(i)].dato_2, 3) << i;
    EXPECT_EQ(c.s.percorso[static_cast<std::size_t>(i)].dato_1, 60) << i;
  }
  EXPECT_EQ(c.s.percorso[101].dato_3, 4);
  EXPECT_EQ(c.s.percorso[76].dato_2, 1);
  EXPECT_EQ(c.s.percorso[73].dato_2, 4);
  // A stretch shorter than 25 m has start and end in one cell: it is a start.
  c = compila(linea_minima(), treno_minimo(rallentamento(5000, 20)));
  EXPECT_EQ(c.s.percorso[101].tipo, cella_inizio_rallentamento);
}

TEST(Treno, LimitiArrotondatiEDopoIlPrimoRecord) {
  const auto c = compila(linea_minima(), treno_minimo("velocita, 0, 112\r\nvelocita, 1075, 113\r\n"
                                                      "velocita, 2025, 60\r\naderenza, 0, 90\r\n"));
  EXPECT_EQ(c.s.percorso[21].velocita, 22);
  EXPECT_EQ(c.s.percorso[22].velocita, 23);
  EXPECT_EQ(c.s.percorso[39].velocita, 23);
  EXPECT_EQ(c.s.percorso[40].velocita, 12);
  EXPECT_EQ(c.s.percorso[1277].aderenza, 90);
  // A record in cell 1 still gives cell 0 the limit before it.
  const auto d = compila(linea_minima(), treno_minimo("velocita, 0, 30\r\nvelocita, 50, 60\r\n"));
  EXPECT_EQ(d.s.percorso[0].velocita, 6);
  EXPECT_EQ(d.s.percorso[1].velocita, 12);
}

// Adhesion holds from its own position's cell to the cell before the next record's, as the
// speed limit does.
TEST(Treno, AderenzaFinoAllaCellaPrimaDelRecordDopo) {
  const auto c = compila(linea_minima(), treno_minimo("aderenza, 0, 90\r\naderenza, 1000, 80\r\n"
                                                      "aderenza, 1500, 70\r\n"));
  ASSERT_EQ(c.r.codice, 0);
  EXPECT_EQ(c.s.percorso[19].aderenza, 90);
  EXPECT_EQ(c.s.percorso[20].aderenza, 80);
  EXPECT_EQ(c.s.percorso[29].aderenza, 80);
  EXPECT_EQ(c.s.percorso[30].aderenza, 70);
}

// Records out of order each fill one more cell, up to the last one; the tail after them
// fills one more still, and past the last cell that is a fault.
TEST(Treno, AderenzeFuoriOrdineFinoAllUltimaCella) {
  // A line of 0 m has cells 0 to 140; record k fills cell k - 1.
  const auto fino_a = [](int n) {
    std::string t;
    for (int i = 0; i < n; ++i) t += "aderenza, 50, 7\r\n";
    return compila(linea_minima("", 0), treno_minimo(t));
  };
  const auto coda_nell_ultima = fino_a(140);
  EXPECT_EQ(coda_nell_ultima.r.codice, 0);
  EXPECT_EQ(coda_nell_ultima.s.percorso[140].aderenza, 7);
  const auto record_nell_ultima = fino_a(141);
  EXPECT_EQ(record_nell_ultima.r.codice, 25);
  EXPECT_EQ(record_nell_ultima.s.percorso[140].aderenza, 7);
  EXPECT_EQ(test::verdetto(record_nell_ultima),
            "ARONA_DOMODOSSOLA_324-.txt: error 25: the adhesion fill would pass the last cell, at "
            "cell 141");
}

TEST(Treno, TrattinoDavantiAllaParolaChiave) {
  const auto c = compila(linea_minima(), treno_minimo("-segnale, sabbia, 7\r\n" + segnale(5000)));
  EXPECT_EQ(c.s.tabella_stazioni[86].intero_1, 7);
  EXPECT_EQ(c.s.percorso[101].tipo, cella_segnale);
  const auto d = compila(linea_minima(), treno_minimo("x-segnale, 5000\r\n"));
  EXPECT_EQ(d.r.codice, 0);
  EXPECT_EQ(d.s.percorso[101].tipo, 0);
}

// A train file without "[generale]" still gets the tails from cell 0.
TEST(Treno, SenzaGeneraleSoloLeCode) {
  const auto c = compila(linea_minima(), "sabbia, 9\r\n[fine]\r\n");
  EXPECT_EQ(c.r.codice, 0);
  EXPECT_EQ(c.s.tabella_stazioni[86].intero_1, 0);
  EXPECT_EQ(c.s.percorso[0].aderenza, 0);
}

// A code 15 left by the line half stops the train half at its first signal.
TEST(Treno, Codice15DellaLineaFermaIlPrimoSegnale) {
  const auto c = compila(linea_minima("pendenza, 99999, 0\r\n"),
                         treno_minimo("velocita, 0, 100\r\n" + segnale(5000) + segnale(6000)));
  EXPECT_EQ(c.r.codice, 15);
  EXPECT_EQ(c.r.posizione, 5000);
  EXPECT_EQ(c.s.percorso[101].tipo, cella_segnale);
  EXPECT_EQ(c.s.percorso[121].tipo, 0);
  EXPECT_EQ(c.s.percorso[50].velocita, 0);  // no tails after a stop with error
}

}  // namespace
}  // namespace scenario
