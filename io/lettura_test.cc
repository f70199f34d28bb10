// Reading a source: what is not a regular file, or is above the limit, is refused with a
// message, without hanging on a FIFO or reading a device without end; a link is refused
// without a word of what it leads to, unless the caller follows links.
#include "io/lettura.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "tests/aiuti_test.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

class LetturaSorgente : public test::cartella_di_prova {
 protected:
  fs::path sorgente() const { return cartella_ / "R_linea.txt"; }

  // The message of the refusal, the package's then the tool's separated by " | ", or
  // "letto N byte" when the read succeeded.
  std::string esito() const {
    try {
      const auto testo = leggi_sorgente(sorgente());
      return testo ? "letto " + std::to_string(testo->size()) + " byte" : "assente";
    } catch (const errore_io& e) {
      return std::string(e.what()) + " | " + e.inglese();
    }
  }

  void di_dimensione(std::uint64_t byte) const {
    test::scrivi_file(sorgente(), "");
    fs::resize_file(sorgente(), byte);  // sparse: no disk space taken
  }
};

TEST_F(LetturaSorgente, CosaSiTrovaAlPostoDelSorgente) {
  const std::string nome = sorgente().string();
  struct caso {
    const char* cosa;
    std::function<void()> prepara;
    std::string atteso;
  };
  const std::string collegamento = "impossibile leggere " + nome +
                                   ": e' un collegamento simbolico, non un file | cannot read " +
                                   nome + ": a symbolic link, not a file";
  const caso casi[] = {
      {"nulla", [] {}, "assente"},
      {"un collegamento verso il nulla",
       [&] { fs::create_symlink(cartella_ / "non_c_e", sorgente()); }, collegamento},
      {"un collegamento a un file fuori dalla cartella",
       [&] { fs::create_symlink("/etc/passwd", sorgente()); }, collegamento},
      {"un collegamento a un file della cartella",
       [&] {
         test::scrivi_file(cartella_ / "vero", "x");
         fs::create_symlink("vero", sorgente());
       },
       collegamento},
      {"un file", [&] { test::scrivi_file(sorgente(), "[generale]\r\n"); }, "letto 12 byte"},
      {"un file vuoto", [&] { test::scrivi_file(sorgente(), ""); }, "letto 0 byte"},
      {"una cartella", [&] { fs::create_directory(sorgente()); },
       "impossibile leggere " + nome + ": e' una cartella, non un file | cannot read " + nome +
           ": a folder, not a file"},
      {"una FIFO", [&] { ASSERT_EQ(::mkfifo(sorgente().c_str(), 0644), 0); },
       "impossibile leggere " + nome + ": non e' un file regolare | cannot read " + nome +
           ": not a regular file"},
      {"un collegamento a /dev/zero", [&] { fs::create_symlink("/dev/zero", sorgente()); },
       collegamento},
      {"64 MB esatti", [&] { di_dimensione(dimensione_massima_sorgente); }, "letto 67108864 byte"},
      {"un byte oltre 64 MB", [&] { di_dimensione(dimensione_massima_sorgente + 1); },
       "impossibile leggere " + nome + ": supera il limite di 64 MB | cannot read " + nome +
           ": larger than the 64 MB limit"},
  };
  for (const caso& c : casi) {
    fs::remove_all(sorgente());
    c.prepara();
    EXPECT_EQ(esito(), c.atteso) << c.cosa;
  }
}

// A device opened and refused, never read; making one needs the right to (root, here).
TEST_F(LetturaSorgente, UnDispositivoNonSiLegge) {
  if (::mknod(sorgente().c_str(), S_IFCHR | 0644, makedev(1, 5)) != 0) {
    GTEST_SKIP() << "mknod rifiutato: il dispositivo non si puo' provare";
  }
  const std::string nome = sorgente().string();
  EXPECT_EQ(esito(), "impossibile leggere " + nome + ": non e' un file regolare | cannot read " +
                         nome + ": not a regular file");
}

// A program named by the user may be a link, and is then read through it.
TEST_F(LetturaSorgente, UnProgrammaSiLeggeAttraversoIlCollegamento) {
  test::scrivi_file(cartella_ / "vero", "programma");
  fs::create_symlink("vero", sorgente());
  const auto letto = leggi_sorgente(sorgente(), collegamenti::seguiti);
  ASSERT_TRUE(letto);
  EXPECT_EQ(*letto, "programma");
}

// Root reads whatever the permission bits say, so the case needs an ordinary user.
TEST_F(LetturaSorgente, FileIlleggibile) {
  test::scrivi_file(sorgente(), "x");
  fs::permissions(sorgente(), fs::perms::none);
  if (::geteuid() == 0) GTEST_SKIP() << "root legge anche un file senza permessi";
  EXPECT_EQ(esito(), "impossibile leggere " + sorgente().string() +
                         ": apertura: Permission denied | " + "cannot read " + sorgente().string() +
                         ": opening: Permission denied");
}

}  // namespace
}  // namespace scenario
