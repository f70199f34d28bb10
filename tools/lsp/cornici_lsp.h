// The frames of the editor protocol on a byte stream: header lines ("Content-Length: N" is the
// one that counts; Content-Type and any other are read and ignored), an empty line, then N bytes
// of JSON. Reading is bounded and never waits for a byte past the frame it is in, so a
// malformed or oversized frame is answered and passed over rather than followed.
#ifndef TOOLS_LSP_CORNICI_LSP_H_
#define TOOLS_LSP_CORNICI_LSP_H_

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

#include "io/lettura.h"

namespace scenario::strumento {

// The largest body read. An editor sends a whole source in one message (opening it, or
// replacing its text), and a source may be as large as the compiler reads (64 MiB); in the
// message each of its bytes may be a three-byte UTF-8 character (the euro sign and the other
// letters of 0x80-0x9F), so three times that, with 1 MiB for the envelope and JSON escapes.
inline constexpr std::uint64_t dimensione_massima_messaggio =
    3 * dimensione_massima_sorgente + (std::uint64_t{1} << 20);

// The largest header block: a few short lines in practice.
inline constexpr std::size_t dimensione_massima_intestazioni = 8192;

struct messaggio_letto {
  enum class tipo { corpo, errore, fine };
  tipo t = tipo::fine;
  std::string testo;   // the body; for an error, why the frame was refused (English)
  int32_t codice = 0;  // for an error, the protocol's code for the answer
};

class lettore_messaggi {
 public:
  explicit lettore_messaggi(std::istream& in) : in_(in) {}

  // The next frame's body; or an error, after which the reader stands at the next frame; or
  // the end of the input, also when it comes inside a frame.
  messaggio_letto prossimo();

 private:
  enum class esito_riga { riga, vuota, fine };
  esito_riga leggi_riga(std::string& riga, std::size_t spazio, std::size_t& lunghezza);
  bool leggi_corpo(std::uint64_t lunghezza, std::string* testo);

  std::istream& in_;
};

// `corpo` in its frame.
std::string incornicia(std::string_view corpo);

}  // namespace scenario::strumento

#endif  // TOOLS_LSP_CORNICI_LSP_H_
