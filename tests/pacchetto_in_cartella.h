// Runs a copy of the package in a folder of its own, optionally under a file-size limit or
// as an unprivileged user, and reads back what the folder holds. Used by the tests of file
// faults and of determinism.
#ifndef TESTS_PACCHETTO_IN_CARTELLA_H_
#define TESTS_PACCHETTO_IN_CARTELLA_H_

#include <fcntl.h>
#include <grp.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>

#include "tests/aiuti_test.h"

namespace scenario::test {

inline constexpr const char* nome_pacchetto = "ARONA_DOMODOSSOLA_324";

// The user of the unprivileged runs ("nobody" on Debian).
inline constexpr uid_t utente_senza_privilegi = 65534;

struct condizioni {
  std::optional<rlim_t> dimensione_massima_file;  // RLIMIT_FSIZE of the run
  bool senza_privilegi = false;                   // run as utente_senza_privilegi when root
};

struct esito_processo {
  int stato = -1;      // exit status, or 128 + signal
  std::string errori;  // what it wrote to standard error
};

// Exit statuses of a child that could not even start the package.
inline constexpr int stato_privilegi_non_lasciati = 125;
inline constexpr int stato_exec_fallito = 126;

namespace dettaglio {

// In the child, before exec: only async-signal-safe calls.
inline void applica(const condizioni& c) {
  if (c.dimensione_massima_file) {
    const rlimit r{*c.dimensione_massima_file, *c.dimensione_massima_file};
    if (::setrlimit(RLIMIT_FSIZE, &r) != 0) ::_exit(stato_privilegi_non_lasciati);
  }
  if (c.senza_privilegi && ::geteuid() == 0) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(utente_senza_privilegi) != 0 ||
        ::setuid(utente_senza_privilegi) != 0) {
      ::_exit(stato_privilegi_non_lasciati);
    }
  }
}

inline int stato_di(int stato) {
  if (WIFEXITED(stato)) return WEXITSTATUS(stato);
  if (WIFSIGNALED(stato)) return 128 + WTERMSIG(stato);
  return -1;
}

}  // namespace dettaglio

// Runs `programma` without arguments and without a display, under `c`.
inline esito_processo esegui_processo(const std::filesystem::path& programma,
                                      const condizioni& c = {}) {
  int tubo[2];
  if (::pipe(tubo) != 0) throw std::runtime_error(std::strerror(errno));
  const pid_t figlio = ::fork();
  if (figlio < 0) throw std::runtime_error(std::strerror(errno));
  if (figlio == 0) {
    ::close(tubo[0]);
    ::dup2(tubo[1], STDERR_FILENO);
    const int nulla = ::open("/dev/null", O_WRONLY);
    if (nulla >= 0) ::dup2(nulla, STDOUT_FILENO);
    dettaglio::applica(c);
    ::unsetenv("DISPLAY");
    ::execl(programma.c_str(), programma.c_str(), static_cast<char*>(nullptr));
    ::_exit(stato_exec_fallito);
  }
  ::close(tubo[1]);
  esito_processo e;
  char blocco[4096];
  for (;;) {
    const ssize_t n = ::read(tubo[0], blocco, sizeof blocco);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    e.errori.append(blocco, static_cast<std::size_t>(n));
  }
  ::close(tubo[0]);
  int stato = 0;
  while (::waitpid(figlio, &stato, 0) < 0 && errno == EINTR) {
  }
  e.stato = dettaglio::stato_di(stato);
  return e;
}

// Whether a process under `c` can create a file in `cartella` (the probe is removed again);
// nothing when the conditions themselves cannot be applied.
inline std::optional<bool> puo_scrivere(const std::filesystem::path& cartella,
                                        const condizioni& c) {
  const std::string prova = (cartella / "prova_scrittura").string();
  const pid_t figlio = ::fork();
  if (figlio < 0) throw std::runtime_error(std::strerror(errno));
  if (figlio == 0) {
    dettaglio::applica(c);
    const int fd = ::open(prova.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    ::_exit(fd >= 0 ? 0 : 1);
  }
  int stato = 0;
  while (::waitpid(figlio, &stato, 0) < 0 && errno == EINTR) {
  }
  std::error_code ec;
  std::filesystem::remove(prova, ec);
  const int esito = dettaglio::stato_di(stato);
  if (esito == stato_privilegi_non_lasciati) return std::nullopt;
  return esito == 0;
}

// A fresh folder under the system's temporary folder, open to every user (an unprivileged
// run must reach it), holding a copy of the package; removed with everything in it.
class cartella_pacchetto {
 public:
  cartella_pacchetto() {
    std::string modello_nome =
        (std::filesystem::temp_directory_path() / "pacchetto_prova_XXXXXX").string();
    if (::mkdtemp(modello_nome.data()) == nullptr) throw std::runtime_error(std::strerror(errno));
    cartella_ = modello_nome;
    std::filesystem::permissions(cartella_, std::filesystem::perms(0755));
    std::filesystem::copy_file(PACCHETTO, programma());
    std::filesystem::permissions(programma(), std::filesystem::perms(0755));
  }
  ~cartella_pacchetto() {
    std::error_code ec;
    std::filesystem::permissions(cartella_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(cartella_, ec);
  }
  cartella_pacchetto(const cartella_pacchetto&) = delete;
  cartella_pacchetto& operator=(const cartella_pacchetto&) = delete;

  const std::filesystem::path& percorso() const { return cartella_; }
  std::filesystem::path programma() const { return cartella_ / nome_pacchetto; }
  esito_processo esegui(const condizioni& c = {}) const { return esegui_processo(programma(), c); }

  // Every regular file but the package itself, by name, with its bytes; symbolic links are
  // not followed.
  std::map<std::string, std::string> contenuto() const {
    std::map<std::string, std::string> file;
    for (const auto& voce : std::filesystem::directory_iterator(cartella_)) {
      const std::string nome = voce.path().filename().string();
      if (nome == nome_pacchetto || !std::filesystem::is_regular_file(voce.symlink_status())) {
        continue;
      }
      file[nome] = leggi_file(voce.path());
    }
    return file;
  }

 private:
  std::filesystem::path cartella_;
};

// Empty when both folders hold the same files with the same bytes; otherwise the first
// difference, short enough for a failure message.
inline std::string differenza(const std::map<std::string, std::string>& attese,
                              const std::map<std::string, std::string>& trovate) {
  for (const auto& [nome, byte] : attese) {
    const auto it = trovate.find(nome);
    if (it == trovate.end()) return nome + ": manca";
    if (it->second == byte) continue;
    std::size_t i = 0;
    while (i < byte.size() && i < it->second.size() && byte[i] == it->second[i]) ++i;
    return nome + ": " + std::to_string(it->second.size()) + " byte invece di " +
           std::to_string(byte.size()) + ", primo byte diverso all'offset " + std::to_string(i);
  }
  for (const auto& [nome, byte] : trovate) {
    if (!attese.contains(nome)) return nome + ": in piu'";
  }
  return "";
}

}  // namespace scenario::test

#endif  // TESTS_PACCHETTO_IN_CARTELLA_H_
