// The payload after a program image: round trips of every shape, and each kind of damage
// found and named, never read past.
#include "sources/carico.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "sources/carico_spedito.h"
#include "tests/aiuti_test.h"

namespace scenario {
namespace {

const std::string immagine =
    "\x7f"
    "ELF programma";

// Program images that their headers close at 128 bytes: an ELF64 header and its one section
// header, and a PE header whose one section's bytes end there.
std::string elf_di_128() {
  std::string h(128, '\0');
  h.replace(0, 6,
            "\x7f"
            "ELF\x02\x01");
  h[0x28] = 64;  // the section header table, one entry of 64 bytes
  h[0x3A] = 64;
  h[0x3C] = 1;
  return h;
}
std::string pe_di_128() {
  std::string h(128, '\0');
  h.replace(0, 2, "MZ");
  h[0x3C] = 64;
  h.replace(64, 4, std::string("PE\0\0", 4));
  h[64 + 6] = 1;  // one section, its entry at 88: 28 bytes from 100
  h[88 + 16] = 28;
  h[88 + 20] = 100;
  return h;
}

carico piccolo() {
  carico c;
  c.linea = "MIA_LINEA";
  c.treno = "42";
  c.testo_linea = "[generale]\r\n";
  c.testo_treno = std::string("segnale \xB0\0 fine\r\n", 17);
  c.documenti[1] = "rallentamenti\r\n";
  return c;
}

// A trailer for `corpo` as the encoder makes it, so that a test can change the body and
// still present a right checksum.
std::string coda_per(const std::string& corpo, std::uint32_t formato = formato_carico) {
  std::string t;
  const auto metti = [&t](std::uint64_t v, int byte) {
    for (int i = 0; i < byte; ++i) t += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  metti(corpo.size(), 8);
  metti(crc32(0L, reinterpret_cast<const Bytef*>(corpo.data()), static_cast<uInt>(corpo.size())),
        4);
  metti(formato, 4);
  return t + "SCNCARIC";
}

std::string crc_di(const std::string& s) {
  char t[16];
  std::snprintf(t, sizeof t, "%08lx",
                crc32(0L, reinterpret_cast<const Bytef*>(s.data()), static_cast<uInt>(s.size())));
  return t;
}

std::string corpo_di(const carico& c) {
  const std::string p = codifica_carico(c);
  return p.substr(0, p.size() - dimensione_coda_carico);
}

TEST(Carico, OgniFormaTornaUgualeDopoLImmagine) {
  std::vector<carico> forme = {piccolo(), carico_spedito()};
  for (int presenti = 0; presenti < 8; ++presenti) {
    carico c = piccolo();
    for (std::size_t i = 0; i < c.documenti.size(); ++i) {
      c.documenti[i].reset();
      if (presenti & (1 << i)) c.documenti[i] = std::string(i * 3, 'd');  // "" is a document
    }
    forme.push_back(c);
  }
  for (const carico& c : forme) {
    const std::string file = immagine + codifica_carico(c);
    const carico_letto l = trova_carico(file);
    ASSERT_EQ(l.stato, stato_carico::letto) << l.perche;
    EXPECT_EQ(l.c, c);
    EXPECT_EQ(l.inizio, immagine.size());
  }
}

TEST(Carico, IlCaricoSpeditoHaICinqueTestiDegliScrittori) {
  const carico c = carico_spedito();
  EXPECT_EQ(c.linea, "ARONA_DOMODOSSOLA");
  EXPECT_EQ(c.treno, "324");
  EXPECT_EQ(c.testo_linea, test::linea_spedita());
  EXPECT_EQ(c.testo_treno, test::treno_spedito());
  EXPECT_EQ(c.documenti[0], test::leggi_file(CARTELLA_SORGENTI "/tests/attesi/"
                                                               "ARONA_DOMODOSSOLA_324_note.txt"));
  EXPECT_EQ(c.documenti[1],
            test::leggi_file(CARTELLA_SORGENTI "/tests/attesi/"
                                               "ARONA_DOMODOSSOLA_324_rallentamenti.txt"));
  EXPECT_EQ(c.documenti[2],
            test::leggi_file(CARTELLA_SORGENTI "/tests/attesi/"
                                               "ARONA_DOMODOSSOLA_324_scheda_treno.txt"));
}

// The exact bytes of a small payload: the layout documented in carico.h.
TEST(Carico, ByteDiUnCaricoPiccolo) {
  carico c;
  c.linea = "R";
  c.treno = "7";
  c.testo_linea = "L";
  c.testo_treno = "T";
  c.documenti[2] = "S";
  const std::string corpo = std::string("SCENARIO") + std::string("\1\0\0\0R", 5) +
                            std::string(
                                "\1\0\0\0"
                                "7",
                                5) +
                            std::string("\1\0\0\0L", 5) + std::string("\1\0\0\0T", 5) +
                            std::string("\0\0\1\1\0\0\0S", 8);
  // 36 bytes, CRC-32 c1fccd5e, format 1.
  const std::string coda(
      "\x24\0\0\0\0\0\0\0"
      "\x5e\xcd\xfc\xc1"
      "\1\0\0\0"
      "SCNCARIC",
      24);
  EXPECT_EQ(codifica_carico(c), corpo + coda);
}

struct danno {
  const char* nome;
  std::string file;
  stato_carico stato;
  std::string perche;
};

std::vector<danno> danni() {
  const std::string buono = immagine + codifica_carico(piccolo());
  const std::string corpo = corpo_di(piccolo());
  const std::size_t n = corpo.size();
  std::string capovolto = buono;
  capovolto[immagine.size() + 20] ^= 0x01;
  carico nome_cattivo = piccolo();
  nome_cattivo.linea = "../x";
  carico nome_di_controllo = piccolo();
  nome_di_controllo.treno = std::string("4\x1b]0;\0z", 7);
  carico stesso_file = piccolo();
  stesso_file.treno = "linea";
  std::string segno_cattivo = corpo;
  // The second document's mark, before its length (15) and its first byte.
  segno_cattivo[corpo.rfind(std::string("\1\x0f\0\0\0r", 6))] = 2;
  std::string accorciato = corpo;
  accorciato.erase(20, 5);
  std::string lungo = corpo + "x";
  const std::string uno = std::to_string(n);
  return {
      {"vuoto", "", stato_carico::assente, "holds no payload"},
      {"solo runtime", immagine, stato_carico::assente, "holds no payload"},
      {"coda tagliata", buono.substr(0, buono.size() - 1), stato_carico::assente,
       "holds no payload"},
      {"solo runtime ELF", elf_di_128(), stato_carico::assente, "holds no payload"},
      {"ELF piu' corto delle sue intestazioni", elf_di_128().substr(0, 127), stato_carico::assente,
       "holds no payload"},
      {"ELF e un byte", elf_di_128() + "x", stato_carico::troncato,
       "holds a truncated payload: the file has 129 bytes, its program image 128, and no "
       "trailer ends them"},
      {"pacchetto ELF con la coda tagliata", elf_di_128() + corpo + coda_per(corpo).substr(0, 23),
       stato_carico::troncato,
       "holds a truncated payload: the file has " + std::to_string(128 + n + 23) +
           " bytes, its program image 128, and no trailer ends them"},
      {"solo runtime PE", pe_di_128(), stato_carico::assente, "holds no payload"},
      {"PE e un byte", pe_di_128() + "x", stato_carico::troncato,
       "holds a truncated payload: the file has 129 bytes, its program image 128, and no "
       "trailer ends them"},
      {"corpo accorciato", immagine + accorciato + coda_per(corpo), stato_carico::troncato,
       "holds a truncated payload: it does not begin " + uno + " bytes before its trailer"},
      {"solo carico accorciato", corpo.substr(1) + coda_per(corpo), stato_carico::troncato,
       "holds a truncated payload: its trailer names " + uno + " bytes, and " +
           std::to_string(n - 1) + " come before the trailer"},
      {"byte capovolto", capovolto, stato_carico::danneggiato,
       "holds a damaged payload: its checksum is " + crc_di(capovolto.substr(immagine.size(), n)) +
           ", and its trailer records " + crc_di(corpo)},
      {"formato futuro", immagine + corpo + coda_per(corpo, 2), stato_carico::danneggiato,
       "holds a payload of format 2, and this runtime reads format 1"},
      {"campi oltre la lunghezza", immagine + lungo + coda_per(lungo), stato_carico::danneggiato,
       "holds a damaged payload: its fields do not fill its length exactly"},
      {"campi prima della lunghezza",
       immagine + corpo.substr(0, n - 1) + coda_per(corpo.substr(0, n - 1)),
       stato_carico::danneggiato,
       "holds a damaged payload: its fields do not fill its length exactly"},
      {"segno di documento", immagine + segno_cattivo + coda_per(segno_cattivo),
       stato_carico::danneggiato,
       "holds a damaged payload: a document is marked neither present nor absent"},
      {"nome fuori cartella", immagine + codifica_carico(nome_cattivo), stato_carico::danneggiato,
       "holds a damaged payload: the route name \"../x\" begins with \".\""},
      {"nome con caratteri di controllo", immagine + codifica_carico(nome_di_controllo),
       stato_carico::danneggiato,
       "holds a damaged payload: the train number \"4\\x1b]0;\\x00z\" holds a character outside "
       "printable ASCII"},
      {"due file con un nome", immagine + codifica_carico(stesso_file), stato_carico::danneggiato,
       "holds a damaged payload: the track plan and the route cells would be one file, "
       "MIA_LINEA_linea.dat"},
  };
}

TEST(Carico, OgniDannoTrovatoEDetto) {
  for (const danno& d : danni()) {
    const carico_letto l = trova_carico(d.file);
    EXPECT_EQ(l.stato, d.stato) << d.nome;
    EXPECT_EQ(l.perche, d.perche) << d.nome;
  }
}

// A length in the trailer near 2^64 is refused before anything of that size is read.
TEST(Carico, LunghezzaEnormeNellaCoda) {
  std::string coda = coda_per("");
  coda.replace(0, 8, std::string(8, '\xFF'));
  const carico_letto l = trova_carico(immagine + coda);
  EXPECT_EQ(l.stato, stato_carico::troncato);
  EXPECT_EQ(l.perche,
            "holds a truncated payload: its trailer names 18446744073709551615 bytes, "
            "and 14 come before the trailer");
}

class CaricoSuDisco : public test::cartella_di_prova {};

TEST_F(CaricoSuDisco, DalFileComeInMemoria) {
  for (const danno& d : danni()) {
    test::scrivi_file(cartella_ / "pacchetto", d.file);
    const carico_letto l = leggi_carico(cartella_ / "pacchetto");
    EXPECT_EQ(l.stato, d.stato) << d.nome;
    EXPECT_EQ(l.perche, d.perche) << d.nome;
  }
  test::scrivi_file(cartella_ / "pacchetto", immagine + codifica_carico(piccolo()));
  const carico_letto l = leggi_carico(cartella_ / "pacchetto");
  ASSERT_EQ(l.stato, stato_carico::letto);
  EXPECT_EQ(l.c, piccolo());
  const carico_letto mancante = leggi_carico(cartella_ / "nessuno");
  EXPECT_EQ(mancante.stato, stato_carico::illeggibile);
  EXPECT_EQ(mancante.perche, "cannot be opened for reading");
}

// A runtime that already carries a payload gives up the old one for the new; one whose
// payload is damaged is refused, since its program image cannot be told apart.
TEST(Carico, UnireSostituisceIlCaricoDiPrima) {
  const auto primo = unisci_carico(immagine, carico_spedito());
  ASSERT_TRUE(primo);
  const auto secondo = unisci_carico(*primo, piccolo());
  ASSERT_TRUE(secondo);
  EXPECT_EQ(*secondo, immagine + codifica_carico(piccolo()));
  std::string danneggiato = *primo;
  danneggiato[immagine.size() + 30] ^= 0x40;
  EXPECT_FALSE(unisci_carico(danneggiato, piccolo()));
  const std::string perche = trova_carico(danneggiato).perche;
  EXPECT_TRUE(perche.starts_with("holds a damaged payload: its checksum is ")) << perche;
}

}  // namespace
}  // namespace scenario
