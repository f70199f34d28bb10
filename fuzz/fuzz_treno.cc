// Fuzzes the train service: the input is the whole text, the line description is the shipped
// one. The train half never touches the track plan, so it is left out (j = 0) to keep each
// run short.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/proprieta.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t n) {
  const std::string treno(reinterpret_cast<const char*>(dati), n);
  scenario::fuzz::controlla_compilazione(scenario::fuzz::linea_spedita(), treno, 0);
  return 0;
}
