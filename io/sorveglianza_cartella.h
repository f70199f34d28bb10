// A folder watched for changes to some of its files, for a program that redraws what they hold
// (Linux only: inotify). The folder is watched, not the files: an editor saves by renaming a
// temporary over the source, and a watch on the old file would follow it away. Nothing is
// opened, created or written in the folder.
#ifndef IO_SORVEGLIANZA_CARTELLA_H_
#define IO_SORVEGLIANZA_CARTELLA_H_

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace scenario {

// What the events read at once mean for the files watched.
struct novita_cartella {
  bool cambiati = false;  // one of them was written, created, renamed, removed or chmodded
  bool sparita = false;   // the folder itself was removed, renamed or unmounted
};

class sorveglianza_cartella {
 public:
  // Watches `cartella` for the files named `nomi` (names in it, not paths). A folder that is
  // not there yet is not watched: `riprova` watches it once it is.
  sorveglianza_cartella(std::filesystem::path cartella, std::span<const std::string> nomi);
  ~sorveglianza_cartella();
  sorveglianza_cartella(const sorveglianza_cartella&) = delete;
  sorveglianza_cartella& operator=(const sorveglianza_cartella&) = delete;

  // To wait on with poll(): readable when events wait. -1 when the system gave no watcher.
  int descrittore() const { return fd_; }
  bool attiva() const { return watch_ >= 0; }

  // Reads every event waiting, without blocking. Overflowed events count as a change.
  novita_cartella leggi();

  // Watches the folder again if it is there; true when it is watched.
  bool riprova();

 private:
  bool osservato(std::string_view nome) const;
  void smetti();

  std::filesystem::path cartella_;
  std::vector<std::string> nomi_;
  int fd_ = -1;
  int watch_ = -1;
};

}  // namespace scenario

#endif  // IO_SORVEGLIANZA_CARTELLA_H_
