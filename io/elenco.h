// What a folder holds, as scenario-tool's guesses and warnings read it: the names of its
// files, and when a file was last changed. Nothing here reads or writes a file's content.
#ifndef IO_ELENCO_H_
#define IO_ELENCO_H_

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace scenario {

enum class stato_elenco { letto, assente, non_cartella, illeggibile };

struct elenco_cartella {
  stato_elenco stato = stato_elenco::letto;
  std::vector<std::string> nomi;  // of every entry, file, folder or link, sorted
  std::string ragione;            // the system's words when it cannot be listed
};

// What `cartella` holds.
elenco_cartella elenca_file(const std::filesystem::path& cartella);

// When `file` was last changed, or nothing when it cannot be told (no such file).
std::optional<std::filesystem::file_time_type> ultima_modifica(const std::filesystem::path& file);

}  // namespace scenario

#endif  // IO_ELENCO_H_
