// Fuzzes the text `dump` over arbitrary compiled files: whatever the readers accept is
// described and written without a crash, and no byte of the text can drive a terminal.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/dump_comune.h"
#include "tools/dump/descrizione_testo.h"

namespace {

void testo(std::FILE* out, const scenario::strumento::file_letti& f) {
  using namespace scenario::strumento;
  scrivi_testo(out, descrivi(f, "ARONA_DOMODOSSOLA", "324", false), f, "cartella");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t n) {
  const auto f =
      scenario::fuzz::file_da_input(std::string_view(reinterpret_cast<const char*>(dati), n));
  if (f) scenario::fuzz::controlla_stampabile(scenario::fuzz::scritto(testo, *f));
  return 0;
}
