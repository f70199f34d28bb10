// Fuzzes `plot` on compiled files of any bytes. The input is the cells file, then the
// separator "@@@@" and the station file, then "@@@@" and the track-plan file (no second
// separator: no track plan). Bytes a reader refuses give way to an empty file of that kind,
// so that every input reaches the drawing. The image is made in memory, an SVG after an even
// first byte and a PNG after an odd one. A slow input is a finding, through -timeout.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "compiler/file_binari.h"
#include "tools/dump/descrizione_scenario.h"
#include "tools/plot/disegno_percorso.h"
#include "tools/plot/tela.h"

namespace {

using namespace scenario;
using namespace scenario::strumento;

constexpr std::string_view separatore = "@@@@";

// The next part of the input, up to the separator or the end.
std::string_view parte(std::string_view& resto, bool& finita) {
  const std::size_t p = resto.find(separatore);
  finita = p == std::string_view::npos;
  const std::string_view r = resto.substr(0, p);
  resto = finita ? std::string_view() : resto.substr(p + separatore.size());
  return r;
}

file_letti file_da(std::string_view dati) {
  file_letti f;
  bool finita = false;
  std::string_view celle = parte(dati, finita);
  f.percorso = leggi_percorso(celle.substr(0, celle.size() - celle.size() % byte_cella));
  if (finita) return f;
  try {
    f.stazioni = leggi_stazioni(parte(dati, finita));
  } catch (const formato_non_valido&) {
  }
  if (finita) return f;
  try {
    metti_tracciato(f, leggi_tracciato(dati));
  } catch (const formato_non_valido&) {
  }
  return f;
}

}  // namespace

// The fonts are kept from one input to the next and handed back at the end, before the leak
// check.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::atexit(libera_caratteri);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t n) {
  const file_letti f = file_da(std::string_view(reinterpret_cast<const char*>(dati), n));
  const descrizione d = descrivi(f, "FUZZ", "1");
  const auto formato = n > 0 && (dati[0] & 1) ? formato_immagine::png : formato_immagine::svg;
  std::string errore;
  const std::string byte = immagine_percorso(d, f, formato, opzioni_disegno{true}, errore);
  if (byte.empty() == errore.empty()) __builtin_trap();
  return 0;
}
