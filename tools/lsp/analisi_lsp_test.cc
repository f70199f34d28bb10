// The adapter between the front end and the protocol: each problem over its field in the
// editor's positions of the source it names, open (UTF-8) or read from the disk
// (Windows-1252), its notes as related information, its fix-its as quick fixes, in both
// encodings of positions.
#include "tools/lsp/analisi_lsp.h"

#include <gtest/gtest.h>

namespace scenario::strumento {
namespace {

const std::string uri_linea = "file:///r/R_linea.txt";
const std::string uri_treno = "file:///r/R_7-.txt";

// A signboard whose text holds the euro sign (three bytes in UTF-8) and "À" (two) before a
// tunnel that ends before its start.
const std::string linea_1252 =
    "[generale]\r\nlunghezza percorso, 4000\r\n[curve]\r\n[indicazioni]\r\n"
    "cartello_indicatore, 1000, (\x80\xC0), montagna, 2400, 2000, 1\r\n[fine]\r\n";
// A station named "CITTÀ" with a signal after it on its line, in a cell a later signal takes.
const std::string treno_1252 =
    "[generale]\r\nsabbia, 10\r\n[stazioni]\r\n"
    "stazione, 0, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, CITT\xC0, segnale, 1660, 2, 4, 0, 0, 0, "
    "0, 0,0,0, 0\r\n[segnali]\r\nsegnale, 1650, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n[fine]\r\n";

nlohmann::json intervallo(int64_t riga, int64_t da, int64_t a) {
  return json_intervallo({{riga, da}, {riga, a}});
}

nlohmann::json modifica(const std::string& uri, const nlohmann::json& dove,
                        const std::string& testo) {
  return {{uri, {{{"range", dove}, {"newText", testo}}}}};
}

nlohmann::json azione(const std::string& titolo, const nlohmann::json& diagnostica,
                      const nlohmann::json& cambi) {
  return {{"title", titolo},
          {"kind", "quickfix"},
          {"diagnostics", {diagnostica}},
          {"edit", {{"changes", cambi}}}};
}

// The columns that differ between the encodings: UTF-16 units and UTF-8 bytes.
struct colonne {
  codifica_posizioni c;
  int64_t dopo_citta;  // the start of the signal's keyword after "CITTÀ"
  int64_t dopo_euro;   // the start of the tunnel's end after "(€À)"
};

class AnalisiLsp : public ::testing::TestWithParam<colonne> {};

TEST_P(AnalisiLsp, ProblemiNoteECorrezioni) {
  const colonne k = GetParam();
  testi_sorgenti t{linea_1252, treno_1252};
  const std::vector<diagnostica> d = diagnostiche_coppia(t, {"R", "7", true});
  ASSERT_EQ(d.size(), 3u);
  sorgenti_lsp s(k.c);
  s.aggiungi("R_linea.txt", uri_linea, linea_1252, true);
  const std::string treno_utf8 = [] {
    std::string u = treno_1252;
    u.replace(u.find('\xC0'), 1, "\xC3\x80");
    return u;
  }();
  s.aggiungi("R_7-.txt", uri_treno, treno_utf8, false);

  // The error on the later signal, with a note at the signal that took the cell first.
  const sorgenti_lsp::diagnostica_lsp cella = s.in_lsp(d[0], "R_7-.txt");
  const nlohmann::json attesa = {
      {"range", intervallo(5, 9, 13)},
      {"severity", 1},
      {"code", 16},
      {"source", "scenario-tool"},
      {"message",
       "`segnale` at 1650 m falls in cell 34 (1650 m), which already holds a signal: two point "
       "features never share a 50 m cell"},
      {"relatedInformation",
       {{{"location",
          {{"uri", uri_treno}, {"range", intervallo(3, k.dopo_citta, k.dopo_citta + 7)}}},
         {"message", "a signal in cell 34 comes from this `segnale` at 1660 m"}}}}};
  EXPECT_EQ(cella.diagnostica, attesa);
  EXPECT_TRUE(cella.correzioni.empty());

  // A warning of the source read from the disk, whose fix swaps two of its fields.
  const sorgenti_lsp::diagnostica_lsp galleria = s.in_lsp(d[1], "R_linea.txt");
  const nlohmann::json fine = intervallo(4, k.dopo_euro, k.dopo_euro + 4);
  const nlohmann::json inizio = intervallo(4, k.dopo_euro - 6, k.dopo_euro - 2);
  EXPECT_EQ(galleria.diagnostica.at("range"), fine);
  EXPECT_EQ(galleria.dove.inizio.carattere, k.dopo_euro);
  EXPECT_EQ(
      galleria.correzioni,
      std::vector<nlohmann::json>{azione(
          "swap start and end", galleria.diagnostica,
          {{uri_linea,
            {{{"range", inizio}, {"newText", "2000"}}, {{"range", fine}, {"newText", "2400"}}}}})});

  // The rounding of the earlier signal: one edit in its own source.
  const sorgenti_lsp::diagnostica_lsp tondo = s.in_lsp(d[2], "R_7-.txt");
  const nlohmann::json campo = intervallo(3, k.dopo_citta + 9, k.dopo_citta + 13);
  EXPECT_EQ(tondo.diagnostica.at("severity"), 2);
  EXPECT_FALSE(tondo.diagnostica.contains("code"));
  EXPECT_EQ(tondo.correzioni,
            std::vector<nlohmann::json>{
                azione("round to 1650", tondo.diagnostica, modifica(uri_treno, campo, "1650"))});
}

INSTANTIATE_TEST_SUITE_P(Codifiche, AnalisiLsp,
                         ::testing::Values(colonne{codifica_posizioni::utf16, 59, 49},
                                           colonne{codifica_posizioni::utf8, 60, 52}));

// A problem of no place stands at the start of the source it is shown in, as does a note of
// none; a note is information; a fix with an edit in a source not at hand is left out, and
// Windows-1252 words become UTF-8.
TEST(AnalisiLspSenzaLuogo, AllInizio) {
  sorgenti_lsp s(codifica_posizioni::utf16);
  s.aggiungi("R_7-.txt", uri_treno, "[generale]\r\n", false);
  diagnostica d;
  d.livello = gravita::nota;
  d.codice = 1250;
  d.messaggio = "cella \xE8 presa";
  d.note.push_back({"", {}, "n\xB0 1"});
  d.correzioni.push_back({"altrove", {{"S_linea.txt", {1, 1, 2, 0, 1}, "x"}}});
  d.correzioni.push_back({"qui", {{"R_7-.txt", {1, 1, 2, 0, 1}, "\xE8"}}});
  const sorgenti_lsp::diagnostica_lsp x = s.in_lsp(d, "R_7-.txt");
  EXPECT_EQ(x.diagnostica,
            (nlohmann::json{{"range", intervallo(0, 0, 0)},
                            {"severity", 3},
                            {"code", 1250},
                            {"source", "scenario-tool"},
                            {"message", "cella \u00E8 presa"},
                            {"relatedInformation",
                             {{{"location", {{"uri", uri_treno}, {"range", intervallo(0, 0, 0)}}},
                               {"message", "n\u00B0 1"}}}}}));
  EXPECT_EQ(x.correzioni,
            std::vector<nlohmann::json>{
                azione("qui", x.diagnostica, modifica(uri_treno, intervallo(0, 0, 1), "\u00E8"))});
}

}  // namespace
}  // namespace scenario::strumento
