// Small helpers shared by the tests: compile sources held in memory as the package does,
// read files back, run scenario-tool in a folder of its own.
#ifndef TESTS_AIUTI_TEST_H_
#define TESTS_AIUTI_TEST_H_

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "compiler/analisi.h"
#include "compiler/codici_errore.h"
#include "compiler/compilatore.h"
#include "compiler/file_binari.h"
#include "compiler/modello.h"
#include "sources/contenuti.h"
#include "tests/file_in_memoria.h"
#include "tools/resa_diagnostiche.h"

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

// A compile as the package runs it, with the sources and files kept in memory, and the parse
// state kept for tests that look inside.
struct compilazione {
  scenario_compilato s;
  esito r;
  std::shared_ptr<const analisi> a;
  file_in_memoria file;     // the compiled files (none on an identity error)
  testi_sorgenti sorgenti;  // the sources left once the consumed ones are deleted
};

inline compilazione compila(const std::optional<std::string>& linea,
                            const std::optional<std::string>& treno, bool con_tracciato = true) {
  opzioni_compilazione o;
  o.con_tracciato = con_tracciato;
  auto a = std::make_shared<analisi>(o);
  compilazione c;
  c.sorgenti.linea = linea;
  c.sorgenti.treno = treno;
  esegui_compilazione(c.sorgenti, *a);
  c.s = std::move(a->uscita.scenario);
  c.r = a->uscita.risultato;
  if (a->uscita.consuma_linea) c.sorgenti.linea.reset();
  if (a->uscita.consuma_treno) c.sorgenti.treno.reset();
  if (!c.r.identita()) scrivi_compilati(c.s, o, c.file);
  c.a = std::move(a);
  return c;
}

// The shipped scenario compiled once per test binary, for tests that only read it.
inline const compilazione& compilazione_spedita() {
  static const compilazione c = compila(linea_spedita(), treno_spedito());
  return c;
}

// The track plan a compile wrote, read back from its file.
inline tracciato_letto piano_letto(const compilazione& c) {
  return leggi_tracciato(c.file.file.at("ARONA_DOMODOSSOLA_linea.dat"));
}

// The first line of a message, without its end.
inline std::string prima_riga(const std::string& t) { return t.substr(0, t.find('\n')); }

// The first line of the compile's verdict as scenario-tool shows it; empty without one.
inline std::string verdetto(const compilazione& c) {
  const std::optional<diagnostica>& v = c.a->uscita.verdetto;
  if (!v) return "";
  const strumento::contesto_resa contesto{c.sorgenti, c.a->opzioni};
  return prima_riga(strumento::testo_diagnostica(*v, contesto));
}

inline std::string leggi_file(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void scrivi_file(const std::filesystem::path& p, const std::string& byte) {
  std::ofstream out(p, std::ios::binary);
  out << byte;
}

// A fresh folder for each test, removed afterwards, and scenario-tool run inside it.
class cartella_di_prova : public ::testing::Test {
 protected:
  void SetUp() override {
    cartella_ = std::filesystem::temp_directory_path() /
                ("scenario_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(cartella_);
    std::filesystem::create_directories(cartella_);
  }
  void TearDown() override { std::filesystem::remove_all(cartella_); }

  std::string file(const std::string& nome) const { return leggi_file(cartella_ / nome); }

  // Runs scenario-tool with `argomenti` in the folder; keeps standard output and error.
  int esegui_strumento(const std::string& argomenti) {
    const std::string comando = "cd '" + cartella_.string() +
                                "' && '" CARTELLA_BUILD "/scenario-tool' " + argomenti +
                                " >uscita.log 2>errori.log";
    const int stato = std::system(comando.c_str());
    uscita_ = file("uscita.log");
    errori_ = file("errori.log");
    std::filesystem::remove(cartella_ / "uscita.log");
    std::filesystem::remove(cartella_ / "errori.log");
    return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
  }

  std::filesystem::path cartella_;
  std::string uscita_, errori_;
};

// Fixture for tests that read the shipped scenario's model.
class scenario_spedito : public ::testing::Test {
 protected:
  static const scenario_compilato& s() { return compilazione_spedita().s; }
  static const esito& r() { return compilazione_spedita().r; }
  static const analisi& a() { return *compilazione_spedita().a; }
  static const cella& cl(int i) { return s().percorso[static_cast<std::size_t>(i)]; }
  static const tracciato_letto& piano() {
    static const tracciato_letto t = piano_letto(compilazione_spedita());
    return t;
  }
};

}  // namespace scenario::test

#endif  // TESTS_AIUTI_TEST_H_
