// The inputs of the dump harnesses: one byte string holding the cells file, then optionally
// the station table and the track plan, each after its marker. Without a station table the
// 87 slots are empty.
#ifndef FUZZ_DUMP_COMUNE_H_
#define FUZZ_DUMP_COMUNE_H_

#include <optional>
#include <string>
#include <string_view>

#include "tools/dump/descrizione_scenario.h"

namespace scenario::fuzz {

inline constexpr std::string_view marcatore_stazioni =
    "\xff"
    "SIM";
inline constexpr std::string_view marcatore_tracciato =
    "\xff"
    "LIN";

// The files the input stands for, or nothing when a reader refuses them.
std::optional<strumento::file_letti> file_da_input(std::string_view byte);

// Aborts, so that libFuzzer keeps the input, when `testo` holds a byte that could drive a
// terminal: a C0 control other than the line end, DEL, or a UTF-8 C1 control.
void controlla_stampabile(std::string_view testo);

// What the harness wrote through the callback, collected in memory.
std::string scritto(void (*scrivi)(std::FILE*, const strumento::file_letti&),
                    const strumento::file_letti& f);

}  // namespace scenario::fuzz

#endif  // FUZZ_DUMP_COMUNE_H_
