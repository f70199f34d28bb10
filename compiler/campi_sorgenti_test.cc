// The table of keywords and fields against the parsers and the shipped sources: the minimal
// route compiles with code 0.
#include "compiler/campi_sorgenti.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "compiler/codici_errore.h"
#include "tests/aiuti_test.h"

namespace scenario {
namespace {

// The keyword entry a record's first field belongs to; curves by their common start.
const parola_sorgente* parola_del_record(file_sorgente file, const std::string& campo) {
  if (campo.rfind("curva", 0) == 0) {
    return cerca_parola(file, "curvad1 ... curvad6, curvas1 ... curvas6");
  }
  return cerca_parola(file, campo);
}

std::vector<std::string> campi_della_riga(std::string_view riga) {
  std::vector<std::string> campi;
  std::size_t inizio = 0;
  for (;;) {
    const std::size_t virgola = riga.find(',', inizio);
    std::string c(riga.substr(inizio, virgola - inizio));
    c.erase(0, c.find_first_not_of(' '));
    c.erase(c.find_last_not_of(' ') + 1);
    campi.push_back(c);
    if (virgola == std::string_view::npos) return campi;
    inizio = virgola + 1;
  }
}

// Every record of `righe` has a keyword of the table, as many fields as the table lists, and
// values within their documented ranges (an empty number field reads as 0).
void controlla_righe(file_sorgente file, const std::vector<std::string_view>& righe) {
  for (std::string_view riga : righe) {
    if (riga.empty() || riga.front() == '[') continue;
    const std::vector<std::string> campi = campi_della_riga(riga);
    const parola_sorgente* p = parola_del_record(file, campi.front());
    ASSERT_NE(p, nullptr) << riga;
    // The clock's three numbers may be separated by blanks instead of commas.
    if (std::string(p->parola) == "orologio") continue;
    ASSERT_EQ(campi.size(), p->campi.size() + 1) << riga;
    for (std::size_t i = 0; i < p->campi.size(); ++i) {
      const campo_sorgente& c = p->campi[i];
      if (c.testo()) continue;
      const int64_t v = campi[i + 1].empty() ? 0 : std::stoll(campi[i + 1]);
      EXPECT_GE(v, c.minimo) << riga << " field " << c.nome;
      EXPECT_LE(v, c.massimo) << riga << " field " << c.nome;
    }
  }
}

TEST(CampiSorgenti, IRecordSpeditiHannoParolaECampiDellaTabella) {
  controlla_righe(file_sorgente::linea, righe_linea);
  controlla_righe(file_sorgente::treno, righe_treno);
}

TEST(CampiSorgenti, IRecordDellEsempioHannoParolaECampiDellaTabella) {
  for (file_sorgente f : {file_sorgente::linea, file_sorgente::treno}) {
    std::vector<std::string_view> righe;
    for (const riga_esempio& r : righe_esempio(f)) righe.emplace_back(r.riga);
    controlla_righe(f, righe);
  }
}

TEST(CampiSorgenti, OgniCodiceHaCausaERimedioENessunAltro) {
  std::vector<int32_t> con_rimedio;
  for (const rimedio_codice& r : rimedi_codici()) {
    EXPECT_TRUE(cerca_codice(r.codice)) << r.codice;
    con_rimedio.push_back(r.codice);
  }
  for (int32_t codice = 1; codice <= 1300; ++codice) {
    const bool noto = cerca_codice(codice).has_value();
    const bool spiegato =
        std::find(con_rimedio.begin(), con_rimedio.end(), codice) != con_rimedio.end();
    EXPECT_EQ(noto, spiegato) << codice;
  }
}

TEST(CampiSorgenti, IntervalliSensati) {
  for (const parola_sorgente& p : parole_sorgenti()) {
    EXPECT_FALSE(p.campi.empty()) << p.parola;
    for (const campo_sorgente& c : p.campi) {
      if (!c.testo()) {
        EXPECT_LE(c.minimo, c.massimo) << p.parola << " " << c.nome;
        EXPECT_LE(c.accettati.minimo, c.minimo) << p.parola << " " << c.nome;
        EXPECT_GE(c.accettati.massimo, c.massimo) << p.parola << " " << c.nome;
      }
    }
  }
}

// Each keyword of a source has its own place among its parser's tests.
TEST(CampiSorgenti, OgniParolaHaIlSuoPostoTraLeProve) {
  for (file_sorgente f : {file_sorgente::linea, file_sorgente::treno}) {
    std::vector<int32_t> prove;
    for (const parola_sorgente& p : parole_sorgenti()) {
      if (p.file == f) prove.push_back(p.prova);
    }
    std::sort(prove.begin(), prove.end());
    EXPECT_EQ(std::adjacent_find(prove.begin(), prove.end()), prove.end());
  }
}

TEST(CampiSorgenti, LEsempioCompilaConCodiceZero) {
  const auto c =
      test::compila(testo_esempio(file_sorgente::linea), testo_esempio(file_sorgente::treno));
  ASSERT_FALSE(c.r.identita());
  EXPECT_EQ(c.r.codice, 0) << c.r.motivo;
  EXPECT_EQ(c.r.posizione, 0);
  EXPECT_EQ(c.s.ultima_cella(), 220);
  // What the reference says the compiler makes of it.
  const auto tipo = [&](int i) { return c.s.percorso[static_cast<std::size_t>(i)].tipo; };
  EXPECT_EQ(c.s.tabella_stazioni[1].nome, "PRIMA");
  EXPECT_EQ(c.s.tabella_stazioni[2].nome, "SECONDA");
  EXPECT_EQ(c.s.tabella_stazioni[2].inizio, 3300);
  EXPECT_EQ(c.s.tabella_stazioni[2].fine, 3900);
  EXPECT_EQ(c.s.tabella_stazioni[3].nome, "");
  EXPECT_EQ(tipo(11), cella_fermata);
  EXPECT_EQ(tipo(77), cella_fermata);
  EXPECT_EQ(tipo(37), cella_segnale);
  EXPECT_EQ(tipo(31), cella_avviso_rallentamento);
  EXPECT_EQ(tipo(55), cella_inizio_rallentamento);
  EXPECT_EQ(tipo(59), cella_fine_rallentamento);
  for (int i = 27; i <= 30; ++i) EXPECT_EQ(tipo(i), cella_prima_avviso) << i;
  EXPECT_EQ(tipo(17), cella_indicatore_velocita);
  EXPECT_EQ(tipo(40), cella_cartello);
  EXPECT_EQ(tipo(43), cella_lampada);
  EXPECT_EQ(tipo(47), cella_lampada);
  for (int i = 40; i <= 47; ++i) EXPECT_EQ(c.s.percorso[static_cast<std::size_t>(i)].galleria, 1);
}

TEST(CampiSorgenti, LEsempioERigheConCrLf) {
  const std::string t = testo_esempio(file_sorgente::treno);
  EXPECT_EQ(t.substr(0, 12), "[generale]\r\n");
  EXPECT_EQ(t.substr(t.size() - 8), "[fine]\r\n");
}

// A range is spelt out to its last name, a plain keyword stays one name.
TEST(CampiSorgenti, NomiDiUnaParola) {
  const auto nomi = [](const parola_sorgente& p) {
    const std::span<const std::string_view> n = nomi_parola(p);
    return std::vector<std::string_view>(n.begin(), n.end());
  };
  EXPECT_EQ(nomi(scenario::parola_del_record(tipo_record::curva)),
            (std::vector<std::string_view>{"curvad1", "curvad2", "curvad3", "curvad4", "curvad5",
                                           "curvad6", "curvas1", "curvas2", "curvas3", "curvas4",
                                           "curvas5", "curvas6"}));
  EXPECT_EQ(nomi(*cerca_parola(file_sorgente::treno, "segnale")),
            std::vector<std::string_view>{"segnale"});
}

}  // namespace
}  // namespace scenario
