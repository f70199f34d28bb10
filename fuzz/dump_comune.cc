#include "fuzz/dump_comune.h"

#include <cstdio>
#include <cstdlib>

#include "compiler/file_binari.h"

namespace scenario::fuzz {

std::optional<strumento::file_letti> file_da_input(std::string_view byte) {
  std::string_view celle = byte, stazioni, tracciato;
  bool con_tracciato = false;
  if (const auto t = celle.find(marcatore_tracciato); t != std::string_view::npos) {
    tracciato = celle.substr(t + marcatore_tracciato.size());
    celle = celle.substr(0, t);
    con_tracciato = true;
  }
  const std::string vuote(numero_voci_stazione * 34, '\0');
  stazioni = vuote;
  if (const auto s = celle.find(marcatore_stazioni); s != std::string_view::npos) {
    stazioni = celle.substr(s + marcatore_stazioni.size());
    celle = celle.substr(0, s);
  }
  try {
    strumento::file_letti f;
    f.percorso = leggi_percorso(celle);
    f.stazioni = leggi_stazioni(stazioni);
    if (con_tracciato) strumento::metti_tracciato(f, leggi_tracciato(tracciato));
    return f;
  } catch (const formato_non_valido&) {
    return std::nullopt;
  }
}

void controlla_stampabile(std::string_view testo) {
  for (std::size_t i = 0; i < testo.size(); ++i) {
    const auto b = static_cast<unsigned char>(testo[i]);
    const bool c1 = b == 0xC2 && i + 1 < testo.size() &&
                    static_cast<unsigned char>(testo[i + 1]) >= 0x80 &&
                    static_cast<unsigned char>(testo[i + 1]) <= 0x9F;
    if ((b < 0x20 && b != '\n') || b == 0x7F || c1) {
      std::fprintf(stderr, "control byte 0x%02x at %zu of the text dump\n", b, i);
      std::abort();
    }
  }
}

std::string scritto(void (*scrivi)(std::FILE*, const strumento::file_letti&),
                    const strumento::file_letti& f) {
  char* dati = nullptr;
  std::size_t n = 0;
  std::FILE* out = open_memstream(&dati, &n);
  if (out == nullptr) std::abort();
  scrivi(out, f);
  std::fclose(out);
  std::string r(dati, n);
  std::free(dati);
  return r;
}

}  // namespace scenario::fuzz
