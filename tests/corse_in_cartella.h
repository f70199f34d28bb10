// The two runs that share a folder, as the programs run them: the package's run sequence
// (run/esecuzione.h) with the shipped payload and no window, and `scenario-tool compile`'s
// compile of a folder (run/compila_in_cartella.h), which keeps the sources. Each returns the
// exit status the program gives; the concurrency and kill tests run them in child processes.
#ifndef TESTS_CORSE_IN_CARTELLA_H_
#define TESTS_CORSE_IN_CARTELLA_H_

#include <chrono>
#include <filesystem>
#include <map>
#include <string>

#include "compiler/compilatore.h"
#include "io/blocco.h"
#include "run/compila_in_cartella.h"
#include "run/esecuzione.h"
#include "run/interfaccia_utente.h"
#include "sources/carico_spedito.h"
#include "tests/aiuti_test.h"

namespace scenario::test {

inline int corsa_pacchetto(const std::filesystem::path& cartella,
                           std::chrono::milliseconds attesa = attesa_blocco) {
  interfaccia_senza_finestra senza_finestra;
  return esegui_pacchetto(cartella, carico_spedito(), senza_finestra, attesa);
}

inline int corsa_strumento(const std::filesystem::path& cartella,
                           std::chrono::milliseconds attesa = attesa_blocco) {
  return compila_cartella(cartella, opzioni_compilazione{}, attesa).stato;
}

// The compiled files of the shipped route, by name, as a clean compile writes them.
inline const std::map<std::string, std::string>& compilati_buoni() {
  return compilazione_spedita().file.file;
}

}  // namespace scenario::test

#endif  // TESTS_CORSE_IN_CARTELLA_H_
