// Files read whole with bounded work: only a regular file, never waiting on a FIFO or a
// device, never through a link unless asked, and never more than a limit the caller gives.
// Source texts and documents are read this way, with every failure reported as `errore_io`;
// scenario-tool's readers of compiled files word the failures their own way.
#ifndef IO_LETTURA_H_
#define IO_LETTURA_H_

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "io/errore_io.h"

namespace scenario {

// Far above any real route (the shipped sources are some 10 KB together).
inline constexpr std::uint64_t dimensione_massima_sorgente = std::uint64_t{64} << 20;

enum class stato_lettura {
  letto,
  assente,          // no file has that name
  collegamento,     // a link stands there, and links are refused
  cartella,         // a folder stands there
  non_regolare,     // a FIFO, a device or anything else that is not a regular file
  oltre_il_limite,  // larger than the limit when it was opened
  cresciuto,        // it grew past the limit while it was read
  apertura,         // the system refused to open it (`ragione`)
  lettura,          // a read failed (`ragione`)
};

struct lettura_limitata {
  stato_lettura stato = stato_lettura::letto;
  std::string testo;             // the whole file when `letto`
  std::uint64_t dimensione = 0;  // its size when it was opened
  std::string ragione;           // the system's words for a failed opening or read
};

// Whether a link at the file's own name is followed. A file of the folder (a source, a document,
// a compiled file) never is, so that a link there cannot bring in a file from elsewhere; a
// program the user names may be one.
enum class collegamenti { rifiutati, seguiti };

// The whole content of `file`, at most `massimo` bytes. Raises nothing.
lettura_limitata leggi_limitato(const std::filesystem::path& file, std::uint64_t massimo,
                                collegamenti c = collegamenti::rifiutati);

// Receives the file a block at a time, with its size when it was opened.
using ricevitore_blocchi = std::function<void(std::uint64_t dimensione, std::string_view blocco)>;

// The same reading with the same checks, for a reader that needs no copy of the file: its
// content goes to `ricevi` a block at a time and `testo` stays empty. Raises only what
// `ricevi` raises.
lettura_limitata leggi_a_blocchi(const std::filesystem::path& file, std::uint64_t massimo,
                                 collegamenti c, const ricevitore_blocchi& ricevi);

// The whole text of `file`, or nothing when no file has that name. A link (unless followed), a
// folder, a FIFO, a device, a file above `dimensione_massima_sorgente` or a failed read
// raises `errore_io`, whose message names the file and says nothing of what a link leads to.
std::optional<std::string> leggi_sorgente(const std::filesystem::path& file,
                                          collegamenti c = collegamenti::rifiutati);

}  // namespace scenario

#endif  // IO_LETTURA_H_
