// The rule for route and train names: the longest name on both sides of its limit, and the
// pairs whose files would share a name, on Linux or where case is ignored.
#include "sources/nome_valido.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario {
namespace {

TEST(NomeValido, AlPiuCentoCaratteri) {
  EXPECT_EQ(nome_non_valido(std::string(100, 'a')), "");
  EXPECT_EQ(nome_non_valido(std::string(101, 'a')),
            "is 101 characters long, more than the 100 a name may have");
  EXPECT_EQ(nome_non_valido(std::string(1 << 20, '\0')),
            "is 1048576 characters long, more than the 100 a name may have");
}

// Of the eight names only the compiled route cells ROUTE_TRAIN.dat can meet another, the
// track plan ROUTE_linea.dat, and only through a train named "linea" in some case; the
// trains around it keep their files apart.
TEST(NomeValido, DueFileConUnNome) {
  struct caso {
    std::string linea, treno, conflitto;
  };
  const caso casi[] = {
      {"R", "linea", "the track plan and the route cells would be one file, R_linea.dat"},
      {"ARONA_DOMODOSSOLA", "linea",
       "the track plan and the route cells would be one file, ARONA_DOMODOSSOLA_linea.dat"},
      {"R", "LINEA",
       "the track plan and the route cells would be one file where case is ignored (Windows), "
       "R_linea.dat and R_LINEA.dat"},
      {"R", "Linea",
       "the track plan and the route cells would be one file where case is ignored (Windows), "
       "R_linea.dat and R_Linea.dat"},
      {"R", "line", ""},
      {"R", "lineaa", ""},
      {"R", "linea-", ""},
      {"R", "_linea", ""},
      {"R", "linea.", ""},
      {"R", "linea.dat", ""},
      {"R", "linea.txt", ""},
      {"linea", "324", ""},
      {"R_linea", "linea",
       "the track plan and the route cells would be one file, R_linea_linea.dat"},
      {"R", "note", ""},
      {"R", "7-", ""},
  };
  for (const caso& c : casi) {
    EXPECT_EQ(nomi_in_conflitto(c.linea, c.treno), c.conflitto) << c.linea << " " << c.treno;
  }
}

}  // namespace
}  // namespace scenario
