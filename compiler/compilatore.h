// The compiler as a function: the two text sources in, the compiled scenario, what was recorded
// and the problems found out. It reads no file, writes no file and deletes no file; the caller
// does, after looking at `consuma_linea` and `consuma_treno`. No exception leaves it.
#ifndef COMPILER_COMPILATORE_H_
#define COMPILER_COMPILATORE_H_

#include <optional>
#include <string>

#include "compiler/diagnostica.h"
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
  bool con_tracciato = true;           // build the plan view written to ROUTE_linea.dat
  std::size_t problemi_massimi = 100;  // problems kept; the rest are counted
  bool con_avvisi = true;  // the reading's warnings; the package, which shows none, skips them
};

// A compile stops where the rules stop; a check reads on after each bad record, to find every
// problem it can.
enum class modo_analisi { ferma, raccogli };

struct compilazione {
  scenario_compilato scenario;  // what the writers write and the readers return
  esito risultato;
  // The warnings met and each code recorded, in the order found; the last code's problem is
  // also kept as the verdict (none when the compile ended with no code).
  raccolta_diagnostiche problemi;
  std::optional<diagnostica> verdetto;
  // The rules consumed the source: the package deletes it (scenario-tool keeps it).
  bool consuma_linea = false;
  bool consuma_treno = false;
};

compilazione compila(const testi_sorgenti& testi, const opzioni_compilazione& o);

// Problems in source order: the line description first, each by its place; the ones with no
// place after them.
void in_ordine_di_sorgente(std::vector<diagnostica>& d, const opzioni_compilazione& o);

// The problems of an author's sources: the compile's verdict first, then what a reading that
// goes on after each bad record finds, in source order (line description first), each problem
// once. Bounded by `o.problemi_massimi`.
raccolta_diagnostiche controlla(const testi_sorgenti& testi, const opzioni_compilazione& o);
// The same for a caller that has compiled these texts with these options already: `c` is what
// `compila(testi, o)` returned.
raccolta_diagnostiche controlla(const testi_sorgenti& testi, const opzioni_compilazione& o,
                                const compilazione& c);

}  // namespace scenario

#endif  // COMPILER_COMPILATORE_H_
