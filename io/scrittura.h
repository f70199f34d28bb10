// Output files replaced atomically: each one written in full to a temporary of its own beside
// it, then renamed over it. A set of files is renamed only when every member is ready.
#ifndef IO_SCRITTURA_H_
#define IO_SCRITTURA_H_

#include <filesystem>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "io/errore_io.h"

namespace scenario {

using contenuto_file = std::function<void(std::ostream&)>;

// Files of one folder replaced together. `prepara` writes a file's bytes to a fresh temporary
// (a name no other run uses, created exclusively, never through a link) and closes it;
// `conferma` then renames every temporary over its file, one after the other with nothing in
// between. Until `conferma` the old files stay as they were; temporaries not renamed are
// removed when the object goes. Failures raise `errore_io`.
class insieme_file {
 public:
  explicit insieme_file(std::filesystem::path cartella) : cartella_(std::move(cartella)) {}
  ~insieme_file();
  insieme_file(const insieme_file&) = delete;
  insieme_file& operator=(const insieme_file&) = delete;

  // An `eseguibile` file is made a program (io::crea_esclusivo).
  void prepara(const std::filesystem::path& nome_file, const contenuto_file& contenuto,
               bool eseguibile = false);
  void conferma();

 private:
  struct pronto {
    std::filesystem::path temporaneo, destinazione;
  };
  std::filesystem::path cartella_;
  std::vector<pronto> pronti_;
};

// Removes the temporaries of the files `nomi_file` that killed runs left in `cartella` (regular
// files named as `insieme_file` names them), in one reading of the folder. Only for a run that
// holds the folder's lock: another run's temporaries would otherwise go too.
void rimuovi_temporanei_orfani(const std::filesystem::path& cartella,
                               std::span<const std::string> nomi_file);

// One file replaced on its own, the same way.
void sostituisci_file(const std::filesystem::path& destinazione, const contenuto_file& contenuto,
                      bool eseguibile = false);

}  // namespace scenario

#endif  // IO_SCRITTURA_H_
