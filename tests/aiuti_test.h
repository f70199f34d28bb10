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
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "compiler/analisi.h"
#include "compiler/codici_errore.h"
#include "compiler/compilatore.h"
#include "compiler/file_binari.h"
#include "compiler/modello.h"
#include "compiler/nomi_file.h"
#include "run/compila_in_cartella.h"
#include "sources/contenuti.h"
#include "tests/file_in_memoria.h"
#include "tools/cli/resa_diagnostiche.h"

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

// The package's compile of a folder (run/compila_in_cartella.h) over a folder held in memory,
// and the parse state of the same compile for tests that look inside.
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
  cartella_in_memoria cartella;
  if (linea) cartella.sorgenti[nome_testo_linea(o.nome_linea)] = *linea;
  if (treno) cartella.sorgenti[nome_testo_treno(o.nome_linea, o.numero_treno)] = *treno;
  compilazione_in_cartella r = compila_in_cartella(cartella, o, true);
  compilazione c;
  c.s = std::move(r.c.scenario);
  c.r = r.c.risultato;
  c.file = std::move(cartella.scritti);
  c.sorgenti = leggi_testi(cartella, o);
  auto a = std::make_shared<analisi>(o);
  esegui_compilazione(testi_sorgenti{linea, treno}, *a);
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

  // Every regular file of the folder, with its bytes.
  std::map<std::string, std::string> contenuto() const {
    std::map<std::string, std::string> trovati;
    for (const auto& voce : std::filesystem::directory_iterator(cartella_)) {
      if (voce.is_regular_file())
        trovati[voce.path().filename().string()] = file(voce.path().filename().string());
    }
    return trovati;
  }

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
