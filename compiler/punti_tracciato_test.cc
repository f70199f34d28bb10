// The points of a compiled track plan against the same plan computed run by run into two
// arrays, each run starting again from the two points stored before it.
#include "compiler/punti_tracciato.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <string>
#include <vector>

namespace scenario {
namespace {

using etichetta = tracciato_compilato::etichetta;

struct piano_in_array {
  std::vector<double> x, y;
  int64_t calcolati = 2;
};

piano_in_array in_array(const tracciato_compilato& t) {
  piano_in_array a;
  a.x.assign(static_cast<std::size_t>(t.ultimo + 1), 0.0);
  a.y = a.x;
  if (t.seminato && t.ultimo >= 1) a.y[1] = 1;
  for (const auto& [fino_a, k] : t.tratti) {
    const auto fine = static_cast<std::size_t>(std::min(fino_a, t.ultimo));
    for (auto i = static_cast<std::size_t>(a.calcolati); i <= fine; ++i) {
      const double dx = a.x[i - 1] - a.x[i - 2];
      const double dy = a.y[i - 1] - a.y[i - 2];
      a.x[i] = a.x[i - 1] + (dy * k + dx);
      a.y[i] = a.y[i - 1] + (dy - dx * k);
    }
    a.calcolati = fino_a + 1;
  }
  return a;
}

etichetta attesa(const tracciato_compilato& t, const piano_in_array& a, int64_t i) {
  if (i < 2) return t.seminato ? etichetta::intero : etichetta::vuoto;
  return i < a.calcolati ? etichetta::reale : etichetta::vuoto;
}

struct caso_piano {
  const char* nome;
  tracciato_compilato t;
};

const caso_piano casi[] = {
    {"mai creato", {}},
    {"mai seminato", {7000, false, {}}},
    {"seminato senza tratti", {7000, true, {}}},
    {"soli semi", {1, true, {}}},
    {"rettilineo fino al penultimo calcolato", {7000, true, {{6998, 0.0}}}},
    {"curve fino alla fine",
     {20000, true, {{100, 0.0}, {300, -0.003}, {301, 0.0}, {9000, 0.0001}, {19998, 0.0}}}},
    {"fermato da un errore", {20000, true, {{500, 0.0}, {800, 0.002}}}},
    {"curva dal primo punto", {7000, true, {{2, 0.001}, {3000, 0.001}, {6998, -0.002}}}},
    {"tratto oltre l'ultimo punto", {3000, true, {{10, 0.0}, {5000, 0.003}}}},
};

TEST(PuntiDelTracciato, UgualiAlPianoCalcolatoInArray) {
  for (const caso_piano& c : casi) {
    const piano_in_array a = in_array(c.t);
    int64_t n = 0;
    for (punti_del_tracciato punti(c.t); punti.altri(); ++n) {
      const int64_t i = punti.indice();
      ASSERT_EQ(i, n) << c.nome;
      const punto_tracciato p = punti.prossimo();
      const etichetta e = attesa(c.t, a, i);
      ASSERT_EQ(p.tipo, e) << c.nome << ", point " << i;
      ASSERT_EQ(p.tipo, c.t.tipo_punto(i)) << c.nome << ", point " << i;
      if (e == etichetta::vuoto) continue;
      const auto j = static_cast<std::size_t>(i);
      ASSERT_EQ(std::bit_cast<uint64_t>(p.x), std::bit_cast<uint64_t>(a.x[j]))
          << c.nome << ", point " << i;
      ASSERT_EQ(std::bit_cast<uint64_t>(p.y), std::bit_cast<uint64_t>(a.y[j]))
          << c.nome << ", point " << i;
    }
    EXPECT_EQ(n, c.t.ultimo + 1) << c.nome;
  }
}

// Walked by rows (the seeds one by one, computed points a run at a time in pieces, the empty
// points skipped) the plan gives the points it gives one by one, and the rows end where the
// tags change or a run ends.
TEST(PuntiDelTracciato, AFileComeUnoAllaVolta) {
  for (const caso_piano& c : casi) {
    std::vector<punto_tracciato> uno;
    for (punti_del_tracciato punti(c.t); punti.altri();) uno.push_back(punti.prossimo());
    std::vector<punto_tracciato> file;
    for (punti_del_tracciato punti(c.t); punti.altri();) {
      const auto [tipo, quanti] = punti.prossima_fila();
      ASSERT_GT(quanti, 0) << c.nome;
      const int64_t fine = punti.indice() + quanti - 1;
      ASSERT_LE(fine, c.t.ultimo) << c.nome;
      if (fine < c.t.ultimo) {
        const bool fine_tratto = std::any_of(c.t.tratti.begin(), c.t.tratti.end(),
                                             [&](const auto& r) { return r.fino_a == fine; });
        EXPECT_TRUE(c.t.tipo_punto(fine + 1) != tipo || fine_tratto || fine == 1)
            << c.nome << ", row ending at " << fine;
      }
      if (tipo == etichetta::reale) {
        // In pieces of at most 7, as the writer fills its block.
        for (int64_t resto = quanti; resto > 0; resto -= 7) {
          punti.calcola(std::min<int64_t>(7, resto), [&](double x, double y) {
            file.push_back({etichetta::reale, x, y});
          });
        }
      } else if (tipo == etichetta::vuoto) {
        file.insert(file.end(), static_cast<std::size_t>(quanti), punto_tracciato{});
        punti.salta_vuoti(quanti);
      } else {
        for (int64_t k = 0; k < quanti; ++k) file.push_back(punti.prossimo());
      }
      ASSERT_EQ(punti.indice(), fine + 1) << c.nome;
    }
    ASSERT_EQ(file.size(), uno.size()) << c.nome;
    for (std::size_t i = 0; i < uno.size(); ++i) {
      ASSERT_EQ(file[i].tipo, uno[i].tipo) << c.nome << ", point " << i;
      ASSERT_EQ(std::bit_cast<uint64_t>(file[i].x), std::bit_cast<uint64_t>(uno[i].x))
          << c.nome << ", point " << i;
      ASSERT_EQ(std::bit_cast<uint64_t>(file[i].y), std::bit_cast<uint64_t>(uno[i].y))
          << c.nome << ", point " << i;
    }
  }
}

// Computing or skipping is bounded by the row: computed points are not skipped, empty ones
// not computed, and a row is not overrun.
TEST(PuntiDelTracciato, CalcolaESaltaEntroLaFila) {
  const tracciato_compilato t{7000, true, {{100, 0.0}, {200, 0.001}}};
  punti_del_tracciato punti(t);
  punti.prossimo();
  punti.prossimo();
  punti.salta_vuoti(50);
  EXPECT_EQ(punti.indice(), 2);
  int64_t n = 0;
  punti.calcola(1000, [&](double, double) { ++n; });
  EXPECT_EQ(n, 99);
  EXPECT_EQ(punti.indice(), 101);
  punti.calcola(1000, [&](double, double) { ++n; });
  EXPECT_EQ(punti.indice(), 201);
  punti.calcola(5, [&](double, double) { ++n; });
  EXPECT_EQ(n, 199);
  EXPECT_EQ(punti.prossima_fila().quanti, 7000 - 201 + 1);
  punti.salta_vuoti(10'000);
  EXPECT_FALSE(punti.altri());
  EXPECT_EQ(punti.prossima_fila().quanti, 0);
}

// A run that ends before the points already computed adds nothing; one that reaches a
// point further on continues from there.
TEST(PuntiDelTracciato, AvanzaSoloOltreICalcolati) {
  tracciato_compilato t{7000, true, {}};
  t.avanza(1, 0.001);
  EXPECT_TRUE(t.tratti.empty());
  EXPECT_EQ(t.calcolati(), 2);
  t.avanza(2, 0.001);
  EXPECT_EQ(t.calcolati(), 3);
  t.avanza(2, 0.0);
  t.avanza(-5, 0.0);
  EXPECT_EQ(t.tratti.size(), 1u);
  t.avanza(100, 0.0);
  EXPECT_EQ(t.calcolati(), 101);
  EXPECT_EQ(t.tipo_punto(100), etichetta::reale);
  EXPECT_EQ(t.tipo_punto(101), etichetta::vuoto);
}

}  // namespace
}  // namespace scenario
