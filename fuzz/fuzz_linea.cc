// Fuzzes the line description: the input is the whole text, the train service is the shipped
// one, and the track plan is built (j = 1).
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/proprieta.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t n) {
  const std::string linea(reinterpret_cast<const char*>(dati), n);
  scenario::fuzz::controlla_compilazione(linea, scenario::fuzz::treno_spedito(), 1);
  return 0;
}
