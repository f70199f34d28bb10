// The io layer's system calls on POSIX systems.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "compiler/testo_mostrabile.h"
#include "io/sistema.h"

namespace scenario::io {
namespace {

codice_sistema ultimo() { return static_cast<codice_sistema>(errno); }

tipo_voce tipo_da_modo(mode_t modo) {
  if (S_ISREG(modo)) return tipo_voce::file;
  if (S_ISLNK(modo)) return tipo_voce::collegamento;
  if (S_ISDIR(modo)) return tipo_voce::cartella;
  if (S_ISFIFO(modo)) return tipo_voce::fifo;
  if (S_ISCHR(modo) || S_ISBLK(modo)) return tipo_voce::dispositivo;
  return tipo_voce::altro;
}

}  // namespace

codice_sistema tipo_di(const std::filesystem::path& p, tipo_voce& tipo) {
  struct stat st {};
  if (::lstat(p.c_str(), &st) != 0) {
    if (errno != ENOENT) return ultimo();
    tipo = tipo_voce::assente;
    return 0;
  }
  tipo = tipo_da_modo(st.st_mode);
  return 0;
}

codice_sistema crea_esclusivo(const std::filesystem::path& p, maniglia& h, bool eseguibile) {
  h = ::open(p.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
             eseguibile ? 0777 : 0666);
  return h >= 0 ? 0 : ultimo();
}

codice_sistema scrivi(maniglia h, const char* dati, std::size_t n, std::size_t& scritti) {
  scritti = 0;
  const ssize_t r = ::write(h, dati, n);
  if (r > 0) {
    scritti = static_cast<std::size_t>(r);
    return 0;
  }
  if (r < 0 && errno == EINTR) return 0;
  return r < 0 ? ultimo() : EIO;
}

codice_sistema chiudi(maniglia h) { return ::close(h) == 0 ? 0 : ultimo(); }

codice_sistema rinomina(const std::filesystem::path& da, const std::filesystem::path& a) {
  return ::rename(da.c_str(), a.c_str()) == 0 ? 0 : ultimo();
}

void rimuovi(const std::filesystem::path& p) { ::unlink(p.c_str()); }

codice_sistema apri_lettura(const std::filesystem::path& p, maniglia& h, tipo_voce& tipo,
                            std::uint64_t& dimensione, bool segui_collegamento) {
  h = ::open(p.c_str(),
             O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (segui_collegamento ? 0 : O_NOFOLLOW));
  if (h < 0) return ultimo();
  struct stat st {};
  if (::fstat(h, &st) != 0) {
    const codice_sistema c = ultimo();
    ::close(h);
    return c;
  }
  tipo = tipo_da_modo(st.st_mode);
  dimensione = static_cast<std::uint64_t>(st.st_size);
  // A regular file never blocks; the flag only kept the open itself from waiting.
  const int flag = ::fcntl(h, F_GETFL);
  if (flag >= 0) ::fcntl(h, F_SETFL, flag & ~O_NONBLOCK);
  return 0;
}

codice_sistema leggi(maniglia h, char* dati, std::size_t n, std::size_t& letti) {
  letti = 0;
  for (;;) {
    const ssize_t r = ::read(h, dati, n);
    if (r >= 0) {
      letti = static_cast<std::size_t>(r);
      return 0;
    }
    if (errno != EINTR) return ultimo();
  }
}

codice_sistema prova_blocco(const std::filesystem::path& p, tentativo_blocco& t) {
  t = tentativo_blocco{};
  const int fd = ::open(p.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
  if (fd < 0) {
    const codice_sistema c = ultimo();
    // A lock file that exists and cannot be opened keeps the folder from every run; only a
    // folder where the file cannot even be made is one where nothing can be written.
    struct stat st {};
    if ((c == EACCES || c == EROFS || c == EPERM) && ::lstat(p.c_str(), &st) != 0 &&
        errno == ENOENT) {
      t.senza_permesso = true;
      return 0;
    }
    return c;
  }
  struct stat aperto {};
  if (::fstat(fd, &aperto) != 0 || !S_ISREG(aperto.st_mode)) {
    const codice_sistema c = S_ISREG(aperto.st_mode) ? ultimo() : codice_non_file;
    ::close(fd);
    return c;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const codice_sistema c = errno == EWOULDBLOCK ? 0 : ultimo();
    ::close(fd);
    return c;
  }
  // The run that held the lock removes its file before releasing it: a lock taken on that
  // removed file excludes nobody, so it only counts if the name still leads to it.
  struct stat nome {};
  if (::stat(p.c_str(), &nome) != 0 || nome.st_ino != aperto.st_ino ||
      nome.st_dev != aperto.st_dev) {
    ::close(fd);
    return 0;
  }
  t.preso = true;
  t.h = fd;
  return 0;
}

void rilascia_blocco(const std::filesystem::path& p, maniglia h) {
  ::unlink(p.c_str());
  ::close(h);
}

const codice_sistema codice_collegamento = ELOOP;
const codice_sistema codice_non_file = EISDIR;
const codice_sistema codice_scrittura = EIO;
const char* const nome_collegamento = "collegamento simbolico";
const char* const nome_collegamento_inglese = "symbolic link";

bool manca(codice_sistema c) { return c == ENOENT; }
bool esiste_gia(codice_sistema c) { return c == EEXIST; }
std::string ragione(codice_sistema c) { return std::strerror(static_cast<int>(c)); }
std::string nome_di(const std::filesystem::path& p) { return testo_mostrabile(p.string()); }
std::uint64_t id_processo() { return static_cast<std::uint64_t>(::getpid()); }

codice_sistema file_eseguibile(std::filesystem::path& file) {
  std::error_code ec;
  file = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? static_cast<codice_sistema>(ec.value()) : 0;
}

}  // namespace scenario::io
