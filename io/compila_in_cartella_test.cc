// The compile of a folder: the compiled files replaced as a set, sources consumed only when
// asked, and a package run that fails leaves none of its sources behind.
#include "io/compila_in_cartella.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

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
  // Every regular file of the folder but the given ones, with its bytes.
  std::map<std::string, std::string> contenuto() const {
    std::map<std::string, std::string> file;
    for (const auto& voce : fs::directory_iterator(cartella_)) {
      if (voce.is_regular_file())
        file[voce.path().filename().string()] = test::leggi_file(voce.path());
    }
    return file;
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
    const blocco_cartella blocco(cartella_);
    const compilazione_in_cartella r = compila_in_cartella(blocco, opzioni_compilazione{}, consuma);
    EXPECT_EQ(r.stato, uscita_ok);
    EXPECT_EQ(r.c.risultato.codice, 0);
    auto attesi = test::compilati_buoni();
    if (!consuma) {
      attesi[linea] = test::linea_spedita();
      attesi[treno] = test::treno_spedito();
    }
    attesi[nome_file_blocco] = "";
    EXPECT_EQ(contenuto(), attesi) << (consuma ? "consumati" : "tenuti");
  }
}

// A failure on the last compiled file leaves the first two as they were, too.
TEST_F(CompilaInCartella, UnGuastoLasciaTuttoIlVecchioInsieme) {
  sorgenti(test::linea_spedita(), test::treno_spedito());
  vecchi();
  fs::remove(cartella_ / "ARONA_DOMODOSSOLA_324.dat");
  fs::create_directory(cartella_ / "ARONA_DOMODOSSOLA_324.dat");
  compilazione_in_cartella r;
  {
    const blocco_cartella blocco(cartella_);
    r = compila_in_cartella(blocco, opzioni_compilazione{}, true);
  }
  EXPECT_EQ(r.stato, uscita_file);
  EXPECT_EQ(r.errore_file,
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
  {
    const blocco_cartella blocco(cartella_);
    const compilazione_in_cartella r = compila_in_cartella(blocco, opzioni_compilazione{}, true);
    EXPECT_EQ(r.stato, uscita_identita);
    EXPECT_EQ(r.c.risultato.errore_identita, 1250);
  }
  EXPECT_EQ(contenuto(), vecchi_attesi()) << "sources consumed by the rules, nothing written";
}

// The package's run when its compiled files cannot be written: status 4, and the sources it
// wrote are gone with its temporaries; its documents and the old compiled files stay.
TEST_F(CompilaInCartella, IlPacchettoNonLasciaISuoiSorgenti) {
  vecchi();
  fs::remove(cartella_ / "ARONA_DOMODOSSOLA_324.sim");
  fs::create_directory(cartella_ / "ARONA_DOMODOSSOLA_324.sim");
  EXPECT_EQ(test::corsa_pacchetto(cartella_), 4);
  const auto trovati = contenuto();
  EXPECT_FALSE(trovati.contains(linea));
  EXPECT_FALSE(trovati.contains(treno));
  EXPECT_EQ(trovati.at("ARONA_DOMODOSSOLA_linea.dat"), "vecchio ARONA_DOMODOSSOLA_linea.dat");
  EXPECT_EQ(trovati.at("ARONA_DOMODOSSOLA_324.dat"), "vecchio ARONA_DOMODOSSOLA_324.dat");
  EXPECT_TRUE(trovati.contains("ARONA_DOMODOSSOLA_324_note.txt"));
  EXPECT_EQ(trovati.size(), 5u);
}

// A run whose train service cannot be written (a folder stands at its name) removes the line
// text it wrote before, and leaves alone what it did not write.
TEST_F(CompilaInCartella, IlPacchettoRimuoveSoloQuelCheHaScritto) {
  fs::create_directory(cartella_ / treno);
  EXPECT_EQ(test::corsa_pacchetto(cartella_), 4);
  EXPECT_FALSE(fs::exists(cartella_ / linea));
  EXPECT_TRUE(fs::is_directory(cartella_ / treno));
}

TEST_F(CompilaInCartella, CartellaOccupata) {
  const blocco_cartella altro(cartella_);
  EXPECT_EQ(test::corsa_pacchetto(cartella_, std::chrono::milliseconds{200}), uscita_occupata);
  EXPECT_EQ(test::corsa_strumento(cartella_, std::chrono::milliseconds{200}), uscita_occupata);
  EXPECT_EQ(contenuto(), (std::map<std::string, std::string>{{nome_file_blocco, ""}}));
}

}  // namespace
}  // namespace scenario
