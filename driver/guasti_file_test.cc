// File faults injected under a real run of the package: a folder it may not write, a
// directory or a symbolic link where an output or its temporary name goes, a write cut short
// by a file-size limit. Each run must end with status 4 and one message naming the file,
// keep every output of an earlier good run as it was, and leave no temporary file behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <ostream>
#include <string>

#include "tests/pacchetto_in_cartella.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;
using test::cartella_pacchetto;
using test::condizioni;
using test::esito_processo;

constexpr const char* testo_linea = "ARONA_DOMODOSSOLA_linea.txt";
constexpr const char* testo_treno = "ARONA_DOMODOSSOLA_324-.txt";

// Every output in the order the run writes it.
const char* const uscite[] = {testo_linea,
                              testo_treno,
                              "ARONA_DOMODOSSOLA_324_note.txt",
                              "ARONA_DOMODOSSOLA_324_rallentamenti.txt",
                              "ARONA_DOMODOSSOLA_324_scheda_treno.txt",
                              "ARONA_DOMODOSSOLA_linea.dat",
                              "ARONA_DOMODOSSOLA_324.sim",
                              "ARONA_DOMODOSSOLA_324.dat"};

std::string nome_di_test(std::string nome) {
  std::replace_if(
      nome.begin(), nome.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
  return nome;
}

class GuastiFile : public ::testing::Test {
 protected:
  // A good run first: its outputs are what every faulty run must leave intact.
  void SetUp() override {
    const esito_processo e = cartella_.esegui();
    ASSERT_EQ(e.stato, 0) << e.errori;
    buone_ = cartella_.contenuto();
    ASSERT_EQ(buone_.size(), 6u);
  }

  fs::path in_cartella(const std::string& nome) const { return cartella_.percorso() / nome; }

  // `nome` is the output that fails; `piantato` the name where the test put something of
  // its own (not a regular file, so not among the files read back), or empty.
  void verifica_guasto(const esito_processo& e, const std::string& nome,
                       const std::string& piantato = "") const {
    EXPECT_EQ(e.stato, 4) << e.errori;
    EXPECT_EQ(e.errori.rfind("impossibile scrivere ", 0), 0u) << e.errori;
    EXPECT_NE(e.errori.find(nome), std::string::npos) << e.errori;
    EXPECT_EQ(std::count(e.errori.begin(), e.errori.end(), '\n'), 1) << e.errori;
    auto trovate = cartella_.contenuto();
    // The two text sources may be left by a run stopped before the compiler deleted them.
    for (const char* testo : {testo_linea, testo_treno}) trovate.erase(testo);
    auto attese = buone_;
    attese.erase(piantato);
    EXPECT_EQ(test::differenza(attese, trovate), "");
    for (const auto& voce : fs::directory_iterator(cartella_.percorso())) {
      const std::string n = voce.path().filename().string();
      EXPECT_TRUE(!n.ends_with(".tmp") || n == piantato) << "file temporaneo lasciato: " << n;
    }
  }

  cartella_pacchetto cartella_;
  std::map<std::string, std::string> buone_;
};

// Root ignores permission bits, so the run then drops to an unprivileged user.
TEST_F(GuastiFile, CartellaNonScrivibile) {
  fs::permissions(cartella_.percorso(), fs::perms(0555));
  const condizioni senza_privilegi{.dimensione_massima_file = std::nullopt,
                                   .senza_privilegi = true};
  const auto scrive = test::puo_scrivere(cartella_.percorso(), senza_privilegi);
  if (!scrive) {
    GTEST_SKIP() << "impossibile eseguire come utente " << test::utente_senza_privilegi
                 << " (setuid rifiutato): la cartella non scrivibile non si puo' provare";
  }
  if (*scrive) {
    GTEST_SKIP() << "i permessi della cartella non fermano le scritture di questo utente";
  }
  const esito_processo e = cartella_.esegui(senza_privilegi);
  verifica_guasto(e, testo_linea);
  EXPECT_EQ(test::differenza(buone_, cartella_.contenuto()), "");
}

class DirectoryAlPosto : public GuastiFile, public ::testing::WithParamInterface<const char*> {};

TEST_P(DirectoryAlPosto, DiUnUscita) {
  const fs::path posto = in_cartella(GetParam());
  fs::remove(posto);
  fs::create_directory(posto);
  test::scrivi_file(posto / "dentro", "resta");
  verifica_guasto(cartella_.esegui(), GetParam(), GetParam());
  EXPECT_TRUE(fs::is_directory(fs::symlink_status(posto)));
  EXPECT_EQ(test::leggi_file(posto / "dentro"), "resta");
}

INSTANTIATE_TEST_SUITE_P(OgniUscita, DirectoryAlPosto, ::testing::ValuesIn(uscite),
                         [](const auto& caso) { return nome_di_test(caso.param); });

struct caso_limite {
  rlim_t byte;
  const char* nome;  // the first output longer than the limit
};

void PrintTo(const caso_limite& c, std::ostream* out) { *out << c.byte << " byte, " << c.nome; }

class LimiteDimensione : public GuastiFile, public ::testing::WithParamInterface<caso_limite> {};

// The write stops half-way with EFBIG: the old copy stays, nothing partial takes its place.
TEST_P(LimiteDimensione, InterrompeLaScrittura) {
  const caso_limite c = GetParam();
  verifica_guasto(cartella_.esegui({.dimensione_massima_file = c.byte, .senza_privilegi = false}),
                  c.nome);
  if (!buone_.contains(c.nome)) {
    EXPECT_FALSE(fs::exists(in_cartella(c.nome)));
  }
}

// 3536 bytes of line text; 1,279,964 bytes of track plan, written in 64 KiB blocks.
INSTANTIATE_TEST_SUITE_P(Casi, LimiteDimensione,
                         ::testing::Values(caso_limite{2000, testo_linea},
                                           caso_limite{100000, "ARONA_DOMODOSSOLA_linea.dat"}),
                         [](const auto& caso) { return std::to_string(caso.param.byte); });

struct caso_collegamento {
  const char* nome;
  bool al_temporaneo;     // the link stands at NAME.tmp, the fixed temporary name of old runs
  bool bersaglio_esiste;  // the link points to an existing file or to nothing
};

void PrintTo(const caso_collegamento& c, std::ostream* out) {
  *out << c.nome << (c.al_temporaneo ? ".tmp" : "") << " -> "
       << (c.bersaglio_esiste ? "file esterno" : "nulla");
}

class Collegamento : public GuastiFile, public ::testing::WithParamInterface<caso_collegamento> {
 protected:
  void SetUp() override {
    GuastiFile::SetUp();
    std::string modello = (fs::temp_directory_path() / "fuori_XXXXXX").string();
    ASSERT_NE(::mkdtemp(modello.data()), nullptr);
    fuori_ = modello;
  }
  void TearDown() override { fs::remove_all(fuori_); }
  fs::path fuori_;
};

// The link's target outside the folder is neither written nor created. A link at NAME.tmp is
// in nobody's way: each run writes to temporaries of its own.
TEST_P(Collegamento, NonVieneSeguito) {
  const caso_collegamento c = GetParam();
  const fs::path bersaglio = fuori_ / "bersaglio";
  if (c.bersaglio_esiste) test::scrivi_file(bersaglio, "fuori dalla cartella\n");
  const std::string piantato = std::string(c.nome) + (c.al_temporaneo ? ".tmp" : "");
  fs::remove(in_cartella(piantato));
  fs::create_symlink(bersaglio, in_cartella(piantato));
  if (c.al_temporaneo) {
    const esito_processo e = cartella_.esegui();
    EXPECT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(test::differenza(buone_, cartella_.contenuto()), "");
  } else {
    verifica_guasto(cartella_.esegui(), c.nome, piantato);
  }
  EXPECT_EQ(fs::read_symlink(in_cartella(piantato)), bersaglio);
  if (c.bersaglio_esiste) {
    EXPECT_EQ(test::leggi_file(bersaglio), "fuori dalla cartella\n");
  } else {
    EXPECT_FALSE(fs::exists(fs::symlink_status(bersaglio)));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Casi, Collegamento,
    ::testing::Values(caso_collegamento{testo_linea, false, true},
                      caso_collegamento{testo_linea, true, true},
                      caso_collegamento{"ARONA_DOMODOSSOLA_324_note.txt", true, false},
                      caso_collegamento{"ARONA_DOMODOSSOLA_linea.dat", false, true},
                      caso_collegamento{"ARONA_DOMODOSSOLA_324.sim", false, false},
                      caso_collegamento{"ARONA_DOMODOSSOLA_324.dat", true, true}),
    [](const auto& caso) {
      return nome_di_test(caso.param.nome) + (caso.param.al_temporaneo ? "_tmp" : "") +
             (caso.param.bersaglio_esiste ? "" : "_verso_il_nulla");
    });

}  // namespace
}  // namespace scenario
