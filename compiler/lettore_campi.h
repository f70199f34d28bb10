// The field reader shared by both text sources. A source is a stream of fields separated by
// commas and line ends; records are not tied to lines. Reading never runs past the text:
// a read the text cannot satisfy raises `guasto`, which the compiler turns into code 25 with
// the guasto's words as the reason. It never leaves the compiler.
#ifndef COMPILER_LETTORE_CAMPI_H_
#define COMPILER_LETTORE_CAMPI_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "compiler/diagnostica.h"

namespace scenario {

// An unforeseen fault while compiling: ends the parse through its general failure path. The
// text says, in English, which field held what and what was expected; the place is the field's
// (none when the fault belongs to no field).
class guasto : public std::runtime_error {
 public:
  explicit guasto(const std::string& messaggio, intervallo_sorgente luogo = {})
      : std::runtime_error(messaggio) {
    problema_.codice = 25;
    problema_.dove = luogo;
    problema_.messaggio = messaggio;
  }
  // A fault with its whole problem: its place, its file, notes.
  explicit guasto(diagnostica d) : std::runtime_error(d.messaggio), problema_(std::move(d)) {
    problema_.codice = 25;
  }
  const intervallo_sorgente& luogo() const { return problema_.dove; }
  const diagnostica& problema() const { return problema_; }

 private:
  diagnostica problema_;
};

// A line ends at CR LF, a lone CR or a lone LF: the one rule of the sources' lines, which the
// field reader follows and every message that quotes a line of a source follows too.
// How many characters the line end at `p` of `testo` takes: 2, 1, or 0 where none is.
inline std::size_t lunghezza_a_capo(std::string_view testo, std::size_t p) {
  if (p >= testo.size() || (testo[p] != '\r' && testo[p] != '\n')) return 0;
  return testo[p] == '\r' && p + 1 < testo.size() && testo[p + 1] == '\n' ? 2 : 1;
}

// A field as it stands in the text, before a number field is turned into a number.
struct campo_letto {
  std::string_view testo;  // blanks around it removed; empty for an empty field
  intervallo_sorgente luogo;
};
using campo_numero = campo_letto;

class lettore_campi {
 public:
  explicit lettore_campi(std::string_view testo) : testo_(testo) {}

  // True once the last character of the text has been consumed.
  bool fine_file() const { return pos_ >= testo_.size(); }

  // A text field: leading blanks skipped, up to the next comma or line end (consumed),
  // trailing blanks removed. Does not skip line ends: an empty line is an empty field.
  std::string leggi_testo() { return std::string(leggi_campo_testo()); }
  std::string_view leggi_campo_testo();

  // The next number field, cut and consumed but not converted (`numero_del_campo` does that):
  // blanks and line ends before it are skipped; it ends at a comma, a blank or a line end;
  // blanks after it are consumed together with the comma or line end that follows them. An
  // empty field (a comma after blanks) is empty text. Nothing at the end of the text; never
  // throws.
  std::optional<campo_numero> leggi_campo_numero();

  // Reading goes on from the start of a field read earlier.
  void riposiziona(const intervallo_sorgente& campo) {
    pos_ = campo.inizio;
    riga_ = campo.riga;
    inizio_riga_ = campo.inizio - static_cast<std::size_t>(campo.colonna - 1);
  }

  // Where the last text field stands.
  const intervallo_sorgente& luogo_campo() const { return luogo_; }
  int32_t riga_campo() const { return luogo_.riga; }
  int32_t colonna_campo() const { return luogo_.colonna; }
  // The 1-based line the next read starts on.
  int32_t riga_corrente() const { return riga_; }

 private:
  bool a_capo(std::size_t p) const;
  void consuma_a_capo();
  void salta_spazi();
  intervallo_sorgente luogo(std::size_t inizio, std::size_t fine) const;

  std::string_view testo_;
  std::size_t pos_ = 0;
  std::size_t inizio_riga_ = 0;
  int32_t riga_ = 1;
  intervallo_sorgente luogo_{1, 1, 1, 0, 0};
};

// The one rule that turns a number field's text into a number: a whole number of 32 bits with
// one sign at most, a '+' only in front of a digit; an empty field is 0. Nothing otherwise.
std::optional<int32_t> numero_del_campo(std::string_view testo);

// ASCII letters in lower case, other bytes as they are: the sources' one case rule.
inline char minuscola(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
inline std::string minuscole(std::string_view s) {
  std::string m(s);
  for (char& c : m) c = minuscola(c);
  return m;
}

// The line that starts at byte i of `testo`, without its end, and where the next one starts
// (past the text at its end).
struct riga_testo {
  std::string_view testo;
  std::size_t prossima;
};
riga_testo riga_da(std::string_view testo, std::size_t i);

// Case-insensitive substring test (ASCII letters fold, other bytes compare as they are).
bool contiene(std::string_view campo, std::string_view parola);
// Case-sensitive substring test.
inline bool contiene_esatto(std::string_view campo, std::string_view parola) {
  return campo.find(parola) != std::string_view::npos;
}

}  // namespace scenario

#endif  // COMPILER_LETTORE_CAMPI_H_
