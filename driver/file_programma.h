// The program folder and the atomic replacement of an output file in it.
#ifndef DRIVER_FILE_PROGRAMMA_H_
#define DRIVER_FILE_PROGRAMMA_H_

#include <filesystem>
#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>

#include "compiler/sorgenti.h"

namespace scenario {

// A file that could not be written; the message names the file and the system's reason.
class errore_file : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The folder that holds the running executable.
std::filesystem::path cartella_programma();

// Replaces `destinazione` with fresh content: the bytes go to a temporary sibling created
// exclusively (never through a symbolic link), which is then renamed over the target. On any
// failure the old file stays as it was, the temporary file is removed and `errore_file` is
// thrown. A symbolic link or anything but a regular file at the target is refused.
void sostituisci_file(const std::filesystem::path& destinazione,
                      const std::function<void(std::ostream&)>& contenuto);

// Compiled files and documents replaced atomically in one folder.
class file_in_cartella : public destinazione_file {
 public:
  explicit file_in_cartella(std::filesystem::path cartella) : cartella_(std::move(cartella)) {}
  void scrivi(const std::string& nome_file,
              const std::function<void(std::ostream&)>& contenuto) override {
    sostituisci_file(cartella_ / nome_file, contenuto);
  }

 private:
  std::filesystem::path cartella_;
};

}  // namespace scenario

#endif  // DRIVER_FILE_PROGRAMMA_H_
