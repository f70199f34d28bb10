// Small helpers shared by the tests: compile sources held in memory, build a model with a
// given route length, read files back.
#ifndef TESTS_AIUTI_TEST_H_
#define TESTS_AIUTI_TEST_H_

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "compiler/compilatore.h"
#include "compiler/modello.h"
#include "compiler/sorgenti.h"
#include "sources/contenuti.h"

namespace scenario::test {

// Lines joined with CR LF after each, as the writers produce them.
inline std::string testo(const std::vector<std::string_view>& righe) {
  std::string t;
  for (auto r : righe) (t += r) += "\r\n";
  return t;
}

inline std::string linea_spedita() { return testo(righe_linea); }
inline std::string treno_spedito() { return testo(righe_treno); }

// A minimal line description of `lunghezza` metres followed by the given lines.
inline std::string linea_minima(const std::string& corpo = "", int lunghezza = 57000) {
  return "[generale]\r\nlunghezza percorso, " + std::to_string(lunghezza) + "\r\n[curve]\r\n" +
         corpo + "[fine]\r\n";
}

// A minimal train service with the given lines after "[generale]".
inline std::string treno_minimo(const std::string& corpo = "") {
  return "[generale]\r\n" + corpo + "[fine]\r\n";
}

struct compilazione {
  modello m;
  file_in_memoria file;
  sorgenti_in_memoria sorgenti;
  int32_t esito = 0;
};

// Runs the compile driver over sources in memory; the files land in `file`.
inline compilazione compila(const std::optional<std::string>& linea,
                            const std::optional<std::string>& treno, int32_t j = 1) {
  compilazione c;
  c.sorgenti.linea = linea;
  c.sorgenti.treno = treno;
  c.esito = memorizza_percorso(c.m, j, c.sorgenti, c.file);
  return c;
}

// The shipped scenario compiled once per test binary, for tests that only read it.
inline const compilazione& compilazione_spedita() {
  static const compilazione c = compila(linea_spedita(), treno_spedito());
  return c;
}

// Fixture for tests that read the shipped scenario's model.
class scenario_spedito : public ::testing::Test {
 protected:
  static const modello& m() { return compilazione_spedita().m; }
  static const cella& cl(int i) { return m().percorso[static_cast<std::size_t>(i)]; }
};

inline std::string leggi_file(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void scrivi_file(const std::filesystem::path& p, const std::string& byte) {
  std::ofstream out(p, std::ios::binary);
  out << byte;
}

}  // namespace scenario::test

#endif  // TESTS_AIUTI_TEST_H_
