// Fuzzes `dump --json` over arbitrary compiled files: whatever the readers accept is written
// as one JSON document that parses, with its "formato" first.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string_view>

#include "fuzz/dump_comune.h"
#include "tools/dump/descrizione_json.h"

namespace {

void documento(std::FILE* out, const scenario::strumento::file_letti& f) {
  using namespace scenario::strumento;
  scrivi_json(out, descrivi(f, "ARONA_DOMODOSSOLA", "324", false), f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t n) {
  const auto f =
      scenario::fuzz::file_da_input(std::string_view(reinterpret_cast<const char*>(dati), n));
  if (!f) return 0;
  const std::string testo = scenario::fuzz::scritto(documento, *f);
  const auto d = nlohmann::ordered_json::parse(testo, nullptr, false);
  if (d.is_discarded() || !d.is_object() || d.begin().key() != "formato") {
    std::fprintf(stderr, "the JSON dump does not parse or does not start with formato\n");
    std::abort();
  }
  return 0;
}
