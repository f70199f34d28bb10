// The package's outputs depend on its content alone: two fresh folders, at paths of different
// lengths, and a second run over the first run's outputs all receive the same bytes. (The
// normal and the sanitizer builds are compared by scripts/confronta_pacchetti.sh.)
#include <gtest/gtest.h>

#include "tests/pacchetto_in_cartella.h"

namespace scenario {
namespace {

TEST(Determinismo, StessiByteInOgniCartellaEInOgniEsecuzione) {
  test::cartella_pacchetto a;
  test::cartella_pacchetto b;
  const auto prima = a.esegui();
  ASSERT_EQ(prima.stato, 0) << prima.errori;
  const auto uscite = a.contenuto();
  ASSERT_EQ(uscite.size(), 6u);
  ASSERT_EQ(b.esegui().stato, 0);
  EXPECT_EQ(test::differenza(uscite, b.contenuto()), "");
  ASSERT_EQ(a.esegui().stato, 0);
  EXPECT_EQ(test::differenza(uscite, a.contenuto()), "");
}

}  // namespace
}  // namespace scenario
