// Byte layouts of the three compiled files, checked against values derived by hand.
#include "compiler/file_binari.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "compiler/punti_tracciato.h"
#include "tests/aiuti_test.h"

namespace scenario {
namespace {

template <typename T>
std::string scritto(void (*scrittore)(const T&, std::ostream&), const T& parte) {
  std::ostringstream out;
  scrittore(parte, out);
  return out.str();
}

TEST(FileStazioni, VociVuoteSonoTrentaquattroByteAZero) {
  const std::string b = scritto(scrivi_stazioni, tabella_stazioni{});
  EXPECT_EQ(b, std::string(87 * 34, '\0'));
}

TEST(FileStazioni, VoceConNomeELittleEndian) {
  tabella_stazioni t{};
  voce_stazione& v = t[1];
  v.tipo = 8;
  v.inizio = -600;
  v.fine = 600;
  v.posizione = 0x01020304;
  v.opzione = 7;
  v.nome = "AB\xB0";
  v.intero_1 = 1;
  v.intero_2 = -2;
  v.intero_3 = 0x0304;
  v.intero_4 = 4;
  v.intero_5 = 5;
  v.byte_1 = 0xF1;
  v.byte_2 = 0xF2;
  v.byte_3 = 0xF3;
  v.byte_4 = 0xF4;
  v.orario = 42900;
  const std::string b = scritto(scrivi_stazioni, t);
  ASSERT_EQ(b.size(), 87u * 34 + 3);
  const std::string atteso(
      "\x08"
      "\xA8\xFD\xFF\xFF"
      "\x58\x02\x00\x00"
      "\x04\x03\x02\x01"
      "\x07"
      "\x03\x00"
      "AB\xB0"
      "\x01\x00"
      "\xFE\xFF"
      "\x04\x03"
      "\x04\x00"
      "\x05\x00"
      "\xF1\xF2\xF3\xF4"
      "\x94\xA7\x00\x00",
      37);
  EXPECT_EQ(b.substr(34, 37), atteso);
  EXPECT_EQ(b.substr(0, 34), std::string(34, '\0'));
  EXPECT_EQ(leggi_stazioni(b), t);
}

TEST(FilePercorso, CellaDiQuindiciByteInOrdineDeiCampi) {
  std::vector<cella> percorso(3);
  percorso[1] = {1, 53, 60, -1, 7, 101, 71, 2, 22, 105, 100};
  const std::string b = scritto(scrivi_percorso, percorso);
  ASSERT_EQ(b.size(), 45u);
  EXPECT_EQ(b.substr(15, 15),
            std::string("\x01\x35\x00\x3C\x00\xFF\xFF\x07\x00\x65\x47\x02\x16\x69\x64", 15));
  EXPECT_EQ(leggi_percorso(b), percorso);
}

TEST(FileTracciato, EtichetteDoveLeMetteIlFormato) {
  const auto c = test::compila(test::linea_minima(), test::treno_minimo());
  const std::string& b = c.file.file.at("ARONA_DOMODOSSOLA_linea.dat");
  ASSERT_EQ(b.size(), 1'279'964u);
  ASSERT_EQ(b.size(), byte_tracciato(64000));
  const std::size_t meta = b.size() / 2;
  for (std::size_t inizio : {std::size_t{0}, meta}) {
    // Two Integers: x(0) = 0 and x(1) = 0, or y(0) = 0 and y(1) = 1.
    const bool y = inizio == meta;
    EXPECT_EQ(b.substr(inizio, 8),
              std::string(
                  y ? "\x02\x00\x00\x00\x02\x00\x01\x00" : "\x02\x00\x00\x00\x02\x00\x00\x00", 8));
    EXPECT_EQ(b.substr(inizio + 8, 2), std::string("\x05\x00", 2));
    // The last two points are empty.
    EXPECT_EQ(b.substr(inizio + meta - 4, 4), std::string(4, '\0'));
    EXPECT_EQ(b.substr(inizio + meta - 14, 2), std::string("\x05\x00", 2));
  }
  const auto letto = leggi_tracciato(b);
  ASSERT_EQ(letto.y.size(), 64001u);
  EXPECT_EQ(letto.y[63998].valore, 63998.0);  // a straight line along +y
}

std::string scritto(const tracciato_compilato& t) {
  std::ostringstream out;
  scrivi_tracciato(t, out);
  return out.str();
}

// Five points: the two seeds, one computed on the straight, two empty; then four, one empty.
TEST(FileTracciato, PianoPiccoloByteAByte) {
  const tracciato_compilato t{4, true, {{2, 0.0}}};
  const std::string x(
      "\x02\x00\x00\x00\x02\x00\x00\x00"
      "\x05\x00\x00\x00\x00\x00\x00\x00\x00\x00"
      "\x00\x00\x00\x00",
      22);
  const std::string y(
      "\x02\x00\x00\x00\x02\x00\x01\x00"
      "\x05\x00\x00\x00\x00\x00\x00\x00\x00\x40"
      "\x00\x00\x00\x00",
      22);
  EXPECT_EQ(scritto(t), x + y);
  // A single empty point at the end.
  EXPECT_EQ(scritto(tracciato_compilato{3, true, {{2, 0.0}}}), x.substr(0, 20) + y.substr(0, 20));
  EXPECT_EQ(byte_tracciato(4), 44u);
}

// A plan never made writes nothing; one made but never seeded, only empty points; one
// seeded with nothing computed, the seeds and then empty points.
TEST(FileTracciato, NonCreatoNonSeminatoESenzaPuntiCalcolati) {
  EXPECT_EQ(scritto(tracciato_compilato{}), "");
  EXPECT_EQ(scritto(tracciato_compilato{7000, false, {}}), std::string(2 * 2 * 7001, '\0'));
  const std::string b = scritto(tracciato_compilato{7000, true, {}});
  const std::size_t meta = 8 + 2 * 6999;
  ASSERT_EQ(b.size(), 2 * meta);
  EXPECT_EQ(b.substr(0, 8), std::string("\x02\x00\x00\x00\x02\x00\x00\x00", 8));
  EXPECT_EQ(b.substr(meta, 8), std::string("\x02\x00\x00\x00\x02\x00\x01\x00", 8));
  EXPECT_EQ(b.substr(8, meta - 8), std::string(2 * 6999, '\0'));
  EXPECT_EQ(b.substr(meta + 8), std::string(2 * 6999, '\0'));
}

// Many fixed blocks of bytes in each half: every point read back is the one computed in its
// place, and the file ends after the last empty point of the y half.
TEST(FileTracciato, PianoLungoRilettoComeIPuntiCalcolati) {
  const tracciato_compilato t{
      60000, true, {{100, 0.0}, {20000, 0.0001}, {40000, -0.0002}, {59998, 0.0}}};
  const std::string b = scritto(t);
  ASSERT_EQ(b.size(), byte_tracciato(60000));
  const tracciato_letto letto = leggi_tracciato(b);
  ASSERT_EQ(letto.x.size(), 60001u);
  for (punti_del_tracciato punti(t); punti.altri();) {
    const auto i = static_cast<std::size_t>(punti.indice());
    const punto_tracciato p = punti.prossimo();
    ASSERT_EQ(letto.x[i].etichetta, etichetta_di(p.tipo)) << i;
    ASSERT_EQ(letto.y[i].etichetta, etichetta_di(p.tipo)) << i;
    ASSERT_EQ(letto.x[i].valore, p.x) << i;
    ASSERT_EQ(letto.y[i].valore, p.y) << i;
  }
}

// A plan no compile makes (tags in any order, halves unlike each other) is read and written
// back with the same bytes, and so is the shipped one.
TEST(FileTracciato, LettoERiscrittoConGliStessiByte) {
  const std::string b(
      "\x05\x00\x00\x00\x00\x00\x00\x00\xF8\x3F"   // 1.5
      "\x00\x00"                                   // empty
      "\x02\x00\xFE\xFF"                           // -2
      "\x05\x00\x00\x00\x00\x00\x00\x00\x00\x80"   // -0.0
      "\x02\x00\x07\x00"                           // 7
      "\x05\x00\x01\x00\x00\x00\x00\x00\xF8\x7F"   // a NaN with a payload
      "\x00\x00"                                   // empty
      "\x05\x00\x00\x00\x00\x00\x00\x00\xD0\x3F",  // 0.25
      52);
  const tracciato_letto t = leggi_tracciato(b);
  ASSERT_EQ(t.x.size(), 4u);
  EXPECT_EQ(t.x[0].valore, 1.5);
  EXPECT_EQ(t.x[1].etichetta, etichetta_vuoto);
  EXPECT_EQ(t.x[2].valore, -2.0);
  EXPECT_TRUE(std::signbit(t.x[3].valore));
  EXPECT_EQ(t.y[0].valore, 7.0);
  EXPECT_TRUE(std::isnan(t.y[1].valore));
  EXPECT_EQ(t.y[3].valore, 0.25);
  std::ostringstream out;
  scrivi_tracciato(t, out);
  EXPECT_EQ(out.str(), b);
  const auto c = test::compila(test::linea_spedita(), test::treno_spedito());
  const std::string& spedito = c.file.file.at("ARONA_DOMODOSSOLA_linea.dat");
  std::ostringstream di_nuovo;
  scrivi_tracciato(leggi_tracciato(spedito), di_nuovo);
  EXPECT_EQ(di_nuovo.str(), spedito);
}

TEST(FileLetti, DimensioniChiNonRispettanoIlFormato) {
  EXPECT_THROW(leggi_percorso(std::string(16, '\0')), formato_non_valido);
  EXPECT_THROW(leggi_stazioni(std::string(86 * 34, '\0')), formato_non_valido);
  EXPECT_THROW(leggi_stazioni(std::string(87 * 34 + 1, '\0')), formato_non_valido);
  EXPECT_THROW(leggi_tracciato(std::string("\x03\x00\x00\x00", 4)), formato_non_valido);
  EXPECT_THROW(leggi_tracciato(std::string("\x00\x00\x00\x00\x00\x00", 6)), formato_non_valido);
}

}  // namespace
}  // namespace scenario
