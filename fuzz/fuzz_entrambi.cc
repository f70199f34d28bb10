// Fuzzes both sources at once. The input is the line description, one separator byte and the
// train service; the separator also chooses `j`: 0x00 builds the track plan (j = 1), 0x01
// does not (j = 0). Without a separator the whole input is the line description and the
// train service is missing (the fault path, code 25).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/proprieta.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t n) {
  const std::string_view tutto(reinterpret_cast<const char*>(dati), n);
  const std::size_t separatore = tutto.find_first_of(std::string_view("\0\1", 2));
  std::optional<std::string> treno;
  int32_t j = 1;
  if (separatore != std::string_view::npos) {
    treno = std::string(tutto.substr(separatore + 1));
    j = tutto[separatore] == '\0' ? 1 : 0;
  }
  scenario::fuzz::controlla_compilazione(std::string(tutto.substr(0, separatore)), treno, j);
  return 0;
}
