// The package's run sequence in this process, with a short wait for the folder's lock: the
// sources it wrote go again when it fails, and a busy folder ends it with its message.
#include "run/esecuzione.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>

#include "io/blocco.h"
#include "run/interfaccia_utente.h"
#include "run/stati_uscita.h"
#include "sources/carico_spedito.h"
#include "tests/corse_in_cartella.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

constexpr const char* linea = "ARONA_DOMODOSSOLA_linea.txt";
constexpr const char* treno = "ARONA_DOMODOSSOLA_324-.txt";

class EsecuzionePacchetto : public test::cartella_di_prova {};

// The compiled files cannot be written: status 4, and the sources it wrote are gone with its
// temporaries; its documents and the old compiled files stay.
TEST_F(EsecuzionePacchetto, NonLasciaISuoiSorgenti) {
  for (const auto& [nome, byte] : test::compilati_buoni()) {
    test::scrivi_file(cartella_ / nome, "vecchio " + nome);
  }
  fs::remove(cartella_ / "ARONA_DOMODOSSOLA_324.sim");
  fs::create_directory(cartella_ / "ARONA_DOMODOSSOLA_324.sim");
  EXPECT_EQ(test::corsa_pacchetto(cartella_), uscita_file);
  const auto trovati = contenuto();
  EXPECT_FALSE(trovati.contains(linea));
  EXPECT_FALSE(trovati.contains(treno));
  EXPECT_EQ(trovati.at("ARONA_DOMODOSSOLA_linea.dat"), "vecchio ARONA_DOMODOSSOLA_linea.dat");
  EXPECT_EQ(trovati.at("ARONA_DOMODOSSOLA_324.dat"), "vecchio ARONA_DOMODOSSOLA_324.dat");
  EXPECT_TRUE(trovati.contains("ARONA_DOMODOSSOLA_324_note.txt"));
  EXPECT_EQ(trovati.size(), 5u);
}

// The train service cannot be written (a folder stands at its name): the line text written
// before it goes again, and what the run did not write stays.
TEST_F(EsecuzionePacchetto, RimuoveSoloQuelCheHaScritto) {
  fs::create_directory(cartella_ / treno);
  EXPECT_EQ(test::corsa_pacchetto(cartella_), uscita_file);
  EXPECT_FALSE(fs::exists(cartella_ / linea));
  EXPECT_TRUE(fs::is_directory(cartella_ / treno));
}

// What killed runs left beside every file the package writes (sources, documents, compiled
// files) goes before it writes; what is not named as a run names its leftovers, or belongs to
// another route, stays.
TEST_F(EsecuzionePacchetto, RimuoveIRestiDelleCorseUccise) {
  const struct {
    const char* nome;
    bool resta;
  } casi[] = {
      {"ARONA_DOMODOSSOLA_linea.txt.9.4.tmp", false},
      {"ARONA_DOMODOSSOLA_324-.txt.9.4.tmp", false},
      {"ARONA_DOMODOSSOLA_324_note.txt.9.4.tmp", false},
      {"ARONA_DOMODOSSOLA_324_scheda_treno.txt.9.4.tmp", false},
      {"ARONA_DOMODOSSOLA_324.sim.9.4.tmp", false},
      {"ARONA_DOMODOSSOLA_linea.dat.9.4.old", false},
      {"ARONA_DOMODOSSOLA_324.dat.9.4.absent", false},
      {"ARONA_DOMODOSSOLA_linea.txt.9.4.tmp.x", true},
      {"ARONA_DOMODOSSOLA_linea.txt.9.tmp", true},
      {"ALTRA_linea.txt.9.4.tmp", true},
  };
  for (const auto& k : casi) {
    for (const auto& voce : fs::directory_iterator(cartella_)) fs::remove(voce.path());
    test::scrivi_file(cartella_ / k.nome, "lasciato");
    EXPECT_EQ(test::corsa_pacchetto(cartella_), uscita_ok) << k.nome;
    EXPECT_EQ(fs::exists(cartella_ / k.nome), k.resta) << k.nome;
    EXPECT_EQ(contenuto().at("ARONA_DOMODOSSOLA_324.sim"),
              test::compilati_buoni().at("ARONA_DOMODOSSOLA_324.sim"))
        << k.nome;
  }
}

// Another run holding the folder: the run waits, then ends with status 6 and the message in
// the package's words, having written nothing.
TEST_F(EsecuzionePacchetto, CartellaOccupata) {
  const blocco_cartella altro(cartella_);
  interfaccia_senza_finestra senza_finestra;
  ::testing::internal::CaptureStderr();
  const int stato =
      esegui_pacchetto(cartella_, carico_spedito(), senza_finestra, std::chrono::seconds{1});
  const std::string errori = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(stato, uscita_occupata);
  EXPECT_EQ(errori, "cartella " + cartella_.string() +
                        " occupata da un'altra esecuzione (attesa massima 1 s): nulla e' stato "
                        "scritto\n");
  EXPECT_EQ(contenuto(), (std::map<std::string, std::string>{{nome_file_blocco, ""}}));
}

// A file at a source name that the run did not write (an author's edited source, when a
// package runs in its route folder) stops the run before it writes or deletes anything; a
// copy byte for byte the payload's, as a killed run leaves it, does not.
TEST_F(EsecuzionePacchetto, UnSorgenteAltruiFermaLaCorsa) {
  const std::string linea_spedita = test::linea_spedita(), treno_spedito = test::treno_spedito();
  struct caso {
    const char* nome;
    const char* file;
    std::string contenuto;
    int stato;
  };
  const caso casi[] = {
      {"linea modificata", linea, linea_spedita.substr(0, 100) + "X" + linea_spedita.substr(101),
       uscita_file_altrui},
      {"treno piu' corto di un byte", treno, treno_spedito.substr(0, treno_spedito.size() - 1),
       uscita_file_altrui},
      {"treno piu' lungo di un byte", treno, treno_spedito + "X", uscita_file_altrui},
      {"treno vuoto", treno, "", uscita_file_altrui},
      {"linea lasciata da una corsa interrotta", linea, linea_spedita, uscita_ok},
      {"treno lasciato da una corsa interrotta", treno, treno_spedito, uscita_ok},
  };
  for (const caso& c : casi) {
    fs::remove_all(cartella_);
    fs::create_directories(cartella_);
    test::scrivi_file(cartella_ / c.file, c.contenuto);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(test::corsa_pacchetto(cartella_), c.stato) << c.nome;
    const std::string errori = ::testing::internal::GetCapturedStderr();
    if (c.stato == uscita_ok) {
      EXPECT_EQ(errori, "") << c.nome;
      EXPECT_EQ(contenuto().size(), 6u) << c.nome;
      EXPECT_FALSE(fs::exists(cartella_ / c.file)) << c.nome;
      continue;
    }
    EXPECT_EQ(errori, "il file " + (cartella_ / c.file).string() +
                          " non e' stato scritto da questo pacchetto: nulla e' stato scritto ne' "
                          "cancellato; eseguire il pacchetto in una cartella propria\n")
        << c.nome;
    EXPECT_EQ(contenuto(), (std::map<std::string, std::string>{{c.file, c.contenuto}})) << c.nome;
  }
}

}  // namespace
}  // namespace scenario
