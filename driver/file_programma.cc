// Atomic file replacement on POSIX systems: O_EXCL | O_NOFOLLOW temporary, write, rename.
#include "driver/file_programma.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "driver/buffer_file.h"

namespace scenario {
namespace {

std::string ragione(int codice) { return std::strerror(codice); }

[[noreturn]] void fallisci(const std::filesystem::path& file, const std::string& cosa, int codice) {
  throw errore_file("impossibile scrivere " + file.string() + ": " + cosa + ": " + ragione(codice));
}

// One write(2) call; an interrupted call writes nothing and is tried again by the caller.
std::size_t scrivi_fd(int fd, const char* p, std::size_t n, int& errore) {
  const ssize_t scritti = ::write(fd, p, n);
  if (scritti > 0) return static_cast<std::size_t>(scritti);
  if (scritti < 0 && errno == EINTR) return 0;
  errore = scritti < 0 ? errno : EIO;
  return 0;
}

// Only a regular file (or nothing) may stand where an output goes.
void controlla_destinazione(const std::filesystem::path& destinazione) {
  struct stat st {};
  if (::lstat(destinazione.c_str(), &st) != 0) {
    if (errno == ENOENT) return;
    fallisci(destinazione, "stato del file", errno);
  }
  if (S_ISLNK(st.st_mode))
    fallisci(destinazione, "al suo posto c'e' un collegamento simbolico", ELOOP);
  if (!S_ISREG(st.st_mode))
    fallisci(destinazione, "al suo posto c'e' un elemento che non e' un file", EISDIR);
}

// The temporary sibling; a regular file left there by an interrupted run is removed first,
// anything else at that name (a planted link) is refused.
int crea_temporaneo(const std::filesystem::path& destinazione, const std::filesystem::path& tmp) {
  for (int tentativo = 0; tentativo < 2; ++tentativo) {
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd >= 0) return fd;
    if (errno != EEXIST) fallisci(destinazione, "creazione di " + tmp.filename().string(), errno);
    struct stat st {};
    if (::lstat(tmp.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
      fallisci(destinazione, "il nome temporaneo " + tmp.filename().string() + " e' occupato",
               EEXIST);
    }
    ::unlink(tmp.c_str());
  }
  fallisci(destinazione, "creazione di " + tmp.filename().string(), EEXIST);
}

}  // namespace

std::filesystem::path cartella_programma() {
  std::error_code ec;
  const auto eseguibile = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) throw errore_file("impossibile trovare la cartella del programma: " + ec.message());
  return eseguibile.parent_path();
}

void sostituisci_file(const std::filesystem::path& destinazione,
                      const std::function<void(std::ostream&)>& contenuto) {
  controlla_destinazione(destinazione);
  const std::filesystem::path tmp = destinazione.string() + ".tmp";
  const int fd = crea_temporaneo(destinazione, tmp);
  int errore = 0;
  std::string cosa = "scrittura";
  {
    auto scrittura = [fd](const char* p, std::size_t n, int& e) { return scrivi_fd(fd, p, n, e); };
    buffer_file<int, decltype(scrittura)> buf(scrittura);
    std::ostream out(&buf);
    try {
      contenuto(out);
    } catch (...) {
      ::close(fd);
      ::unlink(tmp.c_str());
      throw;
    }
    out.flush();
    errore = buf.errore();
    if (errore == 0 && !out) errore = EIO;
  }
  if (::close(fd) != 0 && errore == 0) errore = errno;
  if (errore == 0 && ::rename(tmp.c_str(), destinazione.c_str()) != 0) {
    errore = errno;
    cosa = "sostituzione";
  }
  if (errore != 0) {
    ::unlink(tmp.c_str());
    fallisci(destinazione, cosa, errore);
  }
}

}  // namespace scenario
