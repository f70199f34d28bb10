// The two runs that share a folder, as sequences over io/: the package (lock, write its own
// sources and documents, compile and consume the sources, remove its sources after a
// failure) and `scenario-tool compile` (lock, compile, keep the sources). Each returns the
// exit status the program gives; the concurrency and kill tests run them in child processes.
#ifndef TESTS_CORSE_IN_CARTELLA_H_
#define TESTS_CORSE_IN_CARTELLA_H_

#include <chrono>
#include <filesystem>
#include <map>
#include <string>

#include "compiler/modello.h"
#include "compiler/nomi_file.h"
#include "io/blocco.h"
#include "io/cartella.h"
#include "io/compila_in_cartella.h"
#include "sources/scrittori.h"
#include "tests/aiuti_test.h"

namespace scenario::test {

inline constexpr int stato_cartella_occupata = 6;

inline int corsa_pacchetto(const std::filesystem::path& cartella,
                           std::chrono::milliseconds attesa = attesa_blocco) {
  modello m;
  try {
    const blocco_cartella blocco(cartella, attesa);
    testi_scritti_in_cartella testi(
        cartella, {nome_testo_linea(m.nome_linea), nome_testo_treno(m.nome_linea, m.numero_treno)});
    scrivi_testi(testi, m.nome_linea, m.numero_treno);
    const int32_t identita = compila_in_cartella(blocco, m, 1, true);
    testi.concludi();
    if (identita != 0) return 3;
  } catch (const cartella_occupata&) {
    return stato_cartella_occupata;
  } catch (const errore_file&) {
    return 4;
  }
  return m.codice_errore == 0 ? 0 : 1;
}

inline int corsa_strumento(const std::filesystem::path& cartella,
                           std::chrono::milliseconds attesa = attesa_blocco) {
  modello m;
  try {
    const blocco_cartella blocco(cartella, attesa);
    if (compila_in_cartella(blocco, m, 1, false) != 0) return 3;
  } catch (const cartella_occupata&) {
    return stato_cartella_occupata;
  } catch (const errore_file&) {
    return 4;
  }
  return m.codice_errore == 0 ? 0 : 1;
}

// The compiled files of the shipped route, by name, as a clean compile writes them.
inline const std::map<std::string, std::string>& compilati_buoni() {
  return compilazione_spedita().file.file;
}

}  // namespace scenario::test

#endif  // TESTS_CORSE_IN_CARTELLA_H_
