// Decoding of the compiled files: the shipped scenario against the values of its sources,
// and crafted cells for the unpacking rules and for values that point nowhere.
#include "tools/dump/descrizione_scenario.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/aiuti_test.h"

namespace scenario::strumento {
namespace {

file_letti riletti(const test::compilazione& c) {
  const auto& f = c.file.file;
  file_letti r;
  r.percorso = leggi_percorso(f.at("ARONA_DOMODOSSOLA_324.dat"));
  r.stazioni = leggi_stazioni(f.at("ARONA_DOMODOSSOLA_324.sim"));
  metti_tracciato(r, leggi_tracciato(f.at("ARONA_DOMODOSSOLA_linea.dat")));
  return r;
}

const file_letti& spediti() {
  static const file_letti f = riletti(test::compila(test::linea_spedita(), test::treno_spedito()));
  return f;
}

const descrizione& spedita() {
  static const descrizione d = descrivi(spediti(), "ARONA_DOMODOSSOLA", "324");
  return d;
}

const elemento_descritto& in_cella(const descrizione& d, int32_t c) {
  const auto it = std::find_if(d.elementi.begin(), d.elementi.end(),
                               [&](const elemento_descritto& e) { return e.cella == c; });
  if (it == d.elementi.end()) throw std::runtime_error("no feature in cell " + std::to_string(c));
  return *it;
}

int64_t campo(const elemento_descritto& e, const std::string& nome) {
  for (const campo_descritto& c : e.campi) {
    if (c.nome == nome) return c.valore;
  }
  throw std::runtime_error("no field " + nome);
}

TEST(DescrizioneSpedita, ConteggiDeiSorgenti) {
  const conteggi& n = spedita().numeri;
  EXPECT_EQ(n.stazioni, 14);
  EXPECT_EQ(n.segnali, 29);
  EXPECT_EQ(n.rallentamenti, 1);
  EXPECT_EQ(n.indicatori_velocita, 7);
  EXPECT_EQ(n.cartelli, 21);
  EXPECT_EQ(n.gallerie, 12);
  EXPECT_TRUE(spedita().identita.corrisponde());
  EXPECT_EQ(spedita().lunghezza_linea, 57000);
  EXPECT_EQ(spedita().celle, 1281);
}

TEST(DescrizioneSpedita, StazioniConAreaOraEFermata) {
  const auto& s = spedita().stazioni;
  ASSERT_EQ(s.size(), 14u);
  EXPECT_EQ(s[0].slot, 1);
  EXPECT_EQ(s[0].nome, "ARONA");
  EXPECT_EQ(s[0].voce.inizio, -600);
  EXPECT_EQ(s[0].voce.fine, 600);
  EXPECT_EQ(ora_di(s[0].voce.orario), "11:55:00");
  EXPECT_EQ(s[0].cella_fermata, 11);
  EXPECT_EQ(s[4].nome, "STRESA");
  EXPECT_EQ(s[4].voce.fine, 17750);  // 17350 + 800 / 2, byte_3 is 0
  EXPECT_EQ(s[13].nome, "DOMODOSSOLA");
  EXPECT_EQ(ora_di(s[13].voce.orario), "12:39:00");
  EXPECT_EQ(s[2].cella_fermata, std::nullopt);  // Lesa, type 28: no stop marker
}

TEST(DescrizioneSpedita, ElementiSpacchettati) {
  const descrizione& d = spedita();
  const elemento_descritto& segnale = in_cella(d, 304);
  EXPECT_EQ(segnale.genere, "segnale");
  EXPECT_EQ(segnale.posizione, 15150);
  const std::pair<const char*, int64_t> attesi[] = {{"sx", 2}, {"s1", 5},   {"s2", 6},
                                                    {"s3", 0}, {"rapp", 0}, {"dx", 1},
                                                    {"d1", 3}, {"d2", 0},   {"d3", 0}};
  for (const auto& [nome, valore] : attesi) EXPECT_EQ(campo(segnale, nome), valore) << nome;
  const elemento_descritto& segnale_2 = in_cella(d, 332);  // 16550: 2, 2, 3, 0, 1, 2, 2, 0, 0
  EXPECT_EQ(campo(segnale_2, "rapp"), 1);
  EXPECT_EQ(campo(segnale_2, "dx"), 2);
  EXPECT_EQ(campo(segnale_2, "s2"), 3);
  const elemento_descritto& cartello = in_cella(d, 22);  // 1050: 105, 110, 110
  EXPECT_EQ(cartello.genere, "indicatore_velocita");
  EXPECT_EQ(campo(cartello, "vas"), 105);
  EXPECT_EQ(campo(cartello, "vbs"), 110);
  EXPECT_EQ(campo(cartello, "vcs"), 110);
  EXPECT_EQ(campo(cartello, "vad"), 0);
  const elemento_descritto& indicazione = in_cella(d, 16);
  EXPECT_EQ(indicazione.genere, "cartello");
  EXPECT_EQ(campo(indicazione, "slot"), 80);
  EXPECT_EQ(indicazione.testo, "(GALLERIA DI)(ARONA      )(m 670      )");
  EXPECT_EQ(in_cella(d, 534).testo, "(GALLERIA     )(MONTORFANO 2\u00B0)(m 68         )");
  EXPECT_EQ(in_cella(d, 11).testo, "ARONA");
}

TEST(DescrizioneSpedita, RallentamentoGalleriaEStrati) {
  const descrizione& d = spedita();
  ASSERT_EQ(d.rallentamenti.size(), 1u);
  const rallentamento_descritto& r = d.rallentamenti[0];
  EXPECT_EQ(r.cella_inizio, 472);
  EXPECT_EQ(r.cella_fine, 476);
  EXPECT_EQ(r.velocita, 50);
  EXPECT_EQ(r.cella_avviso, 448);
  EXPECT_EQ(r.celle_prima_avviso, 4);
  const galleria_descritta& g = d.gallerie.front();
  EXPECT_EQ(metri_strato(g.prima_cella), 800);
  EXPECT_EQ(metri_strato(g.ultima_cella + 1), 1500);
  EXPECT_EQ(g.tipo, 2);
  EXPECT_EQ(g.lampade, 3);
  EXPECT_EQ(g.nome, "GALLERIA DI ARONA m 670");
  const tratto_strato& v = d.strati.velocita[1];
  EXPECT_EQ(metri_strato(v.prima_cella), 1050);
  EXPECT_EQ(metri_strato(v.ultima_cella + 1), 5150);
  EXPECT_EQ(v.valore, 110);
  EXPECT_EQ(d.strati.velocita.size(), 9u);
  const tratto_strato& p = d.strati.pendenza[3];  // 12300 to 14800 m at -4 per mille
  EXPECT_EQ(p.prima_cella, 246);
  EXPECT_EQ(p.ultima_cella, 295);
  EXPECT_EQ(p.valore, -4);
  EXPECT_EQ(d.strati.pendenza.back().valore, std::nullopt);  // the last three cells
  EXPECT_EQ(d.strati.aderenza.front().valore, 100);
}

TEST(Profilo, QuoteDallePendenze) {
  const std::vector<double> q = quote_profilo(spediti().percorso);
  ASSERT_EQ(q.size(), 1278u + 1);  // cells 0 to 1277 carry a gradient
  EXPECT_NEAR(q[20], 0, 1e-9);
  EXPECT_NEAR(q[78], 14.5, 1e-9);  // 2900 m at 5 per mille
  EXPECT_NEAR(q[296], 14.5 - 10, 1e-9);
  EXPECT_NEAR(q.back(), 14.5 - 10 - 3.6 - 22.2 + 26.4 + 1.5 + 11.4 + 37, 1e-9);
}

TEST(IdentitaDescritta, AltroTrenoEMarcatoriMancanti) {
  const descrizione altro = descrivi(spediti(), "ARONA_DOMODOSSOLA", "325");
  EXPECT_TRUE(altro.identita.marcatori_validi);
  EXPECT_FALSE(altro.identita.codici_corrispondono);
  EXPECT_FALSE(altro.identita.nomi_corrispondono);
  file_letti f = spediti();
  f.percorso[1].dato_1 = 0;
  EXPECT_FALSE(descrivi(f, "ARONA_DOMODOSSOLA", "324").identita.marcatori_validi);
  f.percorso.resize(1);
  const identita_descritta senza_cella = descrivi(f, "ARONA_DOMODOSSOLA", "324").identita;
  EXPECT_FALSE(senza_cella.cella_1_presente);
  EXPECT_FALSE(senza_cella.corrisponde());
}

TEST(CelleStrane, ValoriCheNonPuntanoANullaSonoSegnalati) {
  file_letti f;
  f.percorso.resize(40);
  f.percorso[5] = {cella_cartello, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  f.percorso[6] = {cella_fermata, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  f.percorso[7] = {99, 1, 2, 3, 4, 0, 0, 0, 0, 0, 0};
  f.percorso[30] = {cella_inizio_rallentamento, 40, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  const descrizione d = descrivi(f, "R", "1");
  EXPECT_EQ(in_cella(d, 5).avviso, "slot 300 is outside the station table");
  EXPECT_EQ(in_cella(d, 6).avviso, "slot -1 is outside the station table");
  EXPECT_EQ(in_cella(d, 7).genere, "sconosciuto");
  EXPECT_EQ(campo(in_cella(d, 7), "dato_4"), 4);
  ASSERT_EQ(d.rallentamenti.size(), 1u);
  EXPECT_EQ(d.rallentamenti[0].cella_fine, 30);  // no end cell follows
  EXPECT_EQ(d.rallentamenti[0].cella_avviso, std::nullopt);
  EXPECT_TRUE(d.stazioni.empty());
}

// A route of 60 cells with one tunnel board text in each of slots 80 and 79 and a board that
// names no tunnel in slot 78; `cartelli` puts boards (cell, slot) on it.
file_letti con_gallerie(std::initializer_list<std::pair<int32_t, int16_t>> cartelli,
                        std::initializer_list<std::pair<int32_t, int32_t>> gallerie) {
  file_letti f;
  f.percorso.resize(60);
  f.stazioni[80].nome = "(GALLERIA DI)(A )";
  f.stazioni[79].nome = "(galleria)(B)";
  f.stazioni[78].nome = "(PONTE)";
  for (const auto& [cella, slot] : cartelli) {
    f.percorso[static_cast<std::size_t>(cella)].tipo = cella_cartello;
    f.percorso[static_cast<std::size_t>(cella)].dato_1 = slot;
  }
  for (const auto& [prima, ultima] : gallerie) {
    for (int32_t c = prima; c <= ultima; ++c) f.percorso[static_cast<std::size_t>(c)].galleria = 1;
  }
  return f;
}

std::vector<std::string> nomi_gallerie(const file_letti& f) {
  std::vector<std::string> nomi;
  for (const galleria_descritta& g : descrivi(f, "R", "1").gallerie) nomi.push_back(g.nome);
  return nomi;
}

using nomi = std::vector<std::string>;

TEST(NomiGallerie, CartelloDaSeiCellePrimaAUnaDopoLInizio) {
  struct caso {
    int32_t cella;
    const char* nome;
  };
  // The tunnel starts at cell 20.
  for (const caso& c : {caso{13, ""}, caso{14, "GALLERIA DI A"}, caso{20, "GALLERIA DI A"},
                        caso{21, "GALLERIA DI A"}, caso{22, ""}}) {
    EXPECT_EQ(nomi_gallerie(con_gallerie({{c.cella, 80}}, {{20, 25}})), nomi{c.nome}) << c.cella;
  }
}

TEST(NomiGallerie, VinceIlPiuVicinoCheParliDiGalleria) {
  EXPECT_EQ(nomi_gallerie(con_gallerie({{14, 80}, {19, 79}}, {{20, 25}})), nomi{"galleria B"});
  EXPECT_EQ(nomi_gallerie(con_gallerie({{14, 80}, {19, 78}}, {{20, 25}})), nomi{"GALLERIA DI A"});
}

// A board may announce two tunnels close together; each tunnel looks at its own window.
TEST(NomiGallerie, CartelloCondivisoEFinestreSovrapposte) {
  EXPECT_EQ(nomi_gallerie(con_gallerie({{19, 80}}, {{20, 21}, {24, 25}})),
            (nomi{"GALLERIA DI A", "GALLERIA DI A"}));
  EXPECT_EQ(nomi_gallerie(con_gallerie({{19, 80}, {23, 79}}, {{20, 21}, {24, 25}})),
            (nomi{"GALLERIA DI A", "galleria B"}));
  EXPECT_EQ(nomi_gallerie(con_gallerie({{19, 80}, {30, 79}}, {{20, 21}, {24, 25}, {36, 40}})),
            (nomi{"GALLERIA DI A", "GALLERIA DI A", "galleria B"}));
}

// Many tunnels, each announced by its own board three cells before it.
TEST(NomiGallerie, CentomilaGallerie) {
  file_letti f;
  f.percorso.resize(1000000);
  f.stazioni[80].nome = "(GALLERIA)(A)";
  f.stazioni[79].nome = "(GALLERIA)(B)";
  for (std::size_t c = 0; c < f.percorso.size(); c += 10) {
    f.percorso[c].tipo = cella_cartello;
    f.percorso[c].dato_1 = c % 20 == 0 ? 80 : 79;
    for (std::size_t g = c + 3; g <= c + 5; ++g) f.percorso[g].galleria = 1;
  }
  const descrizione d = descrivi(f, "R", "1");
  ASSERT_EQ(d.gallerie.size(), 100000u);
  EXPECT_EQ(d.numeri.gallerie, 100000);
  for (std::size_t k : {0u, 1u, 2u, 99998u, 99999u}) {
    EXPECT_EQ(d.gallerie[k].prima_cella, static_cast<int32_t>(10 * k + 3));
    EXPECT_EQ(d.gallerie[k].nome, k % 2 == 0 ? "GALLERIA A" : "GALLERIA B") << k;
  }
  EXPECT_EQ(d.numero_elementi, 100000u);
}

// What `dump` asks for leaves the long lists out and keeps the counts.
TEST(DescrizioneSenzaElementi, ConteggiUgualiListeVuote) {
  const descrizione d = descrivi(spediti(), "ARONA_DOMODOSSOLA", "324", false);
  EXPECT_TRUE(d.elementi.empty());
  EXPECT_TRUE(d.gallerie.empty());
  EXPECT_TRUE(d.strati.velocita.empty());
  EXPECT_EQ(d.numero_elementi, spedita().elementi.size());
  EXPECT_EQ(d.numeri.gallerie, 12);
  EXPECT_EQ(d.numeri.segnali, spedita().numeri.segnali);
  std::size_t n = 0;
  per_ogni_elemento(spediti(), [&](const elemento_descritto& e) {
    EXPECT_EQ(e.cella, spedita().elementi[n].cella);
    ++n;
  });
  EXPECT_EQ(n, d.numero_elementi);
}

TEST(Testi, Windows1252EOre) {
  EXPECT_EQ(da_windows_1252("2\xB0 \x80 \x81 a"), "2\u00B0 \u20AC \u0081 a");
  EXPECT_EQ(ora_di(42900), "11:55:00");
  EXPECT_EQ(ora_di(0), "00:00:00");
  EXPECT_EQ(ora_di(-61), "-00:01:01");
  EXPECT_EQ(ora_di(90061), "25:01:01");
}

}  // namespace
}  // namespace scenario::strumento
