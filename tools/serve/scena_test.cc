// The places serve's page names for what it draws, checked against the sources' own text: the
// line a feature names holds the record that put it there, its position the first field.
#include "tools/serve/scena.h"

#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "compiler/modello.h"
#include "tests/aiuti_test.h"

namespace scenario::strumento {
namespace {

using json = nlohmann::json;

std::vector<std::string> righe(const std::string& testo) {
  std::vector<std::string> r;
  std::istringstream in(testo);
  for (std::string riga; std::getline(in, riga);) {
    if (!riga.empty() && riga.back() == '\r') riga.pop_back();
    r.push_back(riga);
  }
  return r;
}

class LuoghiDelDisegno : public ::testing::Test {
 protected:
  void SetUp() override {
    const testi_sorgenti t{test::linea_spedita(), test::treno_spedito()};
    const cartella_servita s{"percorso", "percorso", opzioni_compilazione{}};
    memoria_piano piano;
    disegno_ = json::parse(disegno_json(compila(t, s.opzioni), t, s, piano));
    sorgenti_ = {righe(*t.linea), righe(*t.treno)};
  }

  // The keyword and the first field of the record at `sorgente`, [file, line, column].
  std::pair<std::string, std::string> record_a(const json& sorgente) const {
    EXPECT_EQ(sorgente[2], 1) << sorgente;
    const std::string& riga = sorgenti_.at(sorgente[0]).at(sorgente[1].get<std::size_t>() - 1);
    const std::size_t virgola = riga.find(',');
    std::string primo = riga.substr(virgola + 1, riga.find(',', virgola + 1) - virgola - 1);
    primo.erase(0, primo.find_first_not_of(' '));
    primo.erase(primo.find_last_not_of(' ') + 1);
    return {riga.substr(0, virgola), primo};
  }

  json disegno_;
  std::vector<std::vector<std::string>> sorgenti_;
};

TEST_F(LuoghiDelDisegno, INomiDeiFile) {
  EXPECT_EQ(disegno_["file"],
            json({"percorso/ARONA_DOMODOSSOLA_linea.txt", "percorso/ARONA_DOMODOSSOLA_324-.txt"}));
}

TEST_F(LuoghiDelDisegno, AlcuniLuoghiParolaPerParola) {
  const auto di = [&](const char* lista, const char* chiave, int valore) {
    for (const json& x : disegno_[lista])
      if (x[chiave] == valore) return x["sorgente"];
    return json();
  };
  EXPECT_EQ(di("stazioni", "position", 0), json({1, 18, 1}));
  EXPECT_EQ(di("stazioni", "position", 4850), json({1, 19, 1}));
  EXPECT_EQ(di("elementi", "position", 15150), json({1, 42, 1}));
  EXPECT_EQ(di("rallentamenti", "start", 23550), json({1, 33, 1}));
  EXPECT_EQ(di("gallerie", "start", 800), json({0, 57, 1}));
  EXPECT_EQ(di("pendenze", "from", 0), json({0, 39, 1}));
}

// Every feature with a place: the record there is of its kind and starts where it starts.
// Features the compile derives from another record (a station's stop, a slow order's boards)
// name that record.
TEST_F(LuoghiDelDisegno, OgniLuogoHaIlSuoRecord) {
  const struct {
    const char* lista;
    const char* metri;
  } liste[] = {{"stazioni", "position"}, {"elementi", "position"}, {"rallentamenti", "start"},
               {"gallerie", "start"},    {"velocita", "from"},     {"pendenze", "from"}};
  const std::map<int, std::string> derivati = {{cella_fermata, "stazione"},
                                               {cella_prima_avviso, "rallentamento"},
                                               {cella_avviso_rallentamento, "rallentamento"},
                                               {cella_fine_rallentamento, "rallentamento"}};
  int con_luogo = 0, senza = 0;
  for (const auto& l : liste) {
    for (const json& x : disegno_[l.lista]) {
      if (x["sorgente"].is_null()) {
        ++senza;
        continue;
      }
      ++con_luogo;
      const auto [parola, primo] = record_a(x["sorgente"]);
      const auto d = x.contains("kind") ? derivati.find(x["kind"].get<int>()) : derivati.end();
      if (d != derivati.end()) {
        EXPECT_EQ(parola, d->second) << x;
      } else {
        EXPECT_EQ(primo, std::to_string(x[l.metri].get<int>())) << l.lista << " " << x;
      }
    }
  }
  EXPECT_EQ(con_luogo, 128);
  // Placed by the compiler, with no record of their own: the speed checks at the four speed
  // changes and the runs after the last record of the speed limit and of the gradients.
  EXPECT_EQ(senza, 6);
}

}  // namespace
}  // namespace scenario::strumento
