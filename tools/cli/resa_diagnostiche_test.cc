// The text and JSON forms of a problem: the caret under the whole field wherever the line is
// cut, bytes a terminal would act on escaped, Windows-1252 shown as UTF-8, colour only when
// asked, and JSON that is always valid.
#include "tools/cli/resa_diagnostiche.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario::strumento {
namespace {

const opzioni_compilazione opzioni{"R", "7", true};

// A warning on the field of `testo` that starts at byte `inizio` and is `n` bytes long, on
// line 1 of the train service.
diagnostica su(const std::string& testo, std::size_t inizio, std::size_t n) {
  diagnostica d;
  d.livello = gravita::avviso;
  d.file = "R_7-.txt";
  const auto c = static_cast<int32_t>(inizio) + 1;
  d.dove = {1, c, c + static_cast<int32_t>(n), inizio, inizio + n};
  d.messaggio = "m";
  (void)testo;
  return d;
}

std::string resa(const std::string& treno, const diagnostica& d, bool colore = false) {
  const testi_sorgenti t{std::nullopt, treno};
  return testo_diagnostica(d, {t, opzioni, "d", colore});
}

struct caso {
  const char* nome;
  std::string riga;
  std::size_t inizio, n;
  std::string atteso;  // the two lines under the header
};

void PrintTo(const caso& c, std::ostream* os) { *os << c.nome; }

const std::string lunga = std::string(250, 'a') + "12345" + std::string(45, 'b');

const caso casi[] = {
    {"Campo", "segnale, 1800, 2", 9, 4, "  segnale, 1800, 2\n           ^~~~\n"},
    {"CampoVuotoInFondo", "stazione, 0,", 12, 0, "  stazione, 0,\n              ^\n"},
    {"TabulazioneComeBianco", "\tsabbia, 10", 9, 2, "   sabbia, 10\n           ^~\n"},
    // A byte a terminal would act on is shown escaped, and the caret moves with it.
    {"EscapeSfuggito", "x\x1b, 12", 4, 2, "  x\\x1B, 12\n         ^~\n"},
    {"Windows1252InUtf8", "70\xB0, 12", 5, 2, "  70\xC2\xB0, 12\n       ^~\n"},
    // A long line is cut to 200 bytes, the field's start a hundred bytes in where it can be.
    {"RigaLungaTagliata", lunga, 250, 5,
     "  ..." + std::string(150, 'a') + "12345" + std::string(45, 'b') + "\n" +
         std::string(155, ' ') + "^~~~~\n"},
};

class ResaDiagnostiche : public ::testing::TestWithParam<caso> {};

TEST_P(ResaDiagnostiche, RigaESegno) {
  const caso& c = GetParam();
  EXPECT_EQ(resa(c.riga + "\r\n", su(c.riga, c.inizio, c.n)),
            "d/R_7-.txt:1:" + std::to_string(c.inizio + 1) + ": warning: m\n" + c.atteso);
}

INSTANTIATE_TEST_SUITE_P(Righe, ResaDiagnostiche, ::testing::ValuesIn(casi),
                         [](const auto& i) { return std::string(i.param.nome); });

TEST(ResaDiagnostiche, ErroreConPosizioneNotaECorrezione) {
  const std::string treno = "velocita, 800, 87\r\nsegnale, 800\r\n";
  diagnostica d = su(treno, 15, 2);
  d.livello = gravita::errore;
  d.codice = 16;
  d.posizione = 800;
  d.messaggio = "a \xB0";
  d.correzioni.push_back({"round to 85", {{"R_7-.txt", d.dove, "85"}}});
  d.note.push_back({"R_7-.txt", {2, 1, 8, 19, 26}, "here"});
  d.note.push_back({"R_linea.txt", {3, 1, 2, 9, 10}, "not at hand"});
  EXPECT_EQ(resa(treno, d),
            "d/R_7-.txt:1:16: error 16: a \xC2\xB0 (position 800 m)\n"
            "  velocita, 800, 87\n"
            "                 ^~\n"
            "                 85\n"
            "d/R_7-.txt:2:1: note: here\n"
            "  segnale, 800\n"
            "  ^~~~~~~\n"
            "d/R_linea.txt:3:1: note: not at hand\n");
  const std::string colorata = resa(treno, d, true);
  EXPECT_EQ(colorata.substr(0, colorata.find('\n') + 1),
            "\x1b[1md/R_7-.txt:1:16: \x1b[0m\x1b[1;31merror 16:\x1b[0m a \xC2\xB0 (position 800 "
            "m)\n");
}

TEST(ResaDiagnostiche, SenzaLuogo) {
  diagnostica d;
  d.codice = 12;
  d.messaggio = "no free cell";
  EXPECT_EQ(resa("", d), "error 12: no free cell\n");
  d.file = "R_7-.txt";
  EXPECT_EQ(resa("", d), "d/R_7-.txt: error 12: no free cell\n");
}

TEST(ResaDiagnostiche, JsonSempreUtf8) {
  raccolta_diagnostiche r(1);
  diagnostica d = su("", 0, 1);
  d.messaggio = "byte \x81 and \xB0 and \x1b";
  r.aggiungi(d);
  r.aggiungi(d);
  const nlohmann::json j = json_diagnostiche(r, "d");
  EXPECT_EQ(j["problems"][0]["message"], "byte \xC2\x81 and \xC2\xB0 and \x1b");
  EXPECT_FALSE(j["problems"][0].contains("position"));
  EXPECT_EQ(j["warnings"], 2);
  EXPECT_EQ(j["not_shown"], 1);
  // Dumping with the strict handler throws on invalid UTF-8: it must not.
  EXPECT_NO_THROW((void)j.dump());
  EXPECT_EQ(riassunto(r), "0 errors, 2 warnings, 1 more not shown");
}

}  // namespace
}  // namespace scenario::strumento
