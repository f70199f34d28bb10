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

#include "compiler/nomi_file.h"
#include "io/blocco.h"
#include "io/cartella.h"
#include "io/compila_in_cartella.h"
#include "sources/scrittori.h"
#include "tests/aiuti_test.h"

namespace scenario::test {

inline int corsa_pacchetto(const std::filesystem::path& cartella,
                           std::chrono::milliseconds attesa = attesa_blocco) {
  const opzioni_compilazione o;
  try {
    const blocco_cartella blocco(cartella, attesa);
    testi_scritti_in_cartella testi(
        cartella, {nome_testo_linea(o.nome_linea), nome_testo_treno(o.nome_linea, o.numero_treno)});
    scrivi_testi(testi, o.nome_linea, o.numero_treno);
    const compilazione_in_cartella r = compila_in_cartella(blocco, o, true);
    if (r.stato != uscita_file) testi.concludi();
    return r.stato;
  } catch (const cartella_occupata&) {
    return uscita_occupata;
  } catch (const errore_file&) {
    return uscita_file;
  }
}

inline int corsa_strumento(const std::filesystem::path& cartella,
                           std::chrono::milliseconds attesa = attesa_blocco) {
  try {
    const blocco_cartella blocco(cartella, attesa);
    return compila_in_cartella(blocco, opzioni_compilazione{}, false).stato;
  } catch (const cartella_occupata&) {
    return uscita_occupata;
  } catch (const errore_file&) {
    return uscita_file;
  }
}

// The compiled files of the shipped route, by name, as a clean compile writes them.
inline const std::map<std::string, std::string>& compilati_buoni() {
  return compilazione_spedita().file.file;
}

}  // namespace scenario::test

#endif  // TESTS_CORSE_IN_CARTELLA_H_
