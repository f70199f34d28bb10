// What the editor server reads from the disk: a route's sources that are not open in the
// editor, and the names in their folder. An interface, so that the tests and the fuzzing
// harness give the server a disk of their own.
#ifndef TOOLS_LSP_DISCO_LSP_H_
#define TOOLS_LSP_DISCO_LSP_H_

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace scenario::strumento {

class disco_lsp {
 public:
  virtual ~disco_lsp() = default;
  // The bytes of `file`, nothing when there is none; a file that is not a regular file, is
  // above the sources' limit or cannot be read raises `errore_io`.
  virtual std::optional<std::string> leggi(const std::filesystem::path& file) = 0;
  // The names of the regular files of `cartella`, sorted.
  virtual std::vector<std::string> nomi_in(const std::filesystem::path& cartella) = 0;
};

// The real disk, through the file layer, read as `check` reads the sources.
class disco_reale : public disco_lsp {
 public:
  std::optional<std::string> leggi(const std::filesystem::path& file) override;
  std::vector<std::string> nomi_in(const std::filesystem::path& cartella) override;
};

}  // namespace scenario::strumento

#endif  // TOOLS_LSP_DISCO_LSP_H_
