// The exit statuses of the package and of scenario-tool, one table for both, with the words
// that `scenario-tool --help` and the README show for each. "scenario-runtime" stands for the
// package runtime, and so for every package made from it.
#ifndef RUN_STATI_USCITA_H_
#define RUN_STATI_USCITA_H_

#include <algorithm>
#include <string>
#include <string_view>

#include "compiler/esito.h"
#include "io/errore_io.h"

namespace scenario {

enum stato_uscita : int {
  uscita_ok = 0,
  uscita_codice_registrato = 1,
  uscita_uso = 2,
  uscita_identita = 3,
  uscita_file = 4,
  uscita_compilato_danneggiato = 5,
  uscita_occupata = 6,
  uscita_file_altrui = 7,
  uscita_memoria = 8,
};

// One meaning of a status, for the subcommands it names ("*": every one).
struct significato_uscita {
  stato_uscita stato;
  const char* comandi;
  const char* testo;
};

inline constexpr significato_uscita tabella_uscite[] = {
    {uscita_ok, "*", "done"},
    {uscita_ok, "serve", "stopped by Ctrl-C or SIGTERM"},
    {uscita_codice_registrato, "compile", "a code was recorded (the files are written)"},
    {uscita_codice_registrato, "check", "an error, a warning under --strict, or a missing source"},
    {uscita_codice_registrato, "new export",
     "a source, or a document edited, already exists (nothing written; --force replaces it)"},
    {uscita_codice_registrato, "package",
     "a source is missing, or has an error (nothing written; --force packages it anyway)"},
    {uscita_codice_registrato, "lsp",
     "the connection ended without shutdown: exit came first, or the input ended"},
    {uscita_uso, "*", "usage error"},
    {uscita_uso, "check compile dump plot package serve",
     "the folder does not give the route and train left out (nothing written)"},
    {uscita_uso, "scenario-runtime", "the payload is missing or damaged (nothing written)"},
    {uscita_identita, "compile", "identity error 1250 or 1251 (nothing compiled is written)"},
    {uscita_file, "new export check compile plot package scenario-runtime",
     "a file could not be read or written (the earlier copy is kept)"},
    {uscita_file, "serve",
     "the port cannot be listened on, or scenario-tool-serve is in neither of its places"},
    {uscita_file, "check compile dump package",
     "standard output could not take all of the output (a full disk, a file-size limit)"},
    {uscita_compilato_danneggiato, "dump plot",
     "a compiled file is missing, unreadable or damaged"},
    {uscita_occupata, "new export compile",
     "another run kept the folder busy, or its lock file cannot be used (nothing written)"},
    {uscita_file_altrui, "scenario-runtime",
     "a file named like one of its sources holds other content, an author's own (nothing "
     "written or deleted)"},
    {uscita_memoria, "*",
     "out of memory: the run stopped and removed its temporaries (the earlier copies are kept)"},
};

inline bool uscita_per(const significato_uscita& u, std::string_view comando) {
  const std::string_view c = u.comandi;
  if (c == "*") return true;
  for (std::size_t i = 0; i <= c.size();) {
    const std::size_t fine = std::min(c.find(' ', i), c.size());
    if (c.substr(i, fine - i) == comando) return true;
    i = fine + 1;
  }
  return false;
}

// "0 done; 1 ...; 2 usage error" for one subcommand; with no subcommand, every row, each
// meaning that holds for some subcommands only prefixed by their names.
inline std::string uscite_di(std::string_view comando) {
  std::string t;
  for (const significato_uscita& u : tabella_uscite) {
    if (!comando.empty() && !uscita_per(u, comando)) continue;
    if (!t.empty()) t += "; ";
    t += std::to_string(static_cast<int>(u.stato)) + " ";
    if (comando.empty() && std::string_view(u.comandi) != "*") t += std::string(u.comandi) + ": ";
    t += u.testo;
  }
  return t;
}

// Where a compile's result and a failed piece of file work become the status a run ends with.
inline stato_uscita stato_di(const esito& r) {
  if (r.identita()) return uscita_identita;
  return r.codice != 0 ? uscita_codice_registrato : uscita_ok;
}
inline stato_uscita stato_di(const errore_io& e) {
  return e.tipo() == tipo_errore_io::cartella_occupata ? uscita_occupata : uscita_file;
}

// The words of a run that ran out of memory, written without taking any more of it.
inline constexpr const char* memoria_esaurita_pacchetto = "memoria esaurita: esecuzione interrotta";
inline constexpr const char* memoria_esaurita = "out of memory: the run stopped";

}  // namespace scenario

#endif  // RUN_STATI_USCITA_H_
