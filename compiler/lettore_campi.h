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

namespace scenario {

// An unforeseen fault while compiling: ends the parse through its general failure path. The
// text says, in English, which field held what and what was expected.
class guasto : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A line ends at CR LF, a lone CR or a lone LF: the one rule of the sources' lines, which the
// field reader follows and every message that quotes a line of a source follows too.
// How many characters the line end at `p` of `testo` takes: 2, 1, or 0 where none is.
inline std::size_t lunghezza_a_capo(std::string_view testo, std::size_t p) {
  if (p >= testo.size() || (testo[p] != '\r' && testo[p] != '\n')) return 0;
  return testo[p] == '\r' && p + 1 < testo.size() && testo[p + 1] == '\n' ? 2 : 1;
}

// Line `riga` (from 1) of `testo` without its line end; nothing when the text has no such
// line (none begins after the line end that closes the text).
std::optional<std::string_view> riga_del_testo(std::string_view testo, int64_t riga);

// A number field as it stands in the text, before it is turned into a number.
struct campo_numero {
  std::string_view testo;  // empty for an empty field (a comma after blanks)
  int32_t riga;            // 1-based line and column (in bytes) where it begins
  int32_t colonna;
};

class lettore_campi {
 public:
  explicit lettore_campi(std::string_view testo) : testo_(testo) {}

  // True once the last character of the text has been consumed.
  bool fine_file() const { return pos_ >= testo_.size(); }

  // A text field: leading blanks skipped, up to the next comma or line end (consumed),
  // trailing blanks removed. Does not skip line ends: an empty line is an empty field.
  std::string leggi_testo();

  // A signed whole number of 32 bits. Blanks and line ends before it are skipped; it ends at
  // a comma, a blank or a line end; blanks after it are consumed together with the comma or
  // line end that follows them. An empty field (a comma after blanks) reads as 0.
  int32_t leggi_numero();

  // The next number field cut and consumed as `leggi_numero` does, but not converted, so that
  // a reader that goes on after a bad field can say where it stands. Nothing at the end of
  // the text. Never throws.
  std::optional<campo_numero> leggi_campo_numero();

  // The 1-based line and column (in bytes) where the last text field began.
  int32_t riga_campo() const { return riga_campo_; }
  int32_t colonna_campo() const { return colonna_campo_; }

 private:
  bool a_capo(std::size_t p) const;
  void consuma_a_capo();
  void salta_spazi();

  std::string_view testo_;
  std::size_t pos_ = 0;
  std::size_t inizio_riga_ = 0;
  int32_t riga_ = 1;
  int32_t riga_campo_ = 1;
  int32_t colonna_campo_ = 1;
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

// Case-insensitive substring test (ASCII letters fold, other bytes compare as they are).
bool contiene(std::string_view campo, std::string_view parola);
// Case-sensitive substring test.
inline bool contiene_esatto(std::string_view campo, std::string_view parola) {
  return campo.find(parola) != std::string_view::npos;
}

}  // namespace scenario

#endif  // COMPILER_LETTORE_CAMPI_H_
