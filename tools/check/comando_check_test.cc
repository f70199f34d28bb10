// scenario-tool check as an author runs it: exit statuses, --strict, --json, a missing source,
// and nothing written.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "tests/aiuti_test.h"

namespace scenario::strumento {
namespace {

namespace fs = std::filesystem;

class Check : public test::cartella_di_prova {
 protected:
  int esegui(const std::string& argomenti) { return esegui_strumento(argomenti); }
  void sorgenti(const std::string& linea_extra) {
    fs::create_directories(cartella_ / "lago");
    test::scrivi_file(cartella_ / "lago/R_linea.txt", test::linea_minima(linea_extra, 4000));
    test::scrivi_file(cartella_ / "lago/R_7-.txt", test::treno_minimo());
  }
  std::size_t file_in_cartella() {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(cartella_ / "lago"), fs::directory_iterator()));
  }
};

TEST_F(Check, SorgentiSpeditiPuliti) {
  ASSERT_EQ(esegui("export"), 0);
  EXPECT_EQ(esegui("check"), 0) << errori_;
  EXPECT_EQ(errori_, "0 errors, 0 warnings\n");
  EXPECT_EQ(uscita_, "");
}

// The minimal route of docs/sorgenti.md, as `new` writes it.
TEST_F(Check, PercorsoMinimoDelRiferimentoPulito) {
  ASSERT_EQ(esegui("new --dir nuova --route MIA --train 7"), 0) << errori_;
  EXPECT_EQ(esegui("check --dir nuova"), 0) << errori_;
  EXPECT_EQ(errori_, "0 errors, 0 warnings\n");
}

TEST_F(Check, AvvisoConCartellaESeveroSenzaScrivereNulla) {
  sorgenti("pendenza, 0, 500\r\n");
  EXPECT_EQ(esegui("check --dir lago"), 0);
  EXPECT_EQ(errori_,
            "lago/R_linea.txt:4:14: warning: `pendenza` field `pendenza` 500 per mille is outside "
            "its range -100 to 155 (the value wraps)\n"
            "  pendenza, 0, 500\n"
            "               ^~~\n"
            "0 errors, 1 warning\n");
  EXPECT_EQ(uscita_, "");
  EXPECT_EQ(esegui("check --dir lago --strict"), 1);
  EXPECT_EQ(test::prima_riga(errori_),
            "lago/R_linea.txt:4:14: error: `pendenza` field `pendenza` 500 per mille is outside "
            "its range -100 to 155 (the value wraps)");
  EXPECT_EQ(errori_.substr(errori_.rfind("  ^")), "  ^~~\n1 error, 0 warnings\n");
  EXPECT_EQ(file_in_cartella(), 2u);
}

// The first error of check is the compile's, in the compile's own words, and the compile shows
// it the same way.
TEST_F(Check, ErroreDelCompilatoreComeCompile) {
  sorgenti("");
  test::scrivi_file(
      cartella_ / "lago/R_7-.txt",
      test::treno_minimo("stazione, 25, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, P\r\n"));
  const std::string atteso =
      "lago/R_7-.txt:2:11: error 8: `stazione` field `posizione` 25 m is not a multiple of 50 "
      "(position 25 m)\n"
      "  stazione, 25, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, P\n"
      "            ^~\n"
      "            50\n";
  EXPECT_EQ(esegui("check --dir lago"), 1);
  EXPECT_EQ(errori_, atteso + "1 error, 0 warnings\n");
  EXPECT_EQ(file_in_cartella(), 2u);
  EXPECT_EQ(esegui("compile --dir lago --no-plan"), 1);
  EXPECT_EQ(errori_, atteso);
  EXPECT_EQ(uscita_, "codice_errore=8 posizione_errore=25\n");
}

// The JSON is built from the same problems, source text in UTF-8, on standard output.
TEST_F(Check, JsonInUtf8) {
  sorgenti("pendenza, 0, 500\r\ncartello_indicatore, 1000, (70\xB0)\r\npendnza, 100, 5\r\n");
  EXPECT_EQ(esegui("check --dir lago --json"), 0);
  EXPECT_EQ(errori_, "");
  const auto j = nlohmann::json::parse(uscita_);
  EXPECT_EQ(j["errors"], 0);
  EXPECT_EQ(j["warnings"], 2);
  EXPECT_EQ(j["not_shown"], 0);
  ASSERT_EQ(j["problems"].size(), 2u);
  const auto& p = j["problems"][0];
  EXPECT_EQ(p["file"], "lago/R_linea.txt");
  EXPECT_EQ(p["line"], 4);
  EXPECT_EQ(p["column"], 14);
  EXPECT_EQ(p["end_column"], 17);
  EXPECT_EQ(p["offset"], 60);
  EXPECT_EQ(p["end_offset"], 63);
  EXPECT_EQ(p["severity"], "warning");
  EXPECT_EQ(p["code"], 0);
  EXPECT_EQ(p["message"],
            "`pendenza` field `pendenza` 500 per mille is outside its range -100 to 155 (the "
            "value wraps)");
  const auto& s = j["problems"][1];
  EXPECT_EQ(s["message"],
            "unknown keyword `pendnza`, the record is skipped; did you mean "
            "`pendenza`?");
  EXPECT_EQ(s["fixes"][0]["title"], "write `pendenza`");
  EXPECT_EQ(s["fixes"][0]["edits"][0]["text"], "pendenza");
  EXPECT_EQ(s["fixes"][0]["edits"][0]["line"], 6);
}

// A problem quoting a Windows-1252 byte stays valid UTF-8 in the JSON.
TEST_F(Check, JsonConUnByteWindows1252NelMessaggio) {
  sorgenti("");
  test::scrivi_file(cartella_ / "lago/R_7-.txt", test::treno_minimo("velocita, 22000, 70\xB0\r\n"));
  EXPECT_EQ(esegui("check --dir lago --json"), 1);
  const auto j = nlohmann::json::parse(uscita_);
  EXPECT_EQ(j["problems"][0]["message"],
            "`velocita` field `limite` is \"70\u00b0\", not a whole number");
}

TEST_F(Check, MassimoDiProblemi) {
  sorgenti("pendenza, 0, 500\r\npendenza, 50, 500\r\npendenza, 100, 500\r\n");
  EXPECT_EQ(esegui("check --dir lago --max-problems 2"), 0);
  EXPECT_EQ(errori_.substr(errori_.rfind('\n', errori_.size() - 2) + 1),
            "0 errors, 3 warnings, 1 more not shown\n");
  EXPECT_EQ(esegui("check --dir lago --max-problems 0"), 2);
}

TEST_F(Check, SorgenteMancanteColPercorsoCompleto) {
  sorgenti("");
  fs::remove(cartella_ / "lago/R_7-.txt");
  EXPECT_EQ(esegui("check --dir lago --route R --train 7"), 1);
  EXPECT_EQ(errori_,
            "scenario-tool: no source " + fs::canonical(cartella_).string() + "/lago/R_7-.txt\n");
  EXPECT_EQ(uscita_, "");
}

TEST_F(Check, UsoSbagliato) { EXPECT_EQ(esegui("check --nessuna"), 2); }

}  // namespace
}  // namespace scenario::strumento
