// The readers of the compiled files: the shipped scenario read back equals the model that
// wrote it, and bytes that do not fit a layout are refused with the reason.
#include <gtest/gtest.h>

#include <string>

#include "compiler/file_binari.h"
#include "compiler/identita.h"
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

TEST(FileRiletti, TracciatoSpeditoTornaConEtichetteEValori) {
  const punti_tracciato& t = spedito().s.tracciato;
  const tracciato_letto letto = leggi_tracciato(file_spedito("ARONA_DOMODOSSOLA_linea.dat"));
  ASSERT_EQ(letto.x.size(), t.x.size());
  ASSERT_EQ(letto.y.size(), t.y.size());
  for (std::size_t i = 0; i < t.x.size(); ++i) {
    const auto tipo = t.tipo_punto(static_cast<int64_t>(i));
    const int16_t etichetta = tipo == punti_tracciato::etichetta::vuoto    ? etichetta_vuoto
                              : tipo == punti_tracciato::etichetta::intero ? etichetta_intero
                                                                           : etichetta_reale;
    ASSERT_EQ(letto.x[i].etichetta, etichetta) << "point " << i;
    ASSERT_EQ(letto.y[i].etichetta, etichetta) << "point " << i;
    if (etichetta == etichetta_vuoto) continue;
    ASSERT_EQ(letto.x[i].valore, t.x[i]) << "point " << i;
    ASSERT_EQ(letto.y[i].valore, t.y[i]) << "point " << i;
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
     percorso, "dimensione 19214 non multipla di 15 byte"},
    {"ottantasei voci", [] { return sim().substr(0, sim().size() - 37); }, stazioni,
     "86 voci di stazione invece di 87"},
    {"un byte in piu'", [] { return sim() + '\0'; }, stazioni,
     "1 byte oltre le 87 voci di stazione"},
    {"nome troncato", [] { return sim().substr(0, 34 + 16 + 2); }, stazioni,
     "voce 1: file troncato al byte 50"},
    {"nome di lunghezza negativa", [] { return std::string(14, '\0') + "\xFF\xFF"; }, stazioni,
     "voce 0: lunghezza del nome negativa"},
    {"etichetta sconosciuta",
     [] { return "\x03" + file_spedito("ARONA_DOMODOSSOLA_linea.dat").substr(1); }, tracciato,
     "etichetta 3 non valida al byte 0"},
    {"dimensione dispari", [] { return std::string(7, '\0'); }, tracciato, "dimensione 7 dispari"},
    {"meta' diseguali", meta_diseguali, tracciato,
     "le due meta' hanno lunghezze diverse: 64005 punti x e 64001 punti y"},
    {"elemento a cavallo",
     [] { return std::string("\x02\x00\x00\x00\x05", 6) + std::string(14, '\0'); }, tracciato,
     "un elemento della meta' x passa la meta' del file (byte 10)"},
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
