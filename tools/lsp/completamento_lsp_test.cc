// Completion by section: which labels each place offers, and one item in full.
#include "tools/lsp/completamento_lsp.h"

#include <gtest/gtest.h>

namespace scenario::strumento {
namespace {

std::vector<std::string> etichette(const nlohmann::json& voci) {
  std::vector<std::string> e;
  for (const nlohmann::json& v : voci) e.push_back(v.at("label").get<std::string>());
  return e;
}

const std::vector<std::string> intestazioni_treno = {
    "[generale]",      "[aderenze]", "[vel_limite]", "[stazioni]",
    "[rallentamenti]", "[segnali]",  "[codici]",     "[fine]"};

std::vector<std::string> con_intestazioni(std::vector<std::string> parole) {
  parole.insert(parole.end(), intestazioni_treno.begin(), intestazioni_treno.end());
  return parole;
}

TEST(CompletamentoLsp, LeParoleDellaSezione) {
  const std::string testo =
      "note\r\n[generale]\r\n\r\n  [Segnali] \rse\n[mia]\nx\r\n[stazioni], 1\r\nstazione, 0";
  struct caso {
    posizione_lsp p;
    std::vector<std::string> attese;
  };
  const std::vector<caso> casi = {
      {{0, 2}, intestazioni_treno},
      {{1, 0}, intestazioni_treno},  // the header line itself does not count
      {{2, 0},
       con_intestazioni({"numero vetture", "percentuale massa frenata", "sabbia", "orologio"})},
      {{4, 2}, con_intestazioni({"segnale"})},
      {{6, 1},
       con_intestazioni(
           {"aderenza", "velocita", "stazione", "rallentamento", "segnale", "abbattimento"})},
      {{8, 3}, con_intestazioni({"stazione"})},
      {{8, 10}, {}},  // past the first field
      {{9, 0}, {}},   // past the last line
  };
  for (const caso& c : casi) {
    EXPECT_EQ(etichette(completamenti(testo, file_sorgente::treno, c.p, codifica_posizioni::utf16)),
              c.attese)
        << c.p.riga << ":" << c.p.carattere;
  }
}

TEST(CompletamentoLsp, OgniCurvaConISuoiCampi) {
  const nlohmann::json v = completamenti("[generale]\n[curve]\ncurvas", file_sorgente::linea,
                                         {2, 6}, codifica_posizioni::utf16);
  const std::vector<std::string> e = etichette(v);
  ASSERT_GE(e.size(), 12u);
  EXPECT_EQ(
      std::vector<std::string>(e.begin(), e.begin() + 12),
      (std::vector<std::string>{"curvad1", "curvad2", "curvad3", "curvad4", "curvad5", "curvad6",
                                "curvas1", "curvas2", "curvas3", "curvas4", "curvas5", "curvas6"}));
  EXPECT_EQ(v[7].at("textEdit").at("newText"), "curvas2, ${1:inizio}, ${2:lunghezza}");
  EXPECT_EQ(e[12], "[generale]");
}

// The item replaces the first field as typed, blanks before it kept, in the client's units.
TEST(CompletamentoLsp, UnaVoceIntera) {
  const std::string testo = "[segnali]\n \t\xC3\xA8seg";
  for (const auto& [c, fine] :
       {std::pair{codifica_posizioni::utf16, 6}, std::pair{codifica_posizioni::utf8, 7}}) {
    const nlohmann::json v = completamenti(testo, file_sorgente::treno, {1, 99}, c);
    const nlohmann::json attesa = nlohmann::json::parse(R"({
      "label": "segnale", "kind": 14, "detail": "a signal: two heads, each a kind and three aspects",
      "insertTextFormat": 2, "sortText": "0001",
      "textEdit": {
        "range": {"start": {"line": 1, "character": 2}, "end": {"line": 1, "character": )" +
                                                        std::to_string(fine) + R"(}},
        "newText": "segnale, ${1:posizione}, ${2:sx}, ${3:s1}, ${4:s2}, ${5:s3}, ${6:rapp}, ${7:dx}, ${8:d1}, ${9:d2}, ${10:d3}, ${11:tempo}"}})");
    EXPECT_EQ(v.at(0), attesa);
    EXPECT_EQ(v.at(1).at("label"), "[generale]");
    EXPECT_EQ(v.at(1).at("kind"), 9);
    EXPECT_EQ(v.at(1).at("insertTextFormat"), 1);
    EXPECT_EQ(v.at(1).at("textEdit").at("newText"), "[generale]");
  }
}

}  // namespace
}  // namespace scenario::strumento
