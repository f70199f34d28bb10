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
// (NAME.PROCESS.SET.tmp, a name no other run uses, created exclusively, never through a link)
// and closes it; `conferma` puts the set in place. Until `conferma` the old files stay as they
// were; temporaries not put in place are removed when the object goes. Failures raise
// `errore_io`, and a failure inside `conferma` puts the old set back first.
//
// `conferma` of two files or more takes three steps, so that the freeing of the old files'
// blocks, which a rename over them does inside the rename, falls outside the renames: each old
// file is moved aside (NAME.PROCESS.SET.old), or its absence is marked (an empty
// NAME.PROCESS.SET.absent); each temporary is renamed into its free name; the old files and
// the marks are deleted. A run killed on the way leaves what `ripara_scritture_interrotte`
// finishes or undoes. A single file is renamed over its old copy, in one step; a set none of
// whose files exists yet is renamed into place file by file, since there is no earlier set
// that a kill could leave mixed with it.
class insieme_file {
 public:
  explicit insieme_file(std::filesystem::path cartella);
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
  bool sostituisce() const;
  void conferma_insieme();
  std::filesystem::path cartella_;
  std::string insieme_;  // PROCESS.SET, in the names of its temporaries and old files
  std::vector<pronto> pronti_;
};

// Before a run writes the files `nomi_file` of `cartella`, under the folder's lock: finishes or
// undoes what killed runs left while replacing them (regular files named as `insieme_file`
// names them), in one reading of the folder. A set with none of its temporaries left was put
// in place whole: its old files and marks are deleted. A set with a temporary left was not:
// each old file goes back to its name and each name marked absent is emptied again, so that
// the old set stands whole. Then every temporary goes. Only for a run that holds the lock:
// another run's files would otherwise go too.
void ripara_scritture_interrotte(const std::filesystem::path& cartella,
                                 std::span<const std::string> nomi_file);

// One file replaced on its own, the same way.
void sostituisci_file(const std::filesystem::path& destinazione, const contenuto_file& contenuto,
                      bool eseguibile = false);

}  // namespace scenario

#endif  // IO_SCRITTURA_H_
