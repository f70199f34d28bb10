// The scenario identity as values: the two markers and the two codes that the compile
// driver stamps into slot 85 and cell 1, computed here from the names alone so that a reader
// of the compiled files can check them.
#ifndef COMPILER_IDENTITA_H_
#define COMPILER_IDENTITA_H_

#include <cstdint>
#include <string>

namespace scenario {

inline constexpr int16_t marcatore_identita_voce = 610;    // slot 85 intero_1
inline constexpr int16_t marcatore_identita_cella = 5121;  // cell 1 dato_1

struct codici_identita {
  int32_t pesato = 0;    // slot 85 orario (codice_gara_st)
  int16_t semplice = 0;  // cell 1 dato_2 (codice_gara_og)

  bool operator==(const codici_identita&) const = default;
};

// The codes of a route identifier and a train number, as the stamping computes them.
codici_identita calcola_codici_identita(const std::string& linea, const std::string& treno);

}  // namespace scenario

#endif  // COMPILER_IDENTITA_H_
