// The documents of a route and what is published for each: which sources a route has, where a
// problem with no place goes, what a source that is not open shows in the open one, what a
// close, a save and a character with no Windows-1252 form do. The disk is held in memory.
#include "tools/lsp/documenti_lsp.h"

#include <gtest/gtest.h>

#include <map>

#include "io/errore_io.h"

namespace scenario::strumento {
namespace {

namespace fs = std::filesystem;

const std::string linea_buona = "[generale]\r\nlunghezza percorso, 4000\r\n[curve]\r\n[fine]\r\n";
// A train service with `corpo` before its end.
std::string treno(const std::string& corpo = "") {
  return "[generale]\r\nsabbia, 10\r\n" + corpo + "[fine]\r\n";
}

class disco_in_memoria : public disco_lsp {
 public:
  std::map<fs::path, std::string> file;
  std::map<fs::path, std::string> illeggibili;  // the English reason

  std::optional<std::string> leggi(const fs::path& f) override {
    if (const auto it = illeggibili.find(f); it != illeggibili.end()) {
      throw errore_io(tipo_errore_io::file, {"", it->second});
    }
    const auto it = file.find(f);
    if (it == file.end()) return std::nullopt;
    return it->second;
  }
  std::vector<std::string> nomi_in(const fs::path& cartella) override {
    std::vector<std::string> nomi;
    for (const auto& [f, testo] : file) {
      if (f.parent_path() == cartella.parent_path()) nomi.push_back(f.filename().string());
    }
    return nomi;
  }
};

class DocumentiLsp : public ::testing::Test {
 protected:
  // "NAME vVERSION: [L:C-L:C SEVERITY(CODE) MESSAGE, ...]" for each publication since the last
  // call, NAME the last part of the URI.
  std::vector<std::string> pubblicati() {
    std::vector<std::string> v;
    for (const nlohmann::json& p : pubblicazioni_) {
      const std::string uri = p.at("uri");
      std::string r = uri.substr(uri.rfind('/') + 1) + " v" + p.at("version").dump() + ":";
      for (const nlohmann::json& d : p.at("diagnostics")) {
        const nlohmann::json& i = d.at("range");
        r += " [" + i.at("start").at("line").dump() + ":" + i.at("start").at("character").dump() +
             "-" + i.at("end").at("line").dump() + ":" + i.at("end").at("character").dump() +
             (d.at("severity") == 1 ? " E" : " W") +
             (d.contains("code") ? d.at("code").dump() : "") + " " +
             d.at("message").get<std::string>() + "]";
      }
      v.push_back(r);
    }
    pubblicazioni_.clear();
    return v;
  }

  void su_disco(const std::string& nome, const std::string& testo) {
    disco_.file["/r/" + nome] = testo;
  }

  void apri(const std::string& nome, const std::string& testo) {
    documenti_.apri("file:///r/" + nome, testo, 1);
  }

  disco_in_memoria disco_;
  std::vector<nlohmann::json> pubblicazioni_;
  documenti_lsp documenti_{disco_, [this](nlohmann::json p) {
                             // The version of a closed document's empty list is left out.
                             if (!p.contains("version")) p["version"] = nullptr;
                             pubblicazioni_.push_back(std::move(p));
                           }};
};

TEST_F(DocumentiLsp, IlTrenoConLaLineaDalDisco) {
  su_disco("R_linea.txt", linea_buona);
  apri("R_7-.txt", treno("stazione, 25, 24, 600, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, X\r\n"));
  EXPECT_EQ(pubblicati(),
            std::vector<std::string>{
                "R_7-.txt v1: [2:10-2:12 E8 `stazione` field `posizione` 25 m is not a multiple "
                "of 50]"});
}

// The missing line description's problem has no place: it stands in the open train service,
// naming the source it belongs to.
TEST_F(DocumentiLsp, SenzaLineaIlProblemaStaAllInizioDelTreno) {
  apri("R_7-.txt", treno());
  EXPECT_EQ(pubblicati(),
            std::vector<std::string>{
                "R_7-.txt v1: [0:0-0:0 E101 R_linea.txt: the line description is missing]"});
}

// A problem with no place stays in its own source when that is open.
TEST_F(DocumentiLsp, SenzaLuogoNelSuoSorgenteAperto) {
  su_disco("R_7-.txt", treno());
  apri("R_linea.txt", "x\r\n");
  apri("R_7-.txt", treno());
  const std::string senza_generale =
      "[0:0-0:0 E102 the line description ends before its `[generale]` header, and nothing "
      "before it is read]";
  EXPECT_EQ(pubblicati(),
            (std::vector<std::string>{"R_linea.txt v1: " + senza_generale,
                                      "R_linea.txt v1: " + senza_generale, "R_7-.txt v1:"}));
}

// The line is checked with each train; a train that is not open is counted in it, and its
// problem with no place is shown there naming it.
TEST_F(DocumentiLsp, LaLineaConOgniTreno) {
  su_disco("R_1-.txt", treno());
  su_disco("R_2-.txt", treno("segnale, 12000, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n"));
  su_disco("R_3-.txt", "[generale]\r\nrallentamento, 0, 50, 200, 0, 0, 0\r\n[fine]\r\n");
  su_disco("S_9-.txt", "altro percorso");
  apri("R_linea.txt", linea_buona);
  EXPECT_EQ(pubblicati(),
            std::vector<std::string>{
                "R_linea.txt v1: "
                "[0:0-0:0 E R_2-.txt, which is not open, has 1 error and 0 warnings; the first: "
                "`segnale` field `posizione` 12000 m is beyond the route: on this 4000 m line, "
                "whose cells run 7000 m past its end, a `segnale` stands at 10900 m at most] "
                "[0:0-0:0 E1250 R_3-.txt: the identity marker has no room: cell 1 carries the "
                "route's identity, and the start of a slow order fills it; nothing is written]"});
}

TEST_F(DocumentiLsp, UnaModificaDellaLineaMostraIlTrenoAperto) {
  apri("R_linea.txt", linea_buona);
  apri("R_7-.txt", treno("segnale, 9000, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n"));
  const std::string fuori_linea =
      " [2:9-2:13 W `segnale` field `posizione` 9000 m is beyond the end of the line (4000 m)]";
  // Alone, the line is checked with no train service, which the compile cannot do without.
  EXPECT_EQ(pubblicati(),
            (std::vector<std::string>{"R_linea.txt v1: [0:0-0:0 E25 the train service file does "
                                      "not exist]",
                                      "R_linea.txt v1:", "R_7-.txt v1:" + fuori_linea}));
  // The line shortened to 1000 m: the signal now lies past the route.
  documenti_.modifica("file:///r/R_linea.txt", 2,
                      {{std::pair{posizione_lsp{1, 20}, posizione_lsp{1, 24}}, "1000"}});
  const std::string oltre =
      "`segnale` field `posizione` 9000 m is beyond the route: on this 1000 m line, whose cells "
      "run 7000 m past its end, a `segnale` stands at 7900 m at most";
  EXPECT_EQ(pubblicati(), (std::vector<std::string>{"R_linea.txt v2:",
                                                    "R_7-.txt v1: [2:9-2:13 E15 " + oltre + "]"}));
  // Closed, the train's list is emptied and the line, checked again with the train as saved,
  // counts its problem.
  su_disco("R_7-.txt", treno("segnale, 9000, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n"));
  documenti_.chiudi("file:///r/R_7-.txt");
  EXPECT_EQ(pubblicati(),
            (std::vector<std::string>{"R_7-.txt vnull:",
                                      "R_linea.txt v2: [0:0-0:0 E R_7-.txt, which is not open, "
                                      "has 1 error and 0 warnings; the first: " +
                                          oltre + "]"}));
  // With nothing of the route open, nothing is published.
  documenti_.chiudi("file:///r/R_linea.txt");
  EXPECT_EQ(pubblicati(), std::vector<std::string>{"R_linea.txt vnull:"});
}

TEST_F(DocumentiLsp, NomiCheNonPossonoEssereFile) {
  apri("-R_linea.txt", linea_buona);
  su_disco("R_linea.txt", linea_buona);
  apri("R_.x-.txt", treno());
  apri("note.txt", "stazione");
  apri("x-.txt", treno());
  EXPECT_EQ(pubblicati(),
            (std::vector<std::string>{
                "-R_linea.txt v1: [0:0-0:0 E the route name \"-R\" begins with \"-\"]",
                "R_.x-.txt v1: [0:0-0:0 E the train name \".x\" begins with \".\"]"}));
}

// The folder's longest route wins, as for the command line.
TEST_F(DocumentiLsp, IlPercorsoPiuLungoDellaCartella) {
  su_disco("A_linea.txt", "[generale]\r\n[fine]\r\n");
  su_disco("A_B_linea.txt", linea_buona);
  apri("A_B_7-.txt", treno());
  EXPECT_EQ(pubblicati(), std::vector<std::string>{"A_B_7-.txt v1:"});
}

TEST_F(DocumentiLsp, LaLineaIlleggibile) {
  disco_.illeggibili["/r/R_linea.txt"] = "cannot read R_linea.txt: not a regular file";
  disco_.file["/r/R_linea.txt"] = "";
  apri("R_7-.txt", treno());
  const std::vector<std::string> p = pubblicati();
  ASSERT_EQ(p.size(), 1u);
  EXPECT_EQ(p[0].substr(0, p[0].find(";")),
            "R_7-.txt v1: [0:0-0:0 E R_linea.txt, which is not open, has 1 error and 0 warnings");
  EXPECT_NE(p[0].find("the first: cannot read R_linea.txt: not a regular file]"),
            std::string::npos);
}

TEST_F(DocumentiLsp, CaratteriSenzaFormaWindows1252) {
  su_disco("R_linea.txt", linea_buona);
  // U+0101 at line 2, character 8; after an astral character its column counts two units.
  apri("R_7-.txt", "[generale]\r\nsabbia, 1\xC4\x81\r\n\xF0\x9F\x98\x80 \xC4\x81\r\n[fine]\r\n");
  const std::string avviso = " has no Windows-1252 form; the file cannot be saved as Windows-1252]";
  const std::vector<std::string> p = pubblicati();
  ASSERT_EQ(p.size(), 1u);
  EXPECT_TRUE(p[0].starts_with("R_7-.txt v1: [1:9-1:10 W character U+0101" + avviso +
                               " [2:0-2:2 W character U+1F600" + avviso +
                               " [2:3-2:4 W character U+0101" + avviso))
      << p[0];
  // Past the hundredth, counted.
  std::string molti = "[generale]\r\n";
  for (int i = 0; i < 103; ++i) molti += "\xC4\x81";
  documenti_.apri("file:///r/R_7-.txt", molti + "\r\n[fine]\r\n", 2);
  const std::vector<std::string> q = pubblicati();
  ASSERT_EQ(q.size(), 1u);
  EXPECT_NE(q[0].find("[1:99-1:100 W character U+0101"), std::string::npos);
  EXPECT_EQ(q[0].find("[1:100-1:101"), std::string::npos);
  EXPECT_NE(q[0].find("[0:0-0:0 W 3 more characters have no Windows-1252 form]"),
            std::string::npos);
}

TEST_F(DocumentiLsp, SalvatoInUnAltraCodifica) {
  su_disco("R_linea.txt", linea_buona);
  apri("R_7-.txt", treno());
  su_disco("R_7-.txt", "[generale]\r\nsabbia, 10\r\n# 70\xC2\xB0\r\n[fine]\r\n");
  documenti_.salva("file:///r/R_7-.txt");
  su_disco("R_7-.txt", "\xFF\xFE[");
  documenti_.salva("file:///r/R_7-.txt");
  su_disco("R_7-.txt", "x\x90");
  documenti_.salva("file:///r/R_7-.txt");
  su_disco("R_7-.txt", "[generale]\r\nsabbia, 10\r\n# 70\xB0\r\n[fine]\r\n");
  documenti_.salva("file:///r/R_7-.txt");
  EXPECT_EQ(pubblicati(),
            (std::vector<std::string>{
                "R_7-.txt v1:",
                "R_7-.txt v1: [2:4-2:5 W the file was saved as UTF-8, not Windows-1252: the "
                "compiler reads each character above 127 as two or three; save it as "
                "Windows-1252]",
                "R_7-.txt v1: [0:0-0:1 W the file was saved as UTF-16, not Windows-1252; save it "
                "as Windows-1252]",
                "R_7-.txt v1: [0:1-0:2 W the saved file holds byte 0x90, which is no "
                "Windows-1252 character: it was not saved as Windows-1252]",
                "R_7-.txt v1:"}));
}

// Ranges outside the text are clamped: past a line's end to it, past the last line to the end.
TEST_F(DocumentiLsp, ModificheFuoriDalTesto) {
  su_disco("R_linea.txt", linea_buona);
  apri("R_7-.txt", "[generale]\r\n[fine]\r\n");
  documenti_.modifica("file:///r/R_7-.txt", 2,
                      {{std::pair{posizione_lsp{0, 99}, posizione_lsp{0, 120}}, "\r\nsabbia, 1"},
                       {std::pair{posizione_lsp{50, 0}, posizione_lsp{40, 7}}, "x"},
                       {std::nullopt, "[generale]\r\nsabbia, 2\r\n"},
                       {std::pair{posizione_lsp{1, 8}, posizione_lsp{1, 9}}, "X"}});
  pubblicati();
  EXPECT_EQ(documenti_.aperto("file:///r/R_7-.txt")->testo, "[generale]\r\nsabbia, X\r\n");
  documenti_.modifica("file:///r/R_7-.txt", 3,
                      {{std::pair{posizione_lsp{0, 99}, posizione_lsp{0, 120}}, "\r\nsabbia, 1"},
                       {std::pair{posizione_lsp{50, 0}, posizione_lsp{40, 7}}, "[fine]"}});
  EXPECT_EQ(documenti_.aperto("file:///r/R_7-.txt")->testo,
            "[generale]\r\nsabbia, 1\r\nsabbia, X\r\n[fine]");
  // A change to a document that is not open is ignored.
  documenti_.modifica("file:///r/R_8-.txt", 1, {{std::nullopt, "x"}});
  EXPECT_FALSE(documenti_.aperto("file:///r/R_8-.txt").has_value());
}

// The quick fixes of the problems last published, for the ranges that meet theirs: from the
// field's first character to just past its last, and none once the fix is in.
TEST_F(DocumentiLsp, CorrezioniDellUltimaPubblicazione) {
  su_disco("R_linea.txt", linea_buona);
  apri("R_7-.txt", treno("segnale, 1660, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n"));
  pubblicati();
  const auto titoli = [&](int64_t da, int64_t a) {
    std::vector<std::string> t;
    for (const nlohmann::json& x : documenti_.correzioni("file:///r/R_7-.txt", {{2, da}, {2, a}})) {
      t.push_back(x.at("title").get<std::string>() + " " +
                  x.at("edit").at("changes").at("file:///r/R_7-.txt").dump());
    }
    return t;
  };
  const std::vector<std::string> tondo = {
      R"(round to 1650 [{"newText":"1650","range":{"end":{"character":13,"line":2},)"
      R"("start":{"character":9,"line":2}}}])"};
  EXPECT_EQ(titoli(9, 9), tondo);
  EXPECT_EQ(titoli(13, 13), tondo);
  EXPECT_EQ(titoli(0, 30), tondo);
  EXPECT_EQ(titoli(8, 8), std::vector<std::string>{});
  EXPECT_EQ(titoli(14, 20), std::vector<std::string>{});
  documenti_.modifica("file:///r/R_7-.txt", 2,
                      {{std::pair{posizione_lsp{2, 9}, posizione_lsp{2, 13}}, "1650"}});
  EXPECT_EQ(titoli(9, 9), std::vector<std::string>{});
  EXPECT_TRUE(documenti_.correzioni("file:///r/R_9-.txt", {}).empty());
}

// The sources a hover compiles: a train service with its line, a line with its route's first
// train service or alone; none when a source cannot be read or a name cannot be a file's.
TEST_F(DocumentiLsp, LaCoppiaDiUnDocumento) {
  su_disco("R_linea.txt", linea_buona);
  su_disco("R_2-.txt", treno("sabbia, 2\r\n"));
  su_disco("R_1-.txt", treno("sabbia, 1\r\n"));
  apri("R_2-.txt", treno("sabbia, 3\r\n"));
  apri("R_linea.txt", linea_buona);
  const auto treno_di = [&](const std::string& nome) -> std::string {
    const auto c = documenti_.coppia_di("file:///r/" + nome);
    if (!c) return "none";
    EXPECT_EQ(c->testi.linea, linea_buona);
    return c->opzioni.nome_linea + " " + c->opzioni.numero_treno + ": " +
           c->testi.treno.value_or("no text");
  };
  EXPECT_EQ(treno_di("R_2-.txt"), "R 2: " + treno("sabbia, 3\r\n"));
  EXPECT_EQ(treno_di("R_linea.txt"), "R 1: " + treno("sabbia, 1\r\n"));
  EXPECT_EQ(treno_di("R_9-.txt"), "none");
  apri("S_linea.txt", linea_buona);
  EXPECT_EQ(treno_di("S_linea.txt"), "S : no text");
  // A train whose name cannot be a file's is passed over for the line, and has none itself.
  apri("R_.x-.txt", treno());
  EXPECT_EQ(treno_di("R_.x-.txt"), "none");
  EXPECT_EQ(treno_di("R_linea.txt"), "R 1: " + treno("sabbia, 1\r\n"));
  disco_.illeggibili["/r/R_1-.txt"] = "cannot read R_1-.txt";
  EXPECT_EQ(treno_di("R_linea.txt"), "none");
}

}  // namespace
}  // namespace scenario::strumento
