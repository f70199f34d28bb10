// The record reader: which fields are records, which are passed over and why, each record's
// fields cut where its handler reads them, with their places.
#include "compiler/lettore_record.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario {
namespace {

// Every event and every field passed over, in the order they come, as one line of text:
// records as "keyword(field|field)", the end of the general section as "G", the end as "E",
// the line description ending before "[generale]" as "102", fields passed over as
// "-text" (before "[generale]"), "?text" (no keyword), "~text" (holds "-"), "$text" (last),
// and the field where reading begins as "+text".
class registro : public osservatore_lettura {
 public:
  void saltato(const campo_letto& c, campo_saltato perche, parte_sorgente, bool) override {
    static constexpr const char* segni[] = {"-", "?", "~", "$"};
    t += std::string(segni[static_cast<int>(perche)]) + std::string(c.testo) + " ";
  }
  void record(const record_letto&, parte_sorgente) override {}
  void fine(bool generale_visto) override { t += generale_visto ? "" : "(no [generale]) "; }
  void generale(const campo_letto& c) override { t += "+" + std::string(c.testo) + " "; }
  std::string t;
};

std::string leggi(file_sorgente f, const std::string& testo, bool con_tracciato = true) {
  registro r;
  lettore_record l(f, testo, con_tracciato, &r);
  for (;;) {
    const evento_lettura e = l.prossimo();
    if (e == evento_lettura::fine_generale) r.t += "G ";
    if (e == evento_lettura::fine_testo) return r.t + "E";
    if (e == evento_lettura::senza_generale) return r.t + "102";
    if (e != evento_lettura::record) continue;
    const record_letto& rec = l.record();
    r.t += std::string(rec.parola->nome()) + "(";
    for (std::size_t k = 0; k < rec.letti; ++k) {
      r.t += (k ? "|" : "") + std::string(rec.campi[k].testo);
    }
    r.t += ") ";
  }
}

struct caso {
  const char* nome;
  file_sorgente file;
  std::string testo;
  std::string atteso;
  bool con_tracciato = true;
};

void PrintTo(const caso& c, std::ostream* os) { *os << c.nome; }

const auto linea = file_sorgente::linea;
const auto treno = file_sorgente::treno;

const caso casi[] = {
    {"LineaInTrePartiEUltimoCampo", linea,
     "nota, 1\r\n[generale]\r\nlunghezza percorso, 4000\r\n[curve]\r\npendenza, 0, 5\r\n[fine]\r\n",
     "-nota -1 +[generale] lunghezza percorso(4000) ?[curve] G pendenza(0|5) $[fine] E"},
    // Up to ten fields holding "-" in the general section, with no test for the end between them.
    {"DieciTrattiniNellaGenerale", linea,
     "[generale]\r\n-a,-b,-c,-d,-e,-f,-g,-h,-i,-j, -lunghezza percorso, 7\r\nx\r\n",
     "+[generale] ~-a ~-b ~-c ~-d ~-e ~-f ~-g ~-h ~-i ~-j lunghezza percorso(7) $x G E"},
    {"DueTrattiniDopo", linea, "[generale]\r\n[x]\r\n-a, -b, -pendenza, 5, 6\r\n[fine]\r\n",
     "+[generale] ?[x] G ~-a ~-b pendenza(5|6) $[fine] E"},
    {"TrattinoUltimo", treno, "[generale]\r\n-a, sabbia, 5\r\n-b\r\n",
     "+[generale] ~-a sabbia(5) $-b E"},
    // A field with both brackets closes the general section, unless it starts with "-".
    {"ChiusuraSoloConEntrambeLeParentesi", linea,
     "[generale]\r\n[x\r\n-[y]\r\nsfondo uno, 1\r\nz]\r\npendenza, 0, 1\r\n[fine]\r\n",
     "+[generale] ?[x ~-[y] sfondo uno(1) ?z] ?pendenza ?0 ?1 $[fine] G E"},
    // The curve handler reads no field without the plan: its numbers are keyword fields.
    {"CurvaSenzaPiano", linea, "[generale]\r\n[curve]\r\ncurvad4, 100, 200\r\n[fine]\r\n",
     "+[generale] ?[curve] G ?curvad4 ?100 ?200 $[fine] E", false},
    {"CurvaConPiano", linea, "[generale]\r\n[curve]\r\ncurvad4, 100, 200\r\n[fine]\r\n",
     "+[generale] ?[curve] G curvad1(100|200) $[fine] E"},
    // Every keyword a field holds reads its own fields, in the parser's order.
    {"DueParoleInUnCampo", treno, "[generale]\r\nsabbia orologio, 8, 0, 0, 10\r\n[fine]\r\n",
     "+[generale] orologio(8|0|0) sabbia(10) $[fine] E"},
    // A keyword of two words needs both.
    {"ParolaDiDueParole", treno,
     "[generale]\r\nmassa, 1\r\nfrenata, 2\r\nmassa frenata, 3\r\n[fine]\r\n",
     "+[generale] ?massa ?1 ?frenata ?2 percentuale massa frenata(3) $[fine] E"},
    {"TestoSullaRigaDopo", treno,
     "[generale]\r\nstazione, 0,8,600,0,0,0,1,1,0,4,1,1,1,8,0,0\r\nPRIMA\r\n[fine]\r\n",
     "+[generale] stazione(0|8|600|0|0|0|1|1|0|4|1|1|1|8|0|0|PRIMA) $[fine] E"},
    {"RecordTroncato", treno, "[generale]\r\nsegnale, 1800, 2,\r\n",
     "+[generale] segnale(1800|2) E"},
    {"LineaSenzaGenerale", linea, "pendenza, 0, 5\r\n", "-pendenza -0 -5 (no [generale]) 102"},
    {"GeneraleUltimoCampo", linea, "x\r\n[generale]", "-x 102"},
    {"TrenoSenzaGenerale", treno, "sabbia, 5\r\n", "-sabbia -5 (no [generale]) E"},
    {"TrenoConGeneraleUltimo", treno, "x\r\n[generale]\r\n", "-x E"},
};

class LettoreRecord : public ::testing::TestWithParam<caso> {};

TEST_P(LettoreRecord, EventiInOrdine) {
  const caso& c = GetParam();
  EXPECT_EQ(leggi(c.file, c.testo, c.con_tracciato), c.atteso);
}

INSTANTIATE_TEST_SUITE_P(Testi, LettoreRecord, ::testing::ValuesIn(casi),
                         [](const auto& i) { return std::string(i.param.nome); });

// The end of the text inside the general section's run of fields holding "-" is a fault, as
// is a text with nothing to read.
TEST(LettoreRecord, FineDelTestoDoveUnCampoServe) {
  EXPECT_THROW(leggi(linea, "[generale]\r\n-a, -b\r\n"), guasto);
  EXPECT_THROW(leggi(linea, ""), guasto);
  EXPECT_THROW(leggi(treno, ""), guasto);
}

TEST(LettoreRecord, LuoghiDelRecordEDeiCampi) {
  lettore_record l(treno, "[generale]\r\n  Segnale,\r\n 1800 ,2\r\n", true);
  ASSERT_EQ(l.prossimo(), evento_lettura::record);
  const record_letto& r = l.record();
  EXPECT_EQ(r.chiave.testo, "Segnale");
  EXPECT_EQ(r.chiave.luogo, (intervallo_sorgente{2, 3, 10, 14, 21}));
  ASSERT_EQ(r.letti, 2u);
  EXPECT_FALSE(r.completo());
  EXPECT_EQ(r.campi[0].luogo, (intervallo_sorgente{3, 2, 6, 25, 29}));
  EXPECT_EQ(r.campi[1].luogo, (intervallo_sorgente{3, 8, 9, 31, 32}));
  EXPECT_EQ(r.ultimo(), r.campi[1].luogo);
}

// A check reads on from a field a record took from the next line.
TEST(LettoreRecord, RiprendeDaUnCampo) {
  lettore_record l(treno, "[generale]\r\nsabbia,\r\nvetture, 6\r\n[fine]\r\n", true);
  ASSERT_EQ(l.prossimo(), evento_lettura::record);
  EXPECT_EQ(l.record().campi[0].testo, "vetture");
  l.riprendi_da(l.record().campi[0]);
  ASSERT_EQ(l.prossimo(), evento_lettura::record);
  EXPECT_EQ(l.record().parola->nome(), "numero vetture");
  EXPECT_EQ(l.record().campi[0].testo, "6");
}

}  // namespace
}  // namespace scenario
