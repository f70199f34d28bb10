// One run at a time in a folder: an exclusive advisory lock on a lock file in it, held from
// the first file a run touches to the last (flock on Linux, LockFileEx on Windows).
#ifndef IO_BLOCCO_H_
#define IO_BLOCCO_H_

#include <chrono>
#include <filesystem>

#include "io/errore_io.h"
#include "io/sistema.h"

namespace scenario {

inline constexpr const char* nome_file_blocco = ".scenario.lock";
inline constexpr std::chrono::milliseconds attesa_blocco{10000};

// Takes the lock of `cartella`, waiting at most `attesa` for another run to end; then raises
// `errore_io` of kind `cartella_occupata`, having written nothing. So does at once a lock file
// that stands there and cannot be used (one this process may not open, or a link, a folder, a
// FIFO or a device in its place): the folder is busy or unusable, never unlocked. A folder in
// which no lock file stands and this process may create nothing is not locked: every write
// there fails on its own. The lock and its file go with the object.
class blocco_cartella {
 public:
  explicit blocco_cartella(const std::filesystem::path& cartella,
                           std::chrono::milliseconds attesa = attesa_blocco);
  ~blocco_cartella();
  blocco_cartella(const blocco_cartella&) = delete;
  blocco_cartella& operator=(const blocco_cartella&) = delete;

  const std::filesystem::path& cartella() const { return cartella_; }

 private:
  std::filesystem::path cartella_;
  std::filesystem::path file_;
  bool preso_ = false;
  io::maniglia h_{};
};

}  // namespace scenario

#endif  // IO_BLOCCO_H_
