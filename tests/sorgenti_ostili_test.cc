// scenario-tool compile over hostile folders: a source that is a link, a folder, a FIFO or
// larger than 64 MB ends with status 4 and one message, never an abort or a hang, and writes
// nothing; route and train names that are not portable file names are refused.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>

#include "io/blocco.h"
#include "tests/aiuti_test.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

class SorgentiOstili : public test::cartella_di_prova {};

TEST_F(SorgentiOstili, SoloFileRegolariEntroIlLimite) {
  const std::string linea = "ARONA_DOMODOSSOLA_linea.txt";
  const std::string treno = "ARONA_DOMODOSSOLA_324-.txt";
  struct caso {
    const char* cosa;
    std::string posto;
    std::function<void(const fs::path&)> pianta;
    std::string perche;
  };
  const caso casi[] = {
      {"cartella come testo della linea", linea, [](const fs::path& p) { fs::create_directory(p); },
       "a folder, not a file"},
      {"cartella come servizio del treno", treno,
       [](const fs::path& p) { fs::create_directory(p); }, "a folder, not a file"},
      {"FIFO", linea, [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); },
       "not a regular file"},
      {"/dev/zero", treno, [](const fs::path& p) { fs::create_symlink("/dev/zero", p); },
       "a symbolic link, not a file"},
      {"oltre 64 MB", linea,
       [](const fs::path& p) {
         test::scrivi_file(p, "");
         fs::resize_file(p, (std::uintmax_t{64} << 20) + 1);
       },
       "larger than the 64 MB limit"},
  };
  for (const caso& c : casi) {
    for (const auto& voce : fs::directory_iterator(cartella_)) fs::remove_all(voce.path());
    ASSERT_EQ(esegui_strumento("export"), 0);
    fs::remove(cartella_ / c.posto);
    c.pianta(cartella_ / c.posto);
    EXPECT_EQ(esegui_strumento("compile"), 4) << c.cosa;
    EXPECT_EQ(errori_, "scenario-tool: cannot read ./" + c.posto + ": " + c.perche + "\n")
        << c.cosa;
    EXPECT_EQ(uscita_, "codice_errore=0 posizione_errore=0\n") << c.cosa;
    for (const char* uscita : {"ARONA_DOMODOSSOLA_linea.dat", "ARONA_DOMODOSSOLA_324.sim",
                               "ARONA_DOMODOSSOLA_324.dat"}) {
      EXPECT_FALSE(fs::exists(cartella_ / uscita)) << c.cosa << ": " << uscita;
    }
  }
}

// Another run holding the folder: compile waits, then ends with status 6 and the message,
// having compiled and written nothing, so no status line either.
TEST_F(SorgentiOstili, CartellaOccupataDaStato6) {
  ASSERT_EQ(esegui_strumento("export"), 0);
  {
    const blocco_cartella altro(cartella_);
    EXPECT_EQ(esegui_strumento("compile"), 6);
  }
  EXPECT_EQ(errori_,
            "scenario-tool: folder . is busy with another run (waited 10 s): nothing was "
            "written\n");
  EXPECT_EQ(uscita_, "");
  for (const char* uscita :
       {"ARONA_DOMODOSSOLA_linea.dat", "ARONA_DOMODOSSOLA_324.sim", "ARONA_DOMODOSSOLA_324.dat"}) {
    EXPECT_FALSE(fs::exists(cartella_ / uscita)) << uscita;
  }
}

TEST_F(SorgentiOstili, NomiRifiutati) {
  struct caso {
    std::string argomento;  // as the shell reads it
    std::string nome;       // as the message shows it
    std::string perche;
  };
  const caso casi[] = {
      {"--route=-rf", "-rf", "begins with \"-\""},
      {"--train=-1", "-1", "begins with \"-\""},
      {"--route=.nascosta", ".nascosta", "begins with \".\""},
      {"--train=.", ".", "begins with \".\""},
      {"--route=a..b", "a..b", "holds \"..\""},
      {"--route='*'", "*", "holds \"*\", which a file name cannot hold"},
      {"--train='7?'", "7?", "holds \"?\", which a file name cannot hold"},
      {"--route='a\"b'", "a\"b", "holds \"\"\", which a file name cannot hold"},
      {"--route='a<b'", "a<b", "holds \"<\", which a file name cannot hold"},
      {"--route='a>b'", "a>b", "holds \">\", which a file name cannot hold"},
      {"--route='a|b'", "a|b", "holds \"|\", which a file name cannot hold"},
      {"--train=C:7", "C:7", "holds \":\", which a file name cannot hold"},
      {"--route=\"$(printf 'a\\033b')\"", "a\\x1bb", "holds a character outside printable ASCII"},
      {"--route=\"$(printf 'a\\177b')\"", "a\\x7fb", "holds a character outside printable ASCII"},
  };
  for (const caso& c : casi) {
    EXPECT_EQ(esegui_strumento("compile " + c.argomento), 2) << c.argomento;
    EXPECT_EQ(errori_, "scenario-tool: the name \"" + c.nome + "\" " + c.perche + "\n")
        << c.argomento;
  }
  // The edges: a dash or a dot inside a name is fine.
  for (const char* argomento : {"--route=a-b --train=1.5", "--route=a_b.c --train=7-"}) {
    EXPECT_EQ(esegui_strumento(std::string("compile ") + argomento), 1) << argomento;
    EXPECT_EQ(errori_.find("scenario-tool: the name"), std::string::npos) << errori_;
  }
}

}  // namespace
}  // namespace scenario
