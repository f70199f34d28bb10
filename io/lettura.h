// Source texts read from files with bounded work: only a regular file, at most
// `dimensione_massima_sorgente` bytes, and every failure reported as `errore_file`.
#ifndef IO_LETTURA_H_
#define IO_LETTURA_H_

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "io/errore_file.h"

namespace scenario {

// Far above any real route (the shipped sources are some 10 KB together).
inline constexpr std::uint64_t dimensione_massima_sorgente = std::uint64_t{64} << 20;

// The whole text of `file`, or nothing when no file has that name. A folder, a FIFO, a
// device, a file above the limit or a failed read raises `errore_file`.
std::optional<std::string> leggi_sorgente(const std::filesystem::path& file);

}  // namespace scenario

#endif  // IO_LETTURA_H_
