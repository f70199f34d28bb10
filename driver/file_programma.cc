// Atomic file replacement on POSIX systems: O_EXCL | O_NOFOLLOW temporary, write, rename.
#include "driver/file_programma.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <streambuf>
#include <vector>

namespace scenario {
namespace {

std::string ragione(int codice) { return std::strerror(codice); }

[[noreturn]] void fallisci(const std::filesystem::path& file, const std::string& cosa, int codice) {
  throw errore_file("impossibile scrivere " + file.string() + ": " + cosa + ": " + ragione(codice));
}

// A stream buffer over a file descriptor that remembers the first write error.
class buffer_fd : public std::streambuf {
 public:
  explicit buffer_fd(int fd) : fd_(fd), spazio_(1 << 16) {
    setp(spazio_.data(), spazio_.data() + spazio_.size());
  }
  int errore() const { return errore_; }
  int sync() override { return svuota() ? 0 : -1; }

 protected:
  int_type overflow(int_type c) override {
    if (!svuota()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }

 private:
  bool svuota() {
    const char* p = pbase();
    while (p < pptr() && errore_ == 0) {
      const ssize_t n = ::write(fd_, p, static_cast<std::size_t>(pptr() - p));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        errore_ = n < 0 ? errno : EIO;
        break;
      }
      p += n;
    }
    setp(spazio_.data(), spazio_.data() + spazio_.size());
    return errore_ == 0;
  }
  int fd_;
  int errore_ = 0;
  std::vector<char> spazio_;
};

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
    buffer_fd buf(fd);
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
