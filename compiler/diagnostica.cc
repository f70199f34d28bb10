// The bounded list of a run's problems.
#include "compiler/diagnostica.h"

namespace scenario {

void raccolta_diagnostiche::aggiungi(diagnostica d) {
  if (d.errore()) {
    ++errori_;
  } else if (d.livello == gravita::avviso) {
    ++avvisi_;
  }
  if (elenco_.size() < massimo_) {
    elenco_.push_back(std::move(d));
  } else {
    ++non_mostrate_;
  }
}

void severo(raccolta_diagnostiche& r) {
  for (diagnostica& d : r.elenco()) {
    if (d.livello == gravita::avviso) d.livello = gravita::errore;
  }
  r.rendi_errori();
}

}  // namespace scenario
