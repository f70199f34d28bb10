// The compile of a folder: the compiled files replaced as a set, sources consumed only when
// asked, nothing written while another run holds the folder.
#include "run/compila_in_cartella.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>

#include "io/blocco.h"
#include "io/cartella.h"
#include "tests/corse_in_cartella.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

constexpr const char* linea = "ARONA_DOMODOSSOLA_linea.txt";
constexpr const char* treno = "ARONA_DOMODOSSOLA_324-.txt";

class CompilaInCartella : public test::cartella_di_prova {
 protected:
  void sorgenti(const std::string& testo_linea, const std::string& testo_treno) {
    test::scrivi_file(cartella_ / linea, testo_linea);
    test::scrivi_file(cartella_ / treno, testo_treno);
  }
  void vecchi() {
    for (const auto& [nome, byte] : test::compilati_buoni()) {
      test::scrivi_file(cartella_ / nome, "vecchio " + nome);
    }
  }
  // The compile of the folder under its lock: the package's, which consumes the sources, or
  // the tool's.
  compilazione_in_cartella compila(bool consuma) const {
    const blocco_cartella blocco(cartella_);
    cartella_su_disco file(cartella_);
    return compila_in_cartella(file, opzioni_compilazione{}, consuma);
  }
  std::map<std::string, std::string> vecchi_attesi() const {
    std::map<std::string, std::string> attesi;
    for (const auto& [nome, byte] : test::compilati_buoni()) attesi[nome] = "vecchio " + nome;
    return attesi;
  }
};

TEST_F(CompilaInCartella, ConsumaISorgentiSoloSeRichiesto) {
  for (const bool consuma : {false, true}) {
    sorgenti(test::linea_spedita(), test::treno_spedito());
    const compilazione_in_cartella r = compila(consuma);
    EXPECT_EQ(r.stato, uscita_ok);
    EXPECT_EQ(r.c.risultato.codice, 0);
    auto attesi = test::compilati_buoni();
    if (!consuma) {
      attesi[linea] = test::linea_spedita();
      attesi[treno] = test::treno_spedito();
    }
    EXPECT_EQ(contenuto(), attesi) << (consuma ? "consumati" : "tenuti");
  }
}

// A failure on the last compiled file leaves the first two as they were, too.
TEST_F(CompilaInCartella, UnGuastoLasciaTuttoIlVecchioInsieme) {
  sorgenti(test::linea_spedita(), test::treno_spedito());
  vecchi();
  fs::remove(cartella_ / "ARONA_DOMODOSSOLA_324.dat");
  fs::create_directory(cartella_ / "ARONA_DOMODOSSOLA_324.dat");
  const compilazione_in_cartella r = compila(true);
  EXPECT_EQ(r.stato, uscita_file);
  ASSERT_TRUE(r.errore);
  EXPECT_EQ(std::string(r.errore->what()),
            "impossibile scrivere " + (cartella_ / "ARONA_DOMODOSSOLA_324.dat").string() +
                ": al suo posto c'e' un elemento che non e' un file: Is a directory");
  auto attesi = vecchi_attesi();
  attesi.erase("ARONA_DOMODOSSOLA_324.dat");
  attesi[linea] = test::linea_spedita();
  attesi[treno] = test::treno_spedito();
  EXPECT_EQ(contenuto(), attesi) << "old files, sources not consumed, no temporary";
}

TEST_F(CompilaInCartella, ErroreDiIdentitaNonScriveNulla) {
  sorgenti(test::linea_minima(), test::treno_minimo("rallentamento, 0, 50, 200, 0, 0, 0\r\n"));
  vecchi();
  const compilazione_in_cartella r = compila(true);
  EXPECT_EQ(r.stato, uscita_identita);
  EXPECT_EQ(r.c.risultato.errore_identita, 1250);
  EXPECT_EQ(contenuto(), vecchi_attesi()) << "sources consumed by the rules, nothing written";
}

TEST_F(CompilaInCartella, CartellaOccupata) {
  const blocco_cartella altro(cartella_);
  EXPECT_EQ(test::corsa_pacchetto(cartella_, std::chrono::milliseconds{200}), uscita_occupata);
  EXPECT_EQ(test::corsa_strumento(cartella_, std::chrono::milliseconds{200}), uscita_occupata);
  EXPECT_EQ(contenuto(), (std::map<std::string, std::string>{{nome_file_blocco, ""}}));
}

}  // namespace
}  // namespace scenario
