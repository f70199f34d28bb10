// The payload of a package: the route and train names, the two text sources and the driver
// documents, appended after the program image of the package runtime. A fixed trailer at the
// very end of the file finds it; ELF and PE programs run unchanged with data after them.
//
// Layout, every number little-endian:
//   body     "SCENARIO"
//            u32 length, route name        u32 length, train number
//            u32 length, ROUTE_linea.txt   u32 length, ROUTE_TRAIN-.txt
//            per document, in the order of `code_documenti`: u8 0 (absent), or u8 1 and
//            u32 length, the bytes
//   trailer  u64 body length, u32 CRC-32 of the body, u32 format (1), "SCNCARIC"
#ifndef SOURCES_CARICO_H_
#define SOURCES_CARICO_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace scenario {

// The tails of the driver documents' names, ROUTE_TRAIN_ followed by each.
inline constexpr std::array<const char*, 3> code_documenti = {"note.txt", "rallentamenti.txt",
                                                              "scheda_treno.txt"};

struct carico {
  std::string linea;        // route identifier
  std::string treno;        // train number
  std::string testo_linea;  // ROUTE_linea.txt
  std::string testo_treno;  // ROUTE_TRAIN-.txt
  // In the order of `code_documenti`; an absent document is not written by the package.
  std::array<std::optional<std::string>, code_documenti.size()> documenti;

  bool operator==(const carico&) const = default;
};

inline constexpr std::size_t dimensione_coda_carico = 24;
inline constexpr std::uint32_t formato_carico = 1;

// The body and the trailer, to be appended to a runtime.
std::string codifica_carico(const carico& c);

enum class stato_carico {
  letto,
  assente,      // the file does not end with a trailer
  troncato,     // the trailer names more bytes, or other bytes, than the file holds before it;
                // or there is no trailer, and bytes follow the program image (ELF or PE)
  danneggiato,  // checksum, format or fields wrong
  illeggibile,  // the file itself could not be read
};

struct carico_letto {
  stato_carico stato = stato_carico::assente;
  carico c;                  // when `letto`
  std::uint64_t inizio = 0;  // where the body starts: the program image is what comes before
  std::string perche;        // when not `letto`: what is wrong, in English words
};

// Reads `n` bytes at `inizio` of a file of which the caller knows the size.
using lettore_file = std::function<std::string(std::uint64_t inizio, std::size_t n)>;

// The payload at the end of a file of `dimensione` bytes.
carico_letto trova_carico(std::uint64_t dimensione, const lettore_file& leggi);

// The same over bytes in memory, and over a file on disk (only its end is read).
carico_letto trova_carico(std::string_view file);
carico_letto leggi_carico(const std::filesystem::path& file);

// `runtime` without any payload it already carries, followed by the payload of `c`: a package.
// Nothing when `runtime` ends with a trailer but a damaged payload, whose program image cannot
// be told apart; `trova_carico(runtime).perche` says what is wrong with it.
std::optional<std::string> unisci_carico(std::string_view runtime, const carico& c);

}  // namespace scenario

#endif  // SOURCES_CARICO_H_
