// The readers of the compiled files: the shipped scenario read back equals the model that
// wrote it, and bytes that do not fit a layout are refused with the reason.
#include <gtest/gtest.h>

#include <string>

#include "compiler/file_binari.h"
#include "compiler/identita.h"
#include "compiler/punti_tracciato.h"
#include "tests/aiuti_test.h"

namespace scenario {
namespace {

const test::compilazione& spedito() {
  static const test::compilazione c = test::compila(test::linea_spedita(), test::treno_spedito());
  return c;
}

const std::string& file_spedito(const std::string& nome) { return spedito().file.file.at(nome); }

TEST(FileRiletti, PercorsoEStazioniSpeditiTornanoUgualiAlModello) {
  ASSERT_EQ(spedito().r.errore_identita, 0);
  EXPECT_EQ(leggi_percorso(file_spedito("ARONA_DOMODOSSOLA_324.dat")), spedito().s.percorso);
  const auto voci = leggi_stazioni(file_spedito("ARONA_DOMODOSSOLA_324.sim"));
  for (std::size_t i = 0; i < voci.size(); ++i) {
    EXPECT_EQ(voci[i], spedito().s.tabella_stazioni[i]) << "slot " << i;
  }
}

// Every point read back has the tag and the coordinates of the point computed in its place.
TEST(FileRiletti, TracciatoSpeditoTornaConEtichetteEValori) {
  const tracciato_compilato& t = spedito().s.tracciato;
  const tracciato_letto letto = leggi_tracciato(file_spedito("ARONA_DOMODOSSOLA_linea.dat"));
  ASSERT_EQ(letto.x.size(), static_cast<std::size_t>(t.ultimo_indice()) + 1);
  ASSERT_EQ(letto.y.size(), letto.x.size());
  for (punti_del_tracciato punti(t); punti.altri();) {
    const auto i = static_cast<std::size_t>(punti.indice());
    const punto_tracciato p = punti.prossimo();
    const int16_t etichetta = etichetta_di(p.tipo);
    ASSERT_EQ(letto.x[i].etichetta, etichetta) << "point " << i;
    ASSERT_EQ(letto.y[i].etichetta, etichetta) << "point " << i;
    if (etichetta == etichetta_vuoto) continue;
    ASSERT_EQ(letto.x[i].valore, p.x) << "point " << i;
    ASSERT_EQ(letto.y[i].valore, p.y) << "point " << i;
  }
}

// The x half with its last double turned into five empty elements: the same bytes per half,
// four more points in x.
std::string meta_diseguali() {
  std::string b = file_spedito("ARONA_DOMODOSSOLA_linea.dat");
  const std::size_t ultimo_reale = b.size() / 2 - 4 - 10;
  b.replace(ultimo_reale, 10, std::string(10, '\0'));
  return b;
}

struct caso_guasto {
  const char* nome;
  std::string (*byte)();
  std::string (*leggi)(const std::string&);
  const char* messaggio;
};

std::string percorso(const std::string& b) { return std::to_string(leggi_percorso(b).size()); }
std::string stazioni(const std::string& b) { return leggi_stazioni(b)[1].nome; }
std::string tracciato(const std::string& b) { return std::to_string(leggi_tracciato(b).x.size()); }

const std::string& sim() { return file_spedito("ARONA_DOMODOSSOLA_324.sim"); }

const caso_guasto casi_guasti[] = {
    {"celle troncate", [] { return file_spedito("ARONA_DOMODOSSOLA_324.dat").substr(0, 19214); },
     percorso, "size 19214 is not a multiple of 15 bytes"},
    {"ottantasei voci", [] { return sim().substr(0, sim().size() - 37); }, stazioni,
     "86 station slots instead of 87"},
    {"un byte in piu'", [] { return sim() + '\0'; }, stazioni,
     "1 byte(s) past the 87 station slots"},
    {"nome troncato", [] { return sim().substr(0, 34 + 16 + 2); }, stazioni,
     "slot 1: file ends early at byte 50"},
    {"nome di lunghezza negativa", [] { return std::string(14, '\0') + "\xFF\xFF"; }, stazioni,
     "slot 0: negative name length"},
    {"etichetta sconosciuta",
     [] { return "\x03" + file_spedito("ARONA_DOMODOSSOLA_linea.dat").substr(1); }, tracciato,
     "invalid tag 3 at byte 0"},
    {"dimensione dispari", [] { return std::string(7, '\0'); }, tracciato, "odd size 7"},
    {"meta' diseguali", meta_diseguali, tracciato,
     "the two halves differ in length: 64005 x points and 64001 y points"},
    {"reale senza valore", [] { return std::string("\0\0\0\0\0\0\x05\0", 8); }, tracciato,
     "file ends early at byte 8"},
    {"elemento a cavallo",
     [] { return std::string("\x02\x00\x00\x00\x05", 6) + std::string(14, '\0'); }, tracciato,
     "an element of the x half runs past the middle of the file (byte 10)"},
};

TEST(FileRiletti, ByteFuoriFormatoDiconoPerche) {
  for (const caso_guasto& c : casi_guasti) {
    try {
      const std::string letto = c.leggi(c.byte());
      ADD_FAILURE() << c.nome << ": read without error as " << letto;
    } catch (const formato_non_valido& e) {
      EXPECT_EQ(std::string(e.what()), c.messaggio) << c.nome;
    }
  }
}

TEST(CodiciIdentita, DaiNomiComeDallaTimbratura) {
  const codici_identita spediti = calcola_codici_identita("ARONA_DOMODOSSOLA", "324");
  EXPECT_EQ(spediti, (codici_identita{35131, 2530}));
  EXPECT_EQ(spedito().s.tabella_stazioni[voce_linea].orario, spediti.pesato);
  EXPECT_EQ(spedito().s.percorso[1].dato_2, spediti.semplice);
  EXPECT_EQ(calcola_codici_identita("arona_domodossola", "324"), spediti);
  EXPECT_NE(calcola_codici_identita("ARONA_DOMODOSSOLA", "325"), spediti);
  // Only 25 characters count: past them a name changes nothing.
  EXPECT_EQ(calcola_codici_identita("ABCDEFGHIJKLMNOPQRSTUVWXY", "1"),
            calcola_codici_identita("ABCDEFGHIJKLMNOPQRSTUVWXYZZZ", "1"));
}

}  // namespace
}  // namespace scenario
