// The outline: which headers are sections, which records are shown under them and how they are
// named, and the ranges of a record over several lines and of a section around its records.
#include "tools/lsp/simboli_lsp.h"

#include <gtest/gtest.h>

namespace scenario::strumento {
namespace {

std::string luogo(const nlohmann::json& r) {
  const auto p = [](const nlohmann::json& x) {
    return std::to_string(x.at("line").get<int>()) + ":" +
           std::to_string(x.at("character").get<int>());
  };
  return p(r.at("start")) + "-" + p(r.at("end"));
}

// One line a symbol, "NAME KIND RANGE", its children indented under it.
std::vector<std::string> schema(std::string_view testo, file_sorgente f) {
  std::vector<std::string> v;
  for (const nlohmann::json& s : simboli(testo, f, codifica_posizioni::utf16)) {
    v.push_back(s.at("name").get<std::string>() + " " + s.at("kind").dump() + " " +
                luogo(s.at("range")));
    for (const nlohmann::json& c : s.at("children")) {
      v.push_back("  " + c.at("name").get<std::string>() + " " + c.at("kind").dump() + " " +
                  luogo(c.at("range")) + " " + luogo(c.at("selectionRange")));
    }
  }
  return v;
}

TEST(SimboliLsp, LeSezioniEIRecordDellaLinea) {
  const std::string linea =
      "[montagne], nota\r\n[generale]\r\nlunghezza percorso, 4000\r\n[montagne]\r\n"
      "montagna, 800,\r\n  1500, 12\r\nmontagna, x, 2000, 1\r\n[cartelli]\r\n[fine]\r\n";
  EXPECT_EQ(schema(linea, file_sorgente::linea),
            (std::vector<std::string>{"[generale] 3 1:0-1:10", "[montagne] 3 3:0-6:20",
                                      "  montagna, 800 m to 1500 m 19 4:0-5:10 4:0-4:8",
                                      "  montagna, x to 2000 m 19 6:0-6:20 6:0-6:8",
                                      "[cartelli] 3 7:0-7:10", "[fine] 3 8:0-8:6"}));
}

TEST(SimboliLsp, StazioniSegnaliERallentamenti) {
  const std::string treno =
      "[generale]\r\nsabbia, 10\r\n[stazioni]\r\n"
      "stazione, 0, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, PRIMA\r\n"
      "stazione, 3600, 2, 600, 1,1,0, 1,1,0, 2,1,1, 0, 8,4,0,\r\n"
      "[rallentamenti]\r\nrallentamento, 2000, 50, 200, 0, 1, 0\r\n"
      "[segnali]\r\nsegnale, 1800, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n[fine]\r\nstazione, 5000";
  EXPECT_EQ(
      schema(treno, file_sorgente::treno),
      (std::vector<std::string>{
          "[generale] 3 0:0-0:10", "[stazioni] 3 2:0-4:54", "  PRIMA, 0 m 23 3:0-3:57 3:0-3:8",
          // An empty name: the station by its keyword.
          "  stazione, 3600 m 23 4:0-4:54 4:0-4:8", "[rallentamenti] 3 5:0-6:37",
          "  rallentamento, 2000 m 25 6:0-6:37 6:0-6:13", "[segnali] 3 7:0-8:41",
          "  segnale, 1800 m 24 8:0-8:41 8:0-8:7",
          // Read after "[fine]", a record is still in the outline, where it stands.
          "[fine] 3 9:0-10:14", "  stazione, 5000 m 23 10:0-10:14 10:0-10:8"}));
}

TEST(SimboliLsp, UnTestoSenzaLetture) {
  EXPECT_EQ(simboli("", file_sorgente::treno, codifica_posizioni::utf16), nlohmann::json::array());
  EXPECT_EQ(simboli("segnale, 1800\r\n", file_sorgente::treno, codifica_posizioni::utf16),
            nlohmann::json::array());
}

}  // namespace
}  // namespace scenario::strumento
