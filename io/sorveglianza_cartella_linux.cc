// The folder watch on Linux: one inotify descriptor, one watch on the folder. Events are read in
// whole buffers; those of other names are passed over, and a folder that goes away drops its
// watch, so that the same path is watched afresh when a folder stands there again.
#include "io/sorveglianza_cartella.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace scenario {
namespace {

constexpr uint32_t eventi_file =
    IN_CLOSE_WRITE | IN_MODIFY | IN_ATTRIB | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
constexpr uint32_t eventi_cartella = IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT | IN_IGNORED;

}  // namespace

sorveglianza_cartella::sorveglianza_cartella(std::filesystem::path cartella,
                                             std::span<const std::string> nomi)
    : cartella_(std::move(cartella)), nomi_(nomi.begin(), nomi.end()) {
  fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  riprova();
}

sorveglianza_cartella::~sorveglianza_cartella() {
  if (fd_ >= 0) close(fd_);
}

bool sorveglianza_cartella::riprova() {
  if (fd_ < 0) return false;
  if (watch_ < 0) {
    watch_ = inotify_add_watch(fd_, cartella_.c_str(), eventi_file | eventi_cartella | IN_ONLYDIR);
  }
  return watch_ >= 0;
}

void sorveglianza_cartella::smetti() {
  // The watch may be gone already (IN_IGNORED); removing it again only fails.
  if (watch_ >= 0) inotify_rm_watch(fd_, watch_);
  watch_ = -1;
}

bool sorveglianza_cartella::osservato(std::string_view nome) const {
  return std::find(nomi_.begin(), nomi_.end(), nome) != nomi_.end();
}

novita_cartella sorveglianza_cartella::leggi() {
  novita_cartella n;
  if (fd_ < 0) return n;
  alignas(inotify_event) char buffer[16 * 1024];
  for (;;) {
    const ssize_t letti = read(fd_, buffer, sizeof buffer);
    if (letti < 0 && errno == EINTR) continue;
    if (letti <= 0) break;
    for (std::size_t p = 0; p + sizeof(inotify_event) <= static_cast<std::size_t>(letti);) {
      inotify_event e;
      std::memcpy(&e, buffer + p, sizeof e);
      const char* nome = buffer + p + sizeof(inotify_event);
      p += sizeof(inotify_event) + e.len;
      if (e.mask & IN_Q_OVERFLOW) n.cambiati = true;
      if (e.wd != watch_) continue;
      if (e.mask & eventi_cartella) {
        n.sparita = true;
        smetti();
      } else if (e.len > 0 && osservato(std::string_view(nome, strnlen(nome, e.len)))) {
        n.cambiati = true;
      }
    }
  }
  return n;
}

}  // namespace scenario
