// The exit statuses of the package and of scenario-tool, one table for both, with the words
// that `scenario-tool --help` and the README show for each.
#ifndef COMPILER_STATI_USCITA_H_
#define COMPILER_STATI_USCITA_H_

#include <string>

namespace scenario {

enum stato_uscita : int {
  uscita_ok = 0,
  uscita_codice_registrato = 1,
  uscita_uso = 2,
  uscita_identita = 3,
  uscita_file = 4,
  uscita_compilato_danneggiato = 5,
  uscita_occupata = 6,
};

struct significato_uscita {
  stato_uscita stato;
  const char* testo;
};

inline constexpr significato_uscita tabella_uscite[] = {
    {uscita_ok, "done"},
    {uscita_codice_registrato, "compile: the compiler recorded a code (the files are written)"},
    {uscita_uso, "usage error"},
    {uscita_identita, "compile: identity error 1250 or 1251 (nothing compiled is written)"},
    {uscita_file, "a file could not be written (the earlier copy is kept)"},
    {uscita_compilato_danneggiato, "dump, plot: a compiled file is missing, unreadable or damaged"},
    {uscita_occupata, "compile: another run kept the folder busy (nothing written)"},
};

// The table as lines "  N  meaning", for --help.
inline std::string testo_uscite() {
  std::string t = "Exit statuses:\n";
  for (const significato_uscita& u : tabella_uscite) {
    t += "  " + std::to_string(static_cast<int>(u.stato)) + "  " + u.testo + "\n";
  }
  return t;
}

}  // namespace scenario

#endif  // COMPILER_STATI_USCITA_H_
