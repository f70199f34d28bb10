// What the two text sources may hold, as data: every section and keyword with its fields, each
// field's meaning, unit, valid range and what the compiler makes of it; the station types; the
// usual cause and fix of each recorded code; and the minimal route that `scenario-tool new`
// writes. The parsers do not read this table: it describes them, and it is the one place that
// `new`, docs/sorgenti.md and the checks of an author's sources take their words from.
#ifndef COMPILER_CAMPI_SORGENTI_H_
#define COMPILER_CAMPI_SORGENTI_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace scenario {

enum class file_sorgente { linea, treno };

// The values the compiler takes in a field whatever the other fields hold: outside them the
// compile stops, with `codice_sotto` below and `codice_sopra` above.
struct valori_accettati {
  int64_t minimo;
  int64_t massimo;
  int32_t codice_sotto = 25;
  int32_t codice_sopra = 25;
};

struct campo_sorgente {
  const char* nome;         // the name messages and the reference use
  const char* significato;  // what it means
  const char* unita;        // "m", "km/h", "" when it has none
  int64_t minimo;           // the documented range; a value outside it compiles but is a mistake
  int64_t massimo;
  valori_accettati accettati;  // wider than the documented range
  const char* uso;             // what the compiler does with it
  bool testo = false;
};

struct parola_sorgente {
  file_sorgente file;
  const char* sezione;         // the section it stands under in the shipped sources
  const char* parola;          // the keyword as the shipped sources write it
  const char* riconoscimento;  // the test the parser applies to the keyword field
  const char* significato;
  std::span<const campo_sorgente> campi;
  // The place of its test among the tests its parser applies to one keyword field (every
  // test that matches reads its own fields, in this order).
  int32_t prova;
  // The record's first field is a position that must lie this many metres inside the last
  // cell, or the compile stops with code 15; 0 when the parser makes no such test.
  int32_t margine;
};

struct sezione_sorgente {
  file_sorgente file;
  const char* intestazione;  // "[generale]"
  const char* contenuto;     // what stands under it
};

struct tipo_stazione {
  const char* tipi;  // "5, 6"
  const char* area;  // from position p and length L
  const char* marcatori;
  const char* nel_percorso_spedito;
};

struct rimedio_codice {
  int32_t codice;
  const char* causa;    // the usual cause
  const char* rimedio;  // the fix
};

std::span<const sezione_sorgente> sezioni_sorgenti();
std::span<const parola_sorgente> parole_sorgenti();
std::span<const tipo_stazione> tipi_stazione();
std::span<const rimedio_codice> rimedi_codici();

// The keyword entry whose keyword is exactly `parola`, or nullptr.
const parola_sorgente* cerca_parola(file_sorgente file, std::string_view parola);

// The names the table writes for a keyword, ranges spelt out: "curvad1 ... curvad3, curvas1"
// gives curvad1, curvad2, curvad3 and curvas1.
std::vector<std::string> nomi_parola(const parola_sorgente& p);

// One line of the minimal route with what it does.
struct riga_esempio {
  const char* riga;
  const char* nota;
};

// The minimal route: a few kilometres, two stations, a signal, a tunnel, a slow order.
std::span<const riga_esempio> righe_esempio(file_sorgente file);
// Its text as a file: CR LF after every line, as the package writes its own sources.
std::string testo_esempio(file_sorgente file);

}  // namespace scenario

#endif  // COMPILER_CAMPI_SORGENTI_H_
