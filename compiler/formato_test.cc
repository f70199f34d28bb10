// The packing rules of the compiled cells, each written and read back by its own module:
// round trips over the valid values, and the exact bytes at the edges.
#include <cmath>

#include <gtest/gtest.h>

#include "compiler/formato_celle.h"
#include "compiler/formato_indicatore.h"
#include "compiler/formato_rallentamento.h"
#include "compiler/formato_segnale.h"

namespace scenario {
namespace {

TEST(FormatoSegnale, OgniAspettoTornaUguale) {
  for (int32_t s = 0; s <= 9; ++s) {
    for (int32_t d = 0; d <= 9; ++d) {
      for (int32_t sx = 0; sx <= 2; ++sx) {
        for (int32_t dx = 0; dx <= 2; ++dx) {
          const aspetti_segnale a{sx, s, 9 - s, d, dx, d, 9 - d, s, (s + d) % 4};
          EXPECT_EQ(spacchetta_segnale(impacchetta_segnale(a)), a) << s << d << sx << dx;
        }
      }
    }
  }
}

TEST(FormatoSegnale, ValoriNellaCella) {
  const dati_segnale_cella d = impacchetta_segnale({2, 5, 6, 0, 1, 3, 0, 9, 1});
  EXPECT_EQ(d.dato_1, 53);
  EXPECT_EQ(d.dato_2, 60);
  EXPECT_EQ(d.dato_3, 9);
  EXPECT_EQ(d.dato_4, 17);  // 1 * 10 + 2 * 3 + 1
  // A value beyond 16 bits keeps its low bits.
  EXPECT_EQ(impacchetta_segnale({0, 3277, 0, 0, 0, 0, 0, 0, 0}).dato_1, -32766);
  EXPECT_EQ(impacchetta_segnale({0, 3276, 0, 0, 0, 7, 0, 0, 0}).dato_1, 32767);
}

TEST(FormatoSegnale, CodiceDiPreavviso) {
  EXPECT_EQ(preavviso_segnale(2, 1, 1), 71);
  EXPECT_EQ(preavviso_segnale(2, 2, 4), 84);
  EXPECT_EQ(preavviso_segnale(8, 1, 7), 1);  // 257, low 8 bits
}

TEST(FormatoIndicatore, VelocitaTornanoUguali) {
  for (int32_t vs = 0; vs <= 1637; vs += 7) {
    for (int32_t vd = 0; vd <= 95; vd += 5) {
      const int64_t v = impacchetta_velocita_indicatore(vs, vd);
      ASSERT_LE(v, 32767);
      EXPECT_EQ(spacchetta_velocita_indicatore(static_cast<int16_t>(v)),
                (coppia_indicatore{vs, vd}));
    }
  }
}

TEST(FormatoIndicatore, ArrotondamentoEBordi) {
  struct caso {
    int32_t vs, vd;
    int64_t atteso;
  };
  for (const caso& c : {caso{6, 60, 132}, caso{0, 12, 2}, caso{0, 13, 3}, caso{0, 0, 0},
                        caso{1638, 35, 32767}, caso{1638, 40, 32768}, caso{-1, 5, -19}}) {
    EXPECT_EQ(impacchetta_velocita_indicatore(c.vs, c.vd), c.atteso) << c.vs << " " << c.vd;
  }
}

TEST(FormatoIndicatore, StrisceTornanoUguali) {
  for (int32_t s = 0; s <= 9; ++s) {
    for (int32_t d = 0; d <= 9; ++d) {
      EXPECT_EQ(spacchetta_strisce(impacchetta_strisce(s, d)), (coppia_indicatore{s, d}));
    }
  }
  EXPECT_EQ(impacchetta_strisce(65536 + 3, 2), 32);  // each value keeps its low 16 bits first
}

TEST(FormatoRallentamento, EstremiAvvisoEPrimaAvviso) {
  const valori_rallentamento v{50, 7, 3};
  cella inizio, avviso, prima;
  scrivi_estremo_rallentamento(inizio, cella_inizio_rallentamento, v);
  EXPECT_EQ(inizio.tipo, cella_inizio_rallentamento);
  EXPECT_EQ(leggi_valori_rallentamento(inizio), v);
  scrivi_avviso_rallentamento(avviso, v);
  EXPECT_EQ(avviso.tipo, cella_avviso_rallentamento);
  EXPECT_EQ(leggi_valori_rallentamento(avviso), (valori_rallentamento{50, 7, 0}));
  scrivi_prima_avviso(prima, 3, true);
  EXPECT_EQ(prima.tipo, cella_prima_avviso);
  EXPECT_EQ(leggi_valori_rallentamento(prima), (valori_rallentamento{3, 3, 0}));
  EXPECT_EQ(celle_avviso * metri_per_cella, metri_avviso);
}

TEST(FormatoRallentamento, DvZeroLasciaIlDatoDue) {
  cella c;
  c.dato_2 = 11;
  scrivi_estremo_rallentamento(c, cella_fine_rallentamento, {70000, 0, -1});
  EXPECT_EQ(leggi_valori_rallentamento(c), (valori_rallentamento{4464, 11, -1}));
  scrivi_prima_avviso(c, 2, false);
  EXPECT_EQ(c.dato_2, 11);
}

TEST(FormatoCelle, MetriECelleTornanoUguali) {
  for (int64_t p = -1000; p <= 100000; p += 50) {
    EXPECT_EQ(metri_elemento(cella_di(p)), p);
    EXPECT_EQ(metri_strato(cella_senza_uno(p)), p);
    EXPECT_EQ(metri_strato(cella_prima_di(p) + 1), p);
  }
}

TEST(FormatoCelle, ArrotondamentoAlPari) {
  struct caso {
    int64_t metri, di, senza_uno, prima_di;
  };
  for (const caso& c : {caso{0, 1, 0, -1}, caso{24, 1, 0, -1}, caso{25, 2, 0, 0}, caso{26, 2, 1, 0},
                        caso{75, 2, 2, 0}, caso{125, 4, 2, 2}, caso{-25, 0, 0, -2}}) {
    EXPECT_EQ(cella_di(c.metri), c.di) << c.metri;
    EXPECT_EQ(cella_senza_uno(c.metri), c.senza_uno) << c.metri;
    EXPECT_EQ(cella_prima_di(c.metri), c.prima_di) << c.metri;
  }
  EXPECT_EQ(metri_strato(42949672), 2147483600);  // past 32 bits only in 64
  EXPECT_EQ(metri_elemento(42949674), 2147483650);
}

// The rounding every metre-to-cell rule uses gives what the maths library's nearbyint gives,
// at the ties and on both sides of 2^52, where the whole numbers begin.
TEST(FormatoCelle, InteroPiuVicinoComeNearbyint) {
  const double due_alla_52 = 4503599627370496.0;
  for (const double v : {0.0,
                         0.5,
                         1.5,
                         2.5,
                         -0.5,
                         -1.5,
                         -2.5,
                         0.49999999999999994,
                         -0.49999999999999994,
                         1e-300,
                         2147483647.5,
                         -2147483648.5,
                         due_alla_52 - 0.5,
                         due_alla_52 - 1.5,
                         -(due_alla_52 - 0.5),
                         due_alla_52,
                         due_alla_52 + 1,
                         -due_alla_52,
                         2 * due_alla_52 + 2,
                         1e300,
                         -1e300}) {
    EXPECT_EQ(intero_piu_vicino(v), std::nearbyint(v)) << std::hexfloat << v;
  }
  for (int64_t p = -200; p <= 200; ++p) {
    const double v = static_cast<double>(p) / 4;
    EXPECT_EQ(intero_piu_vicino(v), std::nearbyint(v)) << v;
  }
}

TEST(FormatoCelle, NomiDeiGeneri) {
  struct caso {
    uint8_t tipo;
    const char* nome;
    const char* descrizione;
  };
  for (const caso& c :
       {caso{1, "segnale", "signal"}, caso{2, "fine_rallentamento", "slow order end"},
        caso{3, "inizio_rallentamento", "slow order start"},
        caso{4, "avviso_rallentamento", "slow order warning board"},
        caso{5, "prima_avviso", "before warning board"},
        caso{6, "indicatore_velocita", "speed-indicator board"},
        caso{7, "sconosciuto", "unknown kind 7"}, caso{9, "sconosciuto", "unknown kind 9"},
        caso{10, "fermata", "station stop"}, caso{11, "lampada", "tunnel lamp"},
        caso{12, "controllo_velocita", "speed check"},
        caso{13, "abbattimento_nullo", "abbattimento 0"}, caso{14, "cartello", "signboard"},
        caso{15, "sconosciuto", "unknown kind 15"}, caso{255, "sconosciuto", "unknown kind 255"}}) {
    EXPECT_STREQ(nome_genere(c.tipo), c.nome);
    EXPECT_EQ(descrizione_genere(c.tipo), c.descrizione);
  }
}

}  // namespace
}  // namespace scenario
