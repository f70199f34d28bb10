// What every fuzzing input must respect besides not crashing: the compile driver ends with
// a known code, writes files of the sizes their layouts imply, leaves no text source behind
// and gives the same bytes when run twice on the same sources. A broken property aborts
// with a message, so that libFuzzer keeps the input as a finding.
#ifndef FUZZ_PROPRIETA_H_
#define FUZZ_PROPRIETA_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scenario::fuzz {

// The shipped texts, lines joined with CR LF.
const std::string& linea_spedita();
const std::string& treno_spedito();

// Compiles the two sources twice with the given `j` and checks every property.
void controlla_compilazione(const std::optional<std::string>& linea,
                            const std::optional<std::string>& treno, int32_t j);

// Feeds the bytes to the three readers of the compiled files; what a reader accepts must be
// written back byte for byte by the matching writer.
void controlla_lettori(std::string_view byte);

// Reads the bytes as a package: a payload read is encoded back byte for byte and has valid
// names, a payload refused has a reason fit for a terminal; joining a payload to the bytes as
// a runtime gives a package that reads back that payload, unless the bytes hold a damaged one.
void controlla_carico(std::string_view byte);

}  // namespace scenario::fuzz

#endif  // FUZZ_PROPRIETA_H_
