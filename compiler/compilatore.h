// The compiler as a function: the two text sources in, the compiled scenario and what was
// recorded out. It reads no file, writes no file and deletes no file; the caller does, after
// looking at `consuma_linea` and `consuma_treno`. No exception leaves `compila`.
#ifndef COMPILER_COMPILATORE_H_
#define COMPILER_COMPILATORE_H_

#include <optional>
#include <string>

#include "compiler/esito.h"
#include "compiler/modello.h"

namespace scenario {

// A source that exists but cannot be read never gets here: reading it is a file failure of
// the caller's (io/lettura.h), reported before any compile.
struct testi_sorgenti {              // nullopt = the source file does not exist
  std::optional<std::string> linea;  // ROUTE_linea.txt
  std::optional<std::string> treno;  // ROUTE_TRAIN-.txt
};

struct opzioni_compilazione {
  std::string nome_linea = "ARONA_DOMODOSSOLA";
  std::string numero_treno = "324";
  bool con_tracciato = true;  // build the plan view written to ROUTE_linea.dat
};

struct compilazione {
  scenario_compilato scenario;  // what the writers write and the readers return
  esito risultato;
  // The rules consumed the source: the package deletes it (scenario-tool keeps it).
  bool consuma_linea = false;
  bool consuma_treno = false;
};

compilazione compila(const testi_sorgenti& testi, const opzioni_compilazione& o);

}  // namespace scenario

#endif  // COMPILER_COMPILATORE_H_
