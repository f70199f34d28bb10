// The window as the package runs it: the FLTK module it carries is loaded only when DISPLAY
// names a display, so a run without one never loads the X11 libraries, and a machine without
// them still runs the package, headless.
#include <dlfcn.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "driver/interfaccia.h"
#include "driver/modulo_finestra.h"

// The module's bytes, placed in the executable at build time.
extern "C" const unsigned char scenario_modulo_inizio[];
extern "C" const unsigned char scenario_modulo_fine[];

namespace scenario {
namespace {

struct funzioni_modulo {
  decltype(&scenario_apri_display) apri_display = nullptr;
  decltype(&scenario_mostra_avanzamento) mostra_avanzamento = nullptr;
  decltype(&scenario_mostra_errore) mostra_errore = nullptr;
  decltype(&scenario_chiudi_finestra) chiudi_finestra = nullptr;
};

bool scrivi_tutto(int fd, const unsigned char* p, const unsigned char* fine) {
  while (p < fine) {
    const ssize_t n = ::write(fd, p, static_cast<std::size_t>(fine - p));
    if (n <= 0) return false;
    p += n;
  }
  return true;
}

// The module copied into an anonymous in-memory file and loaded from there: nothing is
// written beside the package. Null when the system cannot load it, for instance when the
// X11 libraries are missing.
void* carica_modulo() {
  const int fd = ::memfd_create("finestra_scenario", MFD_CLOEXEC);
  if (fd < 0) return nullptr;
  void* modulo = nullptr;
  if (scrivi_tutto(fd, scenario_modulo_inizio, scenario_modulo_fine)) {
    const std::string percorso = "/proc/self/fd/" + std::to_string(fd);
    modulo = ::dlopen(percorso.c_str(), RTLD_NOW | RTLD_LOCAL);
  }
  ::close(fd);
  return modulo;
}

template <typename F>
bool trova(void* modulo, const char* nome, F& funzione) {
  funzione = reinterpret_cast<F>(::dlsym(modulo, nome));
  return funzione != nullptr;
}

bool trova_funzioni(void* modulo, funzioni_modulo& f) {
  return trova(modulo, simbolo_apri_display, f.apri_display) &&
         trova(modulo, simbolo_mostra_avanzamento, f.mostra_avanzamento) &&
         trova(modulo, simbolo_mostra_errore, f.mostra_errore) &&
         trova(modulo, simbolo_chiudi_finestra, f.chiudi_finestra);
}

class interfaccia_caricata : public interfaccia_utente {
 public:
  explicit interfaccia_caricata(const funzioni_modulo& f) : f_(f) {}
  ~interfaccia_caricata() override { f_.chiudi_finestra(); }
  interfaccia_caricata(const interfaccia_caricata&) = delete;
  interfaccia_caricata& operator=(const interfaccia_caricata&) = delete;

  void mostra_avanzamento(const std::string& titolo) override {
    f_.mostra_avanzamento(titolo.c_str());
  }
  void errore(const std::string& a) override { f_.mostra_errore(testo_errore(a).c_str()); }

 private:
  funzioni_modulo f_;
};

}  // namespace

std::unique_ptr<interfaccia_utente> crea_interfaccia() {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') return std::make_unique<interfaccia_senza_finestra>();
  // The module stays loaded until the process ends: FLTK keeps state of its own.
  void* modulo = carica_modulo();
  funzioni_modulo f;
  if (modulo == nullptr || !trova_funzioni(modulo, f) || f.apri_display(display) == 0) {
    return std::make_unique<interfaccia_senza_finestra>();
  }
  return std::make_unique<interfaccia_caricata>(f);
}

}  // namespace scenario
