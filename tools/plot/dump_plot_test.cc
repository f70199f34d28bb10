// scenario-tool dump and plot on compiled files: the shipped scenario as JSON and text, the
// pictures, and damaged or missing files, which end with status 1 and the reason.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <random>
#include <string_view>
#include <utility>
#include <vector>

#include "run/stati_uscita.h"
#include "tests/aiuti_test.h"

namespace scenario::strumento {
namespace {

namespace fs = std::filesystem;
using json = nlohmann::json;

const file_in_memoria& compilati() {
  static const test::compilazione c = test::compila(test::linea_spedita(), test::treno_spedito());
  return c.file;
}

class DumpPlot : public test::cartella_di_prova {
 protected:
  void SetUp() override {
    cartella_di_prova::SetUp();
    for (const auto& [nome, byte] : compilati().file) test::scrivi_file(cartella_ / nome, byte);
  }
  int esegui(const std::string& argomenti) { return esegui_strumento(argomenti); }
  void sostituisci(const std::string& nome, const std::string& byte) {
    test::scrivi_file(cartella_ / nome, byte);
  }
  json dump_json() {
    EXPECT_EQ(esegui("dump --json"), 0) << errori_;
    return json::parse(uscita_);
  }
};

const json& elemento_in(const json& d, int cella) {
  for (const json& e : d["features"]) {
    if (e["cell"] == cella) return e;
  }
  throw std::runtime_error("no feature in cell " + std::to_string(cella));
}

TEST_F(DumpPlot, JsonDelloScenarioSpedito) {
  const json d = dump_json();
  const json& n = d["counts"];
  EXPECT_EQ(n["stations"], 14);
  EXPECT_EQ(n["signals"], 29);
  EXPECT_EQ(n["slow_orders"], 1);
  EXPECT_EQ(n["speed_boards"], 7);
  EXPECT_EQ(n["signboards"], 21);
  EXPECT_EQ(n["tunnels"], 12);
  EXPECT_EQ(n["curves"], 27);
  EXPECT_EQ(d["identity"]["matches"], true);
  EXPECT_EQ(d["identity"]["slot_85"]["marker"], 610);
  EXPECT_EQ(d["identity"]["slot_85"]["weighted_code"], 35131);
  EXPECT_EQ(d["identity"]["cell_1"]["marker"], 5121);
  EXPECT_EQ(d["identity"]["cell_1"]["plain_code"], 2530);
  const json& arona = d["stations"][0];
  EXPECT_EQ(arona["slot"], 1);
  EXPECT_EQ(arona["name"], "ARONA");
  EXPECT_EQ(arona["time"], "11:55:00");
  EXPECT_EQ(arona["start"], -600);
  EXPECT_EQ(arona["end"], 600);
  const json& segnale = elemento_in(d, 304);
  EXPECT_EQ(segnale["position"], 15150);
  EXPECT_EQ(segnale["kind_name"], "signal");
  EXPECT_EQ(segnale["values"]["s1"], 5);
  EXPECT_EQ(segnale["values"]["d1"], 3);
  EXPECT_EQ(elemento_in(d, 472)["values"]["speed"], 50);
  const json& r = d["slow_orders"][0];
  EXPECT_EQ(r["start_cell"], 472);
  EXPECT_EQ(r["start"], 23550);
  EXPECT_EQ(r["speed"], 50);
  EXPECT_EQ(r["board_cell"], 448);
  EXPECT_EQ(elemento_in(d, 534)["text"], "(GALLERIA     )(MONTORFANO 2\u00B0)(m 68         )");
  EXPECT_EQ(d["layers"]["speed_limit"][0]["kmh"], 30);
  EXPECT_EQ(d["layers"]["gradient"][1]["per_mille"], 5);
  EXPECT_EQ(d["line_slots"][3]["values"][1]["value"], 57000);  // slot 84 fine
  EXPECT_EQ(d["track_plan"]["points"], 64001);
  EXPECT_EQ(d["curves"][0], json::parse(R"({"start": 1350, "length": 500, "class": 4,
      "direction": "right", "keyword": "curvad4", "radius": 1000})"));
}

// Every curve of the shipped line found again in its track plan, as its record gives it.
TEST_F(DumpPlot, LeCurveDelPianoSonoQuelleDellaLinea) {
  std::vector<json> attese;
  for (std::string_view riga : righe_linea) {
    if (!riga.starts_with("curva")) continue;
    const std::string r(riga);
    const std::size_t virgola = r.find(','), seconda = r.find(',', virgola + 1);
    attese.push_back({{"start", std::stoi(r.substr(virgola + 1))},
                      {"length", std::stoi(r.substr(seconda + 1))},
                      {"keyword", r.substr(0, virgola)}});
  }
  const json d = dump_json();
  ASSERT_EQ(d["curves"].size(), attese.size());
  for (std::size_t i = 0; i < attese.size(); ++i) {
    const json& c = d["curves"][i];
    EXPECT_EQ((json{{"start", c["start"]}, {"length", c["length"]}, {"keyword", c["keyword"]}}),
              attese[i])
        << i;
  }
}

TEST_F(DumpPlot, JsonDichiaraIlFormato) {
  ASSERT_EQ(esegui("dump --json"), 0) << errori_;
  EXPECT_EQ(uscita_.substr(0, 18), "{\n  \"formato\": 2,\n");
  EXPECT_EQ(json::parse(uscita_)["formato"], 2);
}

// Slot 1 renamed: the station table keeps its layout, 16 bytes, the name, 18 bytes per slot.
std::string con_nome_stazione(const std::string& sim, const std::string& nome) {
  const std::size_t inizio_1 = 34;  // slot 0 has no name
  const auto lunghezza =
      static_cast<std::size_t>(static_cast<unsigned char>(sim[inizio_1 + 14]) |
                               static_cast<unsigned char>(sim[inizio_1 + 15]) << 8);
  std::string r = sim.substr(0, inizio_1 + 14);
  r += static_cast<char>(nome.size() & 0xFF);
  r += static_cast<char>(nome.size() >> 8);
  r += nome;
  r += sim.substr(inizio_1 + 16 + lunghezza);
  return r;
}

TEST_F(DumpPlot, NomiConControlliEWindows1252) {
  const std::string sim = compilati().file.at("ARONA_DOMODOSSOLA_324.sim");
  sostituisci("ARONA_DOMODOSSOLA_324.sim", con_nome_stazione(sim, "AR\x1b[2J\x07\x9d\\\x80\xe8"));
  ASSERT_EQ(esegui("dump"), 0) << errori_;
  EXPECT_EQ(uscita_.find('\x1b'), std::string::npos);
  EXPECT_EQ(uscita_.find('\x07'), std::string::npos);
  for (const char* riga : {"     1  AR\\x1b[2J\\x07\\x9d\\\\\u20ac\u00e8     8      -600..600      "
                           "      0  11:55:00  11\n",
                           "    11       500  station stop              slot=1 "
                           "\"AR\\x1b[2J\\x07\\x9d\\\\\u20ac\u00e8\"\n"}) {
    EXPECT_NE(uscita_.find(riga), std::string::npos) << riga << "\n" << uscita_;
  }
  const json d = dump_json();
  EXPECT_EQ(d["stations"][0]["name"], "AR\x1b[2J\x07\u009d\\\u20ac\u00e8");
  EXPECT_NE(uscita_.find("\"AR\\u001b[2J\\u0007"), std::string::npos) << uscita_.substr(0, 2000);
}

// Points of a track plan, each a double: a zig-zag 2000 km across.
std::string meta_di_reali(std::size_t punti) {
  std::string meta;
  for (std::size_t i = 0; i < punti; ++i) {
    const int16_t etichetta = 5;
    const double v = i % 2 ? 1e6 : -1e6;
    meta.append(reinterpret_cast<const char*>(&etichetta), 2);
    meta.append(reinterpret_cast<const char*>(&v), 8);
  }
  return meta;
}

// Each compiled file is read at the largest size its layout allows for the longest line, the
// track plan a block at a time, and refused before it is read when it is any larger; a track
// plan small enough but with more points than the longest line's is refused as it is read.
TEST_F(DumpPlot, OgniFileFinoAllaSuaMisuraMassima) {
  // 87 slots, each with a name of 32767 bytes, the most its 16-bit length allows.
  std::string stazioni;
  for (int i = 0; i < 87; ++i) {
    stazioni +=
        std::string(14, '\0') + "\xff\x7f" + std::string(32767, 'A') + std::string(18, '\0');
  }
  const std::string reali = meta_di_reali(1007001);
  struct caso {
    const char* file;
    std::string massimo;    // a readable file of the largest size
    std::uintmax_t in_piu;  // the least that makes it larger and keeps its layout
  };
  const caso casi[] = {
      {"ARONA_DOMODOSSOLA_324.dat", std::string(302115, '\0'), 15},
      {"ARONA_DOMODOSSOLA_324.sim", stazioni, 1},
      {"ARONA_DOMODOSSOLA_linea.dat", reali + reali, 2},
  };
  for (const caso& c : casi) {
    const fs::path p = cartella_ / c.file;
    sostituisci(c.file, c.massimo);
    EXPECT_EQ(esegui("dump"), 0) << c.file << errori_;
    fs::resize_file(p, c.massimo.size() + c.in_piu);
    EXPECT_EQ(esegui("dump"), uscita_compilato_danneggiato) << c.file;
    EXPECT_EQ(errori_, "scenario-tool: ./" + std::string(c.file) + ": damaged file: " +
                           std::to_string(c.massimo.size() + c.in_piu) + " bytes, more than the " +
                           std::to_string(c.massimo.size()) + " such a file may hold here\n");
    EXPECT_EQ(uscita_, "");
    sostituisci(c.file, compilati().file.at(c.file));
  }
  // 20140020 bytes of empty points: 5035005 in each half.
  sostituisci("ARONA_DOMODOSSOLA_linea.dat", "");
  fs::resize_file(cartella_ / "ARONA_DOMODOSSOLA_linea.dat", 20140020);
  EXPECT_EQ(esegui("dump"), uscita_compilato_danneggiato);
  EXPECT_EQ(errori_,
            "scenario-tool: ./ARONA_DOMODOSSOLA_linea.dat: damaged file: more than the 1007001 "
            "points a half may hold here\n");
}

TEST_F(DumpPlot, TestoPerGliAutori) {
  ASSERT_EQ(esegui("dump"), 0) << errori_;
  for (const char* riga :
       {"Identity: matches the route and train",
        "     1  ARONA                    8      -600..600            0  11:55:00  11",
        "   304     15150  signal                    sx=2 s1=5 s2=6 s3=0 dx=1 d1=3 d2=0 d3=0",
        "  50 km/h from cell 472 (23550 m) to cell 476 (23750 m), warning board cell 448",
        "     800 -   1500 m  cells   16 -   29  type 2  lamps 3  GALLERIA DI ARONA m 670",
        "    1050 -   5150 m  cells   21 -  102  110 km/h",
        "Curves (27)\n     start m  length m  class  direction  radius m  keyword\n"
        "        1350       500      4  right          1000  curvad4\n",
        "       49900       300      5  left            500  curvas5\n"}) {
    EXPECT_NE(uscita_.find(riga), std::string::npos) << riga << "\n" << uscita_;
  }
}

TEST_F(DumpPlot, TracciatoAssenteNonFermaIlDump) {
  fs::remove(cartella_ / "ARONA_DOMODOSSOLA_linea.dat");
  ASSERT_EQ(esegui("dump"), 0) << errori_;
  EXPECT_NE(uscita_.find("ARONA_DOMODOSSOLA_linea.dat      absent"), std::string::npos);
  EXPECT_NE(uscita_.find("\nCurves: no track plan, ARONA_DOMODOSSOLA_linea.dat is absent\n"),
            std::string::npos);
  const json d = dump_json();
  EXPECT_EQ(d["track_plan"]["present"], false);
  EXPECT_EQ(d["curves"], json::array());
  EXPECT_EQ(esegui("plot --out senza_piano.png"), 0) << errori_;
  EXPECT_NE(errori_.find("no track plan"), std::string::npos);
}

TEST_F(DumpPlot, IdentitaDiUnAltroTreno) {
  fs::rename(cartella_ / "ARONA_DOMODOSSOLA_324.dat", cartella_ / "ARONA_DOMODOSSOLA_325.dat");
  fs::rename(cartella_ / "ARONA_DOMODOSSOLA_324.sim", cartella_ / "ARONA_DOMODOSSOLA_325.sim");
  ASSERT_EQ(esegui("dump --train 325"), 0) << errori_;
  EXPECT_NE(uscita_.find("DOES NOT MATCH"), std::string::npos);
  EXPECT_NE(uscita_.find("slot 85 orario     35131  weighted code, expected 35134: MISMATCH"),
            std::string::npos)
      << uscita_;
}

struct guasto {
  const char* file;
  std::string (*byte)(const std::string& buono);
  const char* messaggio;
};

const guasto guasti[] = {
    {"ARONA_DOMODOSSOLA_324.dat", [](const std::string& b) { return b.substr(0, b.size() - 1); },
     "ARONA_DOMODOSSOLA_324.dat: damaged file: size 19214 is not a multiple of 15 bytes\n"},
    {"ARONA_DOMODOSSOLA_324.sim", [](const std::string& b) { return b.substr(0, 100); },
     "ARONA_DOMODOSSOLA_324.sim: damaged file: slot 2: file ends early at byte 100\n"},
    {"ARONA_DOMODOSSOLA_324.sim", [](const std::string& b) { return b + "xx"; },
     "ARONA_DOMODOSSOLA_324.sim: damaged file: 2 byte(s) past the 87 station slots\n"},
    // The last three slots: 34 bytes, then the route and the train name.
    {"ARONA_DOMODOSSOLA_324.sim",
     [](const std::string& b) { return b.substr(0, b.size() - 3 * 34 - 17 - 3); },
     "ARONA_DOMODOSSOLA_324.sim: damaged file: 84 station slots instead of 87\n"},
    {"ARONA_DOMODOSSOLA_324.sim",
     [](const std::string& b) { return b.substr(0, 14) + "\xff\xff" + b.substr(16); },
     "ARONA_DOMODOSSOLA_324.sim: damaged file: slot 0: negative name length\n"},
    {"ARONA_DOMODOSSOLA_linea.dat", [](const std::string& b) { return "\x07" + b.substr(1); },
     "ARONA_DOMODOSSOLA_linea.dat: damaged file: invalid tag 7 at byte 0\n"},
    {"ARONA_DOMODOSSOLA_linea.dat", [](const std::string& b) { return b.substr(0, b.size() - 2); },
     "ARONA_DOMODOSSOLA_linea.dat: damaged file: an element of the x half runs past the middle "
     "of the file (byte 639981)\n"},
    {"ARONA_DOMODOSSOLA_linea.dat", [](const std::string& b) { return b.substr(0, b.size() - 1); },
     "ARONA_DOMODOSSOLA_linea.dat: damaged file: odd size 1279963\n"},
};

// A damaged compiled file has its own status, apart from 1 (a code recorded by compile).
TEST_F(DumpPlot, FileGuastiDannoIlLoroStatoEIlPerche) {
  for (const guasto& g : guasti) {
    const std::string buono = compilati().file.at(g.file);
    sostituisci(g.file, g.byte(buono));
    for (const char* comando : {"dump", "dump --json", "plot --out x.png"}) {
      EXPECT_EQ(esegui(comando), uscita_compilato_danneggiato) << comando << " " << g.messaggio;
      EXPECT_NE(errori_.find(g.messaggio), std::string::npos) << comando << "\n" << errori_;
      EXPECT_EQ(uscita_, "") << comando;
    }
    EXPECT_FALSE(fs::exists(cartella_ / "x.png"));
    sostituisci(g.file, buono);
  }
}

TEST_F(DumpPlot, FileMancantiOCartelle) {
  fs::remove(cartella_ / "ARONA_DOMODOSSOLA_324.sim");
  EXPECT_EQ(esegui("dump"), 5);
  EXPECT_NE(errori_.find("ARONA_DOMODOSSOLA_324.sim: not found"), std::string::npos) << errori_;
  fs::remove(cartella_ / "ARONA_DOMODOSSOLA_324.dat");
  fs::create_directory(cartella_ / "ARONA_DOMODOSSOLA_324.dat");
  EXPECT_EQ(esegui("plot --out x.svg"), 5);
  EXPECT_NE(errori_.find("ARONA_DOMODOSSOLA_324.dat: not a regular file"), std::string::npos)
      << errori_;
}

TEST_F(DumpPlot, UsoSbagliatoDaStatoDue) {
  for (const char* argomenti :
       {"dump --route ../x", "dump --train a/b", "dump --frobnicate", "plot", "plot --out x.jpg",
        "plot --out x", "plot --train '' --out x.png"}) {
    EXPECT_EQ(esegui(argomenti), 2) << argomenti;
  }
}

bool inizia_con(const std::string& t, const std::string& testa) { return t.rfind(testa, 0) == 0; }

uint32_t grande_endian(const std::string& b, std::size_t i) {
  uint32_t v = 0;
  for (std::size_t k = 0; k < 4; ++k) v = (v << 8) | static_cast<unsigned char>(b[i + k]);
  return v;
}

TEST_F(DumpPlot, ImmaginiPngESvg) {
  ASSERT_EQ(esegui("plot --out percorso.png"), 0) << errori_;
  const std::string png = test::leggi_file(cartella_ / "percorso.png");
  ASSERT_TRUE(inizia_con(png, "\x89PNG\r\n\x1a\n"));
  EXPECT_EQ(png.substr(12, 4), "IHDR");
  EXPECT_EQ(grande_endian(png, 16), 1800u);
  EXPECT_EQ(grande_endian(png, 20), 1230u);
  ASSERT_EQ(esegui("plot --out PERCORSO.SVG"), 0) << errori_;
  const std::string svg = test::leggi_file(cartella_ / "PERCORSO.SVG");
  EXPECT_TRUE(inizia_con(svg, "<?xml")) << svg.substr(0, 100);
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_NE(svg.rfind("</svg>"), std::string::npos);
  EXPECT_EQ(esegui("plot --out manca/percorso.png"), uscita_file);
  EXPECT_NE(errori_.find("manca/percorso.png: cannot be written"), std::string::npos) << errori_;
}

// --- plot on files at their limits --------------------------------------------------------

// The track plan with point i's x (a double, from point 2 on) set to v.
std::string piano_con_x(std::string piano, std::size_t i, double v) {
  piano.replace(8 + (i - 2) * 10 + 2, sizeof v, reinterpret_cast<const char*>(&v), sizeof v);
  return piano;
}

// The station file with the area of slots 1 to 14 set to inizio..fine.
std::string stazioni_con_area(std::string byte, int32_t inizio, int32_t fine) {
  std::size_t voce = 0;
  for (int slot = 0; slot < 87; ++slot) {
    if (slot >= 1 && slot <= 14) {
      byte.replace(voce + 1, 4, reinterpret_cast<const char*>(&inizio), 4);
      byte.replace(voce + 5, 4, reinterpret_cast<const char*>(&fine), 4);
    }
    int16_t n = 0;
    std::memcpy(&n, &byte[voce + 14], 2);
    voce += 34 + static_cast<std::size_t>(n);
  }
  return byte;
}

struct file_estremo {
  const char* nome;
  const char* file;
  std::string (*byte)(const std::string& buono);
};

const file_estremo estremi[] = {
    {"a point 1e20 m off the line", "ARONA_DOMODOSSOLA_linea.dat",
     [](const std::string& b) { return piano_con_x(b, 30000, 1e20); }},
    {"a point -1e20 m off the line", "ARONA_DOMODOSSOLA_linea.dat",
     [](const std::string& b) { return piano_con_x(b, 30000, -1e20); }},
    {"infinity and NaN in the plan", "ARONA_DOMODOSSOLA_linea.dat",
     [](const std::string& b) {
       return piano_con_x(piano_con_x(b, 100, HUGE_VAL), 200, std::nan(""));
     }},
    {"station areas of +-1e9 m", "ARONA_DOMODOSSOLA_324.sim",
     [](const std::string& b) { return stazioni_con_area(b, -1000000000, 1000000000); }},
    {"station areas ending before they start", "ARONA_DOMODOSSOLA_324.sim",
     [](const std::string& b) { return stazioni_con_area(b, 1000000000, -1000000000); }},
};

// Each once hung plot or took minutes; each must be drawn in both formats.
TEST_F(DumpPlot, PlotDiFileEstremiFinisce) {
  for (const file_estremo& e : estremi) {
    const std::string buono = compilati().file.at(e.file);
    sostituisci(e.file, e.byte(buono));
    for (const char* immagine : {"estremo.png", "estremo.svg"}) {
      EXPECT_EQ(esegui(std::string("plot --out ") + immagine), 0) << e.nome << "\n" << errori_;
      EXPECT_GT(fs::file_size(cartella_ / immagine), 1000u) << e.nome;
    }
    sostituisci(e.file, buono);
  }
}

// Files of the largest route the compiler makes (1000 km and its run-out), crafted so that
// every cell holds a signal, every other cell a tunnel and the plan zig-zags 2000 km across.
TEST_F(DumpPlot, PlotDelPercorsoMassimo) {
  constexpr std::size_t punti = 1007001, celle = punti / 50;
  std::string percorso(celle * 15, '\0');
  for (std::size_t c = 0; c < celle; ++c) {
    percorso[c * 15] = 1;                               // a signal
    percorso[c * 15 + 11] = static_cast<char>(c % 2);   // a tunnel every other cell
    percorso[c * 15 + 12] = static_cast<char>(c % 40);  // speed limits from 0 to 195 km/h
    percorso[c * 15 + 13] = static_cast<char>(90 + c % 20);
  }
  const std::string meta = meta_di_reali(punti);
  sostituisci("ARONA_DOMODOSSOLA_324.dat", percorso);
  sostituisci("ARONA_DOMODOSSOLA_linea.dat", meta + meta);
  EXPECT_EQ(esegui("plot --out massimo.png"), 0) << errori_;
  EXPECT_EQ(esegui("plot --out massimo.svg"), 0) << errori_;
}

// Cells that end before the line does: stations past the last cell are off the profile, not
// drawn at x = 0 (their x once came out NaN).
TEST_F(DumpPlot, StazioniOltreLeCelleFuoriDalProfilo) {
  const std::string celle = compilati().file.at("ARONA_DOMODOSSOLA_324.dat");
  sostituisci("ARONA_DOMODOSSOLA_324.dat", celle.substr(0, 60 * 15));
  ASSERT_EQ(esegui("plot --out corto.svg"), 0) << errori_;
  const std::string svg = test::leggi_file(cartella_ / "corto.svg");
  EXPECT_NE(svg.find(">ARONA 11:55</text>"), std::string::npos);
  EXPECT_EQ(svg.find("points=\"0,"), std::string::npos);
}

// The SVG keeps its words as text, with tooltips; signals are labelled only when asked.
TEST_F(DumpPlot, SvgConTestiEEtichetteDeiSegnali) {
  ASSERT_EQ(esegui("plot --out p.svg"), 0) << errori_;
  std::string svg = test::leggi_file(cartella_ / "p.svg");
  EXPECT_NE(svg.find(">ARONA</text>"), std::string::npos);
  EXPECT_NE(svg.find("<title>ARONA: km 0.000, area -600 to 600 m, 11:55:00</title>"),
            std::string::npos);
  EXPECT_NE(svg.find(">DOMODOSSOLA 12:39</text>"), std::string::npos);
  EXPECT_EQ(svg.find("<symbol"), std::string::npos);  // no glyph outlines
  EXPECT_EQ(svg.find(">15.15</text>"), std::string::npos);
  ASSERT_EQ(esegui("plot --out p.svg --signal-labels"), 0) << errori_;
  svg = test::leggi_file(cartella_ / "p.svg");
  EXPECT_NE(svg.find(">15.15</text>"), std::string::npos);
  EXPECT_NE(svg.find("<title>signal at 15150 m, cell 304"), std::string::npos);
}

// The station file with the time of slot 1 (ARONA, 5 bytes of name) set to `secondi`.
std::string con_orario_arona(std::string sim, int32_t secondi) {
  const std::size_t orario = 34 + 30 + 5;
  for (std::size_t k = 0; k < 4; ++k) {
    sim[orario + k] = static_cast<char>((static_cast<uint32_t>(secondi) >> (8 * k)) & 0xFF);
  }
  return sim;
}

// What an author looks for in the picture, as the SVG keeps it: each curve's keyword, the
// signboards but those that announce a tunnel (the tunnel carries their words), the speeds of
// each speed-indicator board, a time's seconds when it has any, and which distance each axis
// measures.
TEST_F(DumpPlot, SvgConCurveCartelliEIndicatori) {
  ASSERT_EQ(esegui("plot --out p.svg"), 0) << errori_;
  const std::string svg = test::leggi_file(cartella_ / "p.svg");
  for (const char* testo :
       {">curvad4</text>",
        "<title>curvad4: right curve of class 4, radius about 1000 m, from 1350 m to 1850 m"
        "</title>",
        ">TORRENTE TIASCA</text>", "<title>signboard at 4450 m: TORRENTE TIASCA</title>",
        ">ABBASSARE I PANTOGRAFI a m 1000</text>", ">105/110/110</text>",
        "<title>speed-indicator board at 1050 m: 105/110/110 km/h</title>",
        ">km along the line, from its start (the positions of the sources)</text>",
        ">km along the chord, the straight line from the start to the end (the posts on the "
        "track: km along the line)</text>",
        ">km across the chord</text>", ">ARONA 11:55</text>"}) {
    EXPECT_NE(svg.find(testo), std::string::npos) << testo;
  }
  EXPECT_EQ(svg.find(">GALLERIA DI ARONA m 670</text>"), std::string::npos);
  const std::string sim = compilati().file.at("ARONA_DOMODOSSOLA_324.sim");
  for (const auto& [secondi, testo] :
       {std::pair{42930, ">ARONA 11:55:30</text>"}, std::pair{42901, ">ARONA 11:55:01</text>"},
        std::pair{42960, ">ARONA 11:56</text>"}}) {
    sostituisci("ARONA_DOMODOSSOLA_324.sim", con_orario_arona(sim, secondi));
    ASSERT_EQ(esegui("plot --out p.svg"), 0) << errori_;
    EXPECT_NE(test::leggi_file(cartella_ / "p.svg").find(testo), std::string::npos) << testo;
  }
}

// A source changed after the compiled files were written: dump and plot say so on standard
// error before they show the files, and end as they would without it. Equal times are no
// warning: only a change after the compile is.
TEST_F(DumpPlot, SorgentePiuRecenteDeiCompilati) {
  const auto compilati_alle = fs::last_write_time(cartella_ / "ARONA_DOMODOSSOLA_324.dat");
  for (const char* nome : {"ARONA_DOMODOSSOLA_324.sim", "ARONA_DOMODOSSOLA_linea.dat"}) {
    fs::last_write_time(cartella_ / nome, compilati_alle);
  }
  sostituisci("ARONA_DOMODOSSOLA_linea.txt", test::linea_spedita());
  sostituisci("ARONA_DOMODOSSOLA_324-.txt", test::treno_spedito());
  const std::string avviso =
      "scenario-tool: warning: ARONA_DOMODOSSOLA_324-.txt was changed after "
      "ARONA_DOMODOSSOLA_324.dat was written, so this does not show the change; compile again\n";
  const struct {
    std::chrono::seconds treno;
    std::string errori;
  } casi[] = {{std::chrono::seconds{1}, avviso},
              {std::chrono::seconds{0}, ""},
              {std::chrono::seconds{-1}, ""}};
  fs::last_write_time(cartella_ / "ARONA_DOMODOSSOLA_linea.txt",
                      compilati_alle - std::chrono::seconds{1});
  for (const auto& c : casi) {
    fs::last_write_time(cartella_ / "ARONA_DOMODOSSOLA_324-.txt", compilati_alle + c.treno);
    for (const char* comando : {"dump", "dump --json", "plot --out p.png"}) {
      EXPECT_EQ(esegui(comando), 0) << comando;
      EXPECT_EQ(errori_, c.errori) << comando << " " << c.treno.count();
    }
  }
  // One compiled file older than the source is enough.
  fs::last_write_time(cartella_ / "ARONA_DOMODOSSOLA_324-.txt", compilati_alle);
  fs::last_write_time(cartella_ / "ARONA_DOMODOSSOLA_linea.dat",
                      compilati_alle - std::chrono::seconds{1});
  EXPECT_EQ(esegui("dump"), 0);
  EXPECT_EQ(errori_,
            "scenario-tool: warning: ARONA_DOMODOSSOLA_324-.txt was changed after "
            "ARONA_DOMODOSSOLA_linea.dat was written, so this does not show the change; compile "
            "again\n");
}

// Only the drawing program loads cairo; scenario-tool finds it beside itself or in
// ../lib/scenario-tool, and says so when it is in neither.
TEST_F(DumpPlot, ProgrammaDelDisegnoAParte) {
  const fs::path build = CARTELLA_BUILD;
  ASSERT_EQ(std::system(("ldd '" + (build / "scenario-tool").string() + "' >" +
                         (cartella_ / "ldd.txt").string())
                            .c_str()),
            0);
  const std::string librerie = test::leggi_file(cartella_ / "ldd.txt");
  for (const char* nome : {"cairo", "fontconfig", "libX11", "freetype"}) {
    EXPECT_EQ(librerie.find(nome), std::string::npos) << nome << "\n" << librerie;
  }
  const fs::path installato = cartella_ / "installato";
  fs::create_directories(installato / "bin");
  fs::create_directories(installato / "lib/scenario-tool");
  fs::copy_file(build / "scenario-tool", installato / "bin/scenario-tool");
  const std::string comando = "cd '" + cartella_.string() + "' && '" +
                              (installato / "bin/scenario-tool").string() +
                              "' plot --out i.png 2>errori.log";
  EXPECT_EQ(WEXITSTATUS(std::system(comando.c_str())), 4);
  EXPECT_EQ(test::leggi_file(cartella_ / "errori.log"),
            "scenario-tool: plot needs scenario-tool-plot: looked for at " +
                (installato / "bin/scenario-tool-plot").string() + " and " +
                (installato / "lib/scenario-tool/scenario-tool-plot").string() + "\n");
  fs::copy_file(build / "scenario-tool-plot", installato / "lib/scenario-tool/scenario-tool-plot");
  EXPECT_EQ(WEXITSTATUS(std::system(comando.c_str())), 0);
  EXPECT_TRUE(inizia_con(test::leggi_file(cartella_ / "i.png"), "\x89PNG"));
}

// Cells of any bytes are read, described and drawn: no value may crash either command.
TEST_F(DumpPlot, CelleACasoNonFannoCadere) {
  std::mt19937 generatore(324);
  std::string celle(compilati().file.at("ARONA_DOMODOSSOLA_324.dat").size(), '\0');
  for (char& c : celle) c = static_cast<char>(generatore() & 0xFF);
  sostituisci("ARONA_DOMODOSSOLA_324.dat", celle);
  EXPECT_EQ(esegui("dump --json"), 0) << errori_;
  EXPECT_TRUE(json::accept(uscita_));
  EXPECT_EQ(esegui("dump"), 0) << errori_;
  EXPECT_EQ(esegui("plot --out caso.png"), 0) << errori_;
}

}  // namespace
}  // namespace scenario::strumento
