// A document's text as the editor holds it (UTF-8) and the two ways of counting its columns:
// the editor's (UTF-16 code units, or UTF-8 bytes when both sides agree on it) and the
// compiler's, one byte of Windows-1252 a character. Lines end at CR LF, a lone CR or a lone LF,
// as the field reader and the protocol both count them, so a line number is the same in all
// three forms of a text.
#ifndef TOOLS_LSP_TESTO_LSP_H_
#define TOOLS_LSP_TESTO_LSP_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scenario::strumento {

// `s` without the blanks (spaces and tabs) at either end.
std::string_view senza_spazi(std::string_view s);

enum class codifica_posizioni { utf16, utf8 };

// 0-based, as the protocol counts.
struct posizione_lsp {
  int64_t riga = 0;
  int64_t carattere = 0;
};

// The character that starts at `testo[i]`: a byte that begins no valid sequence (a stray
// continuation, an overlong form, a surrogate, a cut sequence) is one invalid character.
struct carattere_utf8 {
  char32_t c;
  std::size_t byte;
  bool valido;
};
carattere_utf8 leggi_utf8(std::string_view testo, std::size_t i);

// The lines of a text, found walking forward from the last one asked for (going back starts
// again from the top): a document's places are looked up mostly in line order.
class righe_testo {
 public:
  explicit righe_testo(std::string_view testo) : testo_(testo) {}

  // Line `r` without its end; nothing past the last line. A text ending in a line end has
  // an empty last line after it.
  std::optional<std::string_view> riga(int64_t r);

 private:
  std::string_view testo_;
  int64_t riga_ = 0;
  std::size_t inizio_ = 0;
};

// The byte offset in the UTF-8 `testo` of `p` counted in `c`. As the protocol asks, a line past
// the last is the end of the text and a character past a line's end is that end; a place
// inside a character falls back to its start.
std::size_t offset_di(std::string_view testo, posizione_lsp p, codifica_posizioni c);

// How many units of `c` the first `caratteri` characters of the UTF-8 `riga` take (at most the
// whole line).
int64_t unita_di(std::string_view riga, int64_t caratteri, codifica_posizioni c);

// The characters of the UTF-8 `riga` before the editor's position `carattere` on it, counted in
// `c`: a place inside a character falls back to its start, one past the line's end is its end.
int64_t caratteri_di(std::string_view riga, int64_t carattere, codifica_posizioni c);

// A character that Windows-1252 cannot write, where it stands: 1-based line, 1-based column in
// characters (the column of its '?' in the Windows-1252 text).
struct carattere_estraneo {
  int64_t riga;
  int64_t colonna;
  char32_t c;
};

struct testo_in_1252 {
  std::string byte;
  std::vector<carattere_estraneo> estranei;  // the first `massimo`
  std::size_t altri_estranei = 0;            // those beyond them
};

// A UTF-8 text as the compiler reads it: each character one byte, '?' for a character with no
// Windows-1252 form or an invalid sequence.
testo_in_1252 in_windows_1252(std::string_view utf8, std::size_t massimo);

// Why `byte`, read from a saved file, cannot be Windows-1252 text, with the offset of the first
// byte that shows it; nothing when it may be. Windows-1252 gives every byte a character but
// five, so what gives another encoding away is its form: a UTF-16 byte-order mark, or valid
// UTF-8 with some byte above 127 (Windows-1252 text almost never is), or one of the five.
enum class segno_codifica { utf16, utf8, byte_non_assegnato };
struct codifica_estranea {
  segno_codifica segno;
  std::size_t dove;
};
std::optional<codifica_estranea> codifica_non_1252(std::string_view byte);

}  // namespace scenario::strumento

#endif  // TOOLS_LSP_TESTO_LSP_H_
