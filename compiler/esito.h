// What a compile recorded: the code the rules left with its position, where reading stood in
// the sources, the reason in words, and the identity error that keeps the files unwritten.
#ifndef COMPILER_ESITO_H_
#define COMPILER_ESITO_H_

#include <cstdint>
#include <string>

namespace scenario {

struct esito {
  int32_t codice = 0;           // the last code recorded, 0 for none
  int32_t posizione = 0;        // metres, for the codes that set one
  std::string file;             // the source being read when the code was recorded
  int64_t riga = 0;             // 1-based line of its record's keyword field; 0 when unknown
  int32_t colonna = 0;          // 1-based column of that field; 0 when unknown
  std::string motivo;           // for a fault (25): which field, what value, what was expected
  int32_t errore_identita = 0;  // 1250 or 1251: nothing compiled may be written

  bool identita() const { return errore_identita != 0; }
};

}  // namespace scenario

#endif  // COMPILER_ESITO_H_
