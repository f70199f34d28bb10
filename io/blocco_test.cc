// The folder's lock: a second run waits and gives up with its own error, the lock goes with
// the run that held it, killed or not, and the lock file with a run that ends.
#include "io/blocco.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

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

TEST_F(BloccoCartella, CollegamentoAlPostoDelFileDiBlocco) {
  fs::create_symlink(cartella_ / "altrove", cartella_ / nome_file_blocco);
  std::string messaggio;
  std::string inglese;
  try {
    blocco_cartella b(cartella_);
  } catch (const errore_io& e) {
    messaggio = e.what();
    inglese = e.inglese();
  }
  const std::string file = (cartella_ / nome_file_blocco).string();
  EXPECT_EQ(messaggio, "impossibile scrivere " + file +
                           ": blocco della cartella: Too many levels of symbolic links");
  EXPECT_EQ(inglese,
            "cannot write " + file + ": locking the folder: Too many levels of symbolic links");
  EXPECT_FALSE(fs::exists(cartella_ / "altrove"));
}

}  // namespace
}  // namespace scenario
