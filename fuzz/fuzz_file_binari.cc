// Fuzzes the readers of the compiled files: the same bytes go to the cells, station and
// track-plan readers, which either refuse them with `formato_non_valido` or accept them so
// that the writers give the same bytes back.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/proprieta.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t n) {
  scenario::fuzz::controlla_lettori(std::string_view(reinterpret_cast<const char*>(dati), n));
  return 0;
}
