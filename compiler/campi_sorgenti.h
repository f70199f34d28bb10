// What the two text sources may hold, as data: every section and keyword with the words that
// recognise it, where it is read and in which order, and each of its fields with the width the
// parser reads it at, the values the compile takes, the multiple it must be, what the format
// rounds or wraps, its meaning, unit and documented range. The record reader and the parsers
// read it to recognise and read records, the checks of an author's sources to judge them, and
// `new`, docs/sorgenti.md and the editor server take their words from it.
#ifndef COMPILER_CAMPI_SORGENTI_H_
#define COMPILER_CAMPI_SORGENTI_H_

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace scenario {

enum class file_sorgente : uint8_t { linea, treno };

// Which loop of its parser tests a keyword: the line description's general section, the rest of
// the line description, or the train service after its "[generale]".
enum class parte_sorgente : uint8_t { generale, principale, treno };

// The width a field is read at: text, or a number stored at 32, 16 or 8 bits (unsigned). A
// number outside its width stops the compile (code 25).
enum class larghezza_campo : uint8_t { testo, intero_32, intero_16, byte };

// What a position along the line gives: the cell of a point feature (p / 50 + 1), the first
// cell of a value that holds from there on (p / 50), a metre of the track plan; or the field is
// no position.
enum class cella_campo : uint8_t { nessuna, punto, passo, tracciato };

// The record a keyword starts, for the parsers' handlers.
enum class tipo_record : uint8_t {
  lunghezza,
  progressiva_uno,
  progressiva_due,
  progressiva_tre,
  sfondo_uno,
  sfondo_due,
  sfondo_tre,
  ripetizione,
  curva,
  pendenza,
  montagna,
  indicatori,
  cartello,
  vetture,
  massa_frenata,
  sabbia,
  orologio,
  aderenza,
  velocita,
  stazione,
  rallentamento,
  segnale,
  abbattimento,
};
inline constexpr std::size_t numero_tipi_record =
    static_cast<std::size_t>(tipo_record::abbattimento) + 1;

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
  larghezza_campo larghezza;
  int64_t minimo;  // the documented range; a value outside it compiles but is a mistake
  int64_t massimo;
  valori_accettati accettati;  // wider than the documented range
  const char* regola = "";     // why the compiler takes no more than `accettati`
  int32_t multiplo = 0;        // the value must be a multiple of this, or the compile stops
  int32_t codice_multiplo = 0;
  int32_t passo = 0;     // the format keeps value / passo rounded, half to even
  bool avvolge = false;  // outside the documented range only the low bits are kept
  cella_campo cella = cella_campo::nessuna;
  const char* uso = "";  // what the compiler does with it

  bool testo() const { return larghezza == larghezza_campo::testo; }
};

struct parola_sorgente {
  tipo_record record;
  file_sorgente file;
  parte_sorgente parte;
  const char* sezione;  // the section it stands under in the shipped sources
  const char* parola;   // the keyword as the shipped sources write it
  // The words a keyword field must hold, all of them (the second may be empty), and whether
  // their case counts; `altro` says more of the test for the reference.
  std::array<std::string_view, 2> parole;
  bool maiuscole;
  const char* altro;
  const char* significato;
  std::span<const campo_sorgente> campi;
  // The place of its test among the tests its parser applies to one keyword field (every
  // test that matches reads its own fields, in this order).
  int32_t prova;
  // The record's first field is a position that must lie this many metres inside the last
  // cell, or the compile stops with code 15; 0 when the parser makes no such test.
  int32_t margine;
  bool in_ordine = false;  // records of this keyword go in increasing position
  bool da_zero = false;    // the first one stands at 0 m: nothing fills the cells before it
  bool solo_con_tracciato = false;  // read only when the track plan is built

  // The keyword as an author writes it; curves by the first of their names.
  std::string_view nome() const;
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

// The keywords tested in `parte`, in the order of the parser's tests.
std::span<const parola_sorgente* const> parole_della_parte(parte_sorgente parte);

// The keyword entry whose keyword is exactly `parola`, or nullptr.
const parola_sorgente* cerca_parola(file_sorgente file, std::string_view parola);
const parola_sorgente& parola_del_record(tipo_record r);

// Whether keyword field `campo` holds the words of `p`.
bool riconosce(const parola_sorgente& p, std::string_view campo);

// The names an author may write for a keyword: every class of the curves, the rest as written.
std::span<const std::string_view> nomi_parola(const parola_sorgente& p);

// "holds `lunghezza` and `percorso`, any case", from the words and their case.
std::string descrizione_riconoscimento(const parola_sorgente& p);

// A field's valid range as the reference writes it: "0 to 255", or "text".
std::string descrizione_valori(const campo_sorgente& c);
// What the compiler takes for field `i` of `p`: the values, refused with which code, a record's
// position within the route, the multiple it must be, and what the format rounds or wraps.
std::string descrizione_presi(const parola_sorgente& p, std::size_t i);

// The highest position the route's cells reach for `margine` on a line of `lunghezza` metres.
int64_t posizione_massima(int64_t lunghezza, int32_t margine);

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
