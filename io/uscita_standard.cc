// Standard output flushed and checked once, at the end of what a command writes.
#include "io/uscita_standard.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace scenario {

void prepara_segnali_di_scrittura() {
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
#ifdef SIGPIPE
  std::signal(SIGPIPE, SIG_DFL);
#endif
}

std::string errore_uscita_standard() {
  errno = 0;
  const bool svuotata = std::fflush(stdout) == 0;
  if (svuotata && std::ferror(stdout) == 0) return "";
  // A write that failed before this flush leaves only its mark, not its reason.
  return errno != 0 ? std::strerror(errno) : "write error";
}

}  // namespace scenario
