// The folder's lock: a second run waits and gives up with its own error, the lock goes with
// the run that held it, killed or not, and the lock file with a run that ends.
#include "io/blocco.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "tests/aiuti_test.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

class BloccoCartella : public test::cartella_di_prova {
 protected:
  // The message of a second lock tried for one second, or "preso".
  std::string secondo() const {
    try {
      blocco_cartella b(cartella_, milliseconds{1000});
      return "preso";
    } catch (const errore_io& e) {
      return e.what();
    }
  }
  std::string occupata() const {
    return "cartella " + cartella_.string() +
           " occupata da un'altra esecuzione (attesa massima 1 s): nulla e' stato scritto";
  }
};

TEST_F(BloccoCartella, UnaSolaEsecuzioneAllaVolta) {
  {
    blocco_cartella primo(cartella_);
    EXPECT_TRUE(fs::is_regular_file(cartella_ / nome_file_blocco));
    EXPECT_EQ(secondo(), occupata());
  }
  EXPECT_FALSE(fs::exists(cartella_ / nome_file_blocco));
  EXPECT_EQ(secondo(), "preso");
}

// The system drops the lock of a killed process; the file it leaves is taken over.
TEST_F(BloccoCartella, UnaEsecuzioneUccisaNonBloccaLeAltre) {
  int tubo[2];
  ASSERT_EQ(::pipe(tubo), 0);
  const pid_t figlio = ::fork();
  ASSERT_GE(figlio, 0);
  if (figlio == 0) {
    blocco_cartella b(cartella_);
    (void)!::write(tubo[1], "x", 1);
    ::pause();
    ::_exit(0);
  }
  char c = 0;
  ASSERT_EQ(::read(tubo[0], &c, 1), 1);
  EXPECT_EQ(secondo(), occupata());
  ::kill(figlio, SIGKILL);
  ::waitpid(figlio, nullptr, 0);
  EXPECT_TRUE(fs::exists(cartella_ / nome_file_blocco));
  EXPECT_EQ(secondo(), "preso");
  ::close(tubo[0]);
  ::close(tubo[1]);
}

// Whatever stands at the lock file's name and is no lock file makes the folder unusable at
// once, named for what it is; nothing it leads to is created or opened.
TEST_F(BloccoCartella, AlPostoDelFileDiBloccoUnAltroElemento) {
  const fs::path file = cartella_ / nome_file_blocco;
  struct caso {
    const char* cosa;
    std::function<void()> pianta;
    std::string pacchetto, inglese;
  };
  const caso casi[] = {
      {"collegamento", [&] { fs::create_symlink(cartella_ / "altrove", file); },
       "e' un collegamento simbolico", "is a symbolic link"},
      {"collegamento a un file", [&] { fs::create_symlink("/etc/passwd", file); },
       "e' un collegamento simbolico", "is a symbolic link"},
      {"cartella", [&] { fs::create_directory(file); }, "e' una cartella", "is a folder"},
      {"FIFO", [&] { ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0); }, "e' una FIFO", "is a FIFO"},
  };
  for (const caso& c : casi) {
    fs::remove_all(file);
    c.pianta();
    std::string messaggio, inglese;
    try {
      blocco_cartella b(cartella_, milliseconds{5000});
    } catch (const errore_io& e) {
      EXPECT_EQ(e.tipo(), tipo_errore_io::cartella_occupata) << c.cosa;
      messaggio = e.what();
      inglese = e.inglese();
    }
    const std::string d = cartella_.string(), f = file.string();
    EXPECT_EQ(messaggio, "cartella " + d + " occupata o inutilizzabile: il suo file di blocco " +
                             f + " " + c.pacchetto + ", non un file: nulla e' stato scritto")
        << c.cosa;
    EXPECT_EQ(inglese, "folder " + d + " is busy or unusable: its lock file " + f + " " +
                           c.inglese + ", not a file: nothing was written")
        << c.cosa;
    EXPECT_FALSE(fs::exists(cartella_ / "altrove")) << c.cosa;
  }
}

}  // namespace
}  // namespace scenario
