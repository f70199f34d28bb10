// Fuzzes the reader of a package's payload: the bytes are a whole package file, read as the
// runtime reads its own, and used as a runtime to join a payload to.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/proprieta.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t n) {
  scenario::fuzz::controlla_carico(std::string_view(reinterpret_cast<const char*>(dati), n));
  return 0;
}
