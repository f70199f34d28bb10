// The editors' syntax colouring (editors/scenario.tmLanguage.json): valid JSON, every rule it
// includes defined, and its keywords exactly the table's, in the table's order; the VS Code
// extension gives it to the file names the server reads as sources.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "compiler/campi_sorgenti.h"
#include "tests/aiuti_test.h"

namespace scenario {
namespace {

nlohmann::json grammatica() {
  return nlohmann::json::parse(
      test::leggi_file(CARTELLA_SORGENTI "/editors/scenario.tmLanguage.json"));
}

TEST(GrammaticaLsp, LeParoleSonoQuelleDellaTabella) {
  std::vector<std::string> tabella;
  for (const parola_sorgente& p : parole_sorgenti()) {
    for (const std::string_view n : nomi_parola(p)) tabella.emplace_back(n);
  }
  const std::string match = grammatica().at("repository").at("parola").at("match");
  const std::string prima = "^[ \\t]*(?:";
  const std::string dopo = ")(?=[ \\t]*(?:,|$))";
  ASSERT_TRUE(match.starts_with(prima) && match.ends_with(dopo)) << match;
  std::vector<std::string> parole;
  const std::string elenco = match.substr(prima.size(), match.size() - prima.size() - dopo.size());
  for (std::size_t i = 0; i <= elenco.size();) {
    const std::size_t barra = std::min(elenco.find('|', i), elenco.size());
    parole.push_back(elenco.substr(i, barra - i));
    i = barra + 1;
  }
  std::string atteso;
  for (const std::string& n : tabella) atteso += (atteso.empty() ? "" : "|") + n;
  EXPECT_EQ(parole, tabella) << "the keyword rule should read: " << prima << atteso << dopo;
}

TEST(GrammaticaLsp, OgniRegolaInclusaEDefinita) {
  const nlohmann::json g = grammatica();
  EXPECT_EQ(g.at("scopeName"), "source.scenario");
  ASSERT_FALSE(g.at("patterns").empty());
  for (const nlohmann::json& p : g.at("patterns")) {
    const std::string regola = p.at("include");
    ASSERT_TRUE(regola.starts_with("#")) << regola;
    EXPECT_TRUE(g.at("repository").contains(regola.substr(1))) << regola;
  }
  for (const auto& [nome, regola] : g.at("repository").items()) {
    EXPECT_TRUE(regola.at("name").get<std::string>().ends_with(".scenario")) << nome;
    EXPECT_FALSE(regola.at("match").get<std::string>().empty()) << nome;
  }
}

TEST(GrammaticaLsp, LEstensioneDiVsCode) {
  const nlohmann::json p =
      nlohmann::json::parse(test::leggi_file(CARTELLA_SORGENTI "/editors/vscode/package.json"));
  const nlohmann::json& c = p.at("contributes");
  EXPECT_EQ(c.at("languages").at(0).at("filenamePatterns"),
            (nlohmann::json{"*_linea.txt", "*-.txt"}));
  EXPECT_EQ(c.at("grammars").at(0).at("scopeName"), grammatica().at("scopeName"));
  EXPECT_EQ(c.at("configurationDefaults").at("[scenario]").at("files.encoding"), "windows1252");
}

}  // namespace
}  // namespace scenario
