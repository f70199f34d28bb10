// When serve reads the sources after changes, on a clock of the test's own: a save is read
// once the folder has been quiet for 10 ms, a burst 100 ms after its first change at the
// latest, and a thousand saves a second are read a few times, not a thousand.
#include "tools/serve/raccolta_cambiamenti.h"

#include <gtest/gtest.h>

namespace scenario::strumento {
namespace {

using orologio = raccolta_cambiamenti::orologio;
using ms = std::chrono::milliseconds;

const orologio::time_point t0{};

raccolta_cambiamenti raccolta() { return {quiete_cartella, attesa_massima_cartella}; }

TEST(RaccoltaCambiamenti, NienteSenzaCambiamenti) {
  const raccolta_cambiamenti r = raccolta();
  EXPECT_FALSE(r.scadenza());
  EXPECT_FALSE(r.pronta(t0 + ms(1000)));
}

TEST(RaccoltaCambiamenti, UnSalvataggioLettoDopoLaQuiete) {
  raccolta_cambiamenti r = raccolta();
  r.cambiamento(t0);
  EXPECT_EQ(r.scadenza(), t0 + ms(10));
  EXPECT_FALSE(r.pronta(t0 + ms(9)));
  EXPECT_TRUE(r.pronta(t0 + ms(10)));
  // Each change within the quiet moves it on.
  r.cambiamento(t0 + ms(9));
  EXPECT_FALSE(r.pronta(t0 + ms(18)));
  EXPECT_TRUE(r.pronta(t0 + ms(19)));
}

TEST(RaccoltaCambiamenti, UnaRafficaLettaAlPiuTardiDopo100ms) {
  raccolta_cambiamenti r = raccolta();
  for (int t = 0; t <= 95; t += 5) r.cambiamento(t0 + ms(t));
  EXPECT_EQ(r.scadenza(), t0 + ms(100));
  EXPECT_FALSE(r.pronta(t0 + ms(99)));
  EXPECT_TRUE(r.pronta(t0 + ms(100)));
}

TEST(RaccoltaCambiamenti, DopoLaLetturaUnaRafficaNuova) {
  raccolta_cambiamenti r = raccolta();
  r.cambiamento(t0);
  r.letta();
  EXPECT_FALSE(r.scadenza());
  EXPECT_FALSE(r.pronta(t0 + ms(1000)));
  // The next burst counts from its own first change, not from the one read.
  r.cambiamento(t0 + ms(500));
  for (int t = 505; t <= 595; t += 5) r.cambiamento(t0 + ms(t));
  EXPECT_FALSE(r.pronta(t0 + ms(599)));
  EXPECT_TRUE(r.pronta(t0 + ms(600)));
}

// One save a millisecond for a second, in the order the server meets them (the change, then
// the question): read at 100 ms, 201 ms, ... as the sources stand then, nine times in all.
TEST(RaccoltaCambiamenti, MilleSalvataggiAlSecondo) {
  raccolta_cambiamenti r = raccolta();
  int letture = 0;
  for (int t = 0; t < 1000; ++t) {
    r.cambiamento(t0 + ms(t));
    if (r.pronta(t0 + ms(t))) {
      r.letta();
      ++letture;
    }
  }
  EXPECT_EQ(letture, 9);
  // The last saves are read once the folder is quiet.
  EXPECT_EQ(r.scadenza(), t0 + ms(999 + 10));
}

}  // namespace
}  // namespace scenario::strumento
