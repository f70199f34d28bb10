// The few operating-system calls the io layer makes, one implementation per platform
// (sistema_posix.cc, sistema_win32.cc); reading, writing and locking above them are portable.
// No call here throws: each returns the system's error code, 0 on success.
#ifndef IO_SISTEMA_H_
#define IO_SISTEMA_H_

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace scenario::io {

using codice_sistema = unsigned long;  // errno, or GetLastError() on Windows

#ifdef _WIN32
using maniglia = void*;  // HANDLE
#else
using maniglia = int;  // file descriptor
#endif

enum class tipo_voce { assente, file, collegamento, cartella, fifo, dispositivo, altro };

// What stands at `p`, without following a symbolic link.
codice_sistema tipo_di(const std::filesystem::path& p, tipo_voce& tipo);

// Creates `p` for writing; fails if anything, a dangling link included, stands there. Its mode
// is that of any new file under the user's umask; an `eseguibile` file may also be run as a
// program by whoever may read it (no meaning on Windows).
codice_sistema crea_esclusivo(const std::filesystem::path& p, maniglia& h, bool eseguibile);
// One write call: `scritti` is how many bytes went out (0 after an interrupted call).
codice_sistema scrivi(maniglia h, const char* dati, std::size_t n, std::size_t& scritti);
codice_sistema chiudi(maniglia h);
// Replaces `a` with `da` in one step.
codice_sistema rinomina(const std::filesystem::path& da, const std::filesystem::path& a);
void rimuovi(const std::filesystem::path& p);

// Opens `p` for reading without waiting on a FIFO or a device; `tipo` and `dimensione` are
// those of the opened file. A link at `p` (a symbolic link, or a reparse point on Windows) is
// followed only with `segui_collegamento`; otherwise the call fails with codice_collegamento.
codice_sistema apri_lettura(const std::filesystem::path& p, maniglia& h, tipo_voce& tipo,
                            std::uint64_t& dimensione, bool segui_collegamento);
// One read call: `letti` 0 at the end of the file.
codice_sistema leggi(maniglia h, char* dati, std::size_t n, std::size_t& letti);

// Tries once to take the exclusive lock on the file `p`, creating it. `preso` false: another
// run holds it (or has just released and removed it), try again later. `senza_permesso`: no
// file stands at `p` and the folder does not let this process create one. A lock file that
// stands there and cannot be opened, is no file or cannot be locked gives its error code.
struct tentativo_blocco {
  bool preso = false;
  bool senza_permesso = false;
  maniglia h{};
};
codice_sistema prova_blocco(const std::filesystem::path& p, tentativo_blocco& t);
// Removes the lock file while still holding it, then releases it.
void rilascia_blocco(const std::filesystem::path& p, maniglia h);

// Codes and words for what the system itself does not report as an error.
extern const codice_sistema codice_collegamento;  // a link where a file goes
extern const codice_sistema codice_non_file;      // a folder or device where a file goes
extern const codice_sistema codice_scrittura;     // a write that moved nothing
extern const char* const nome_collegamento;
extern const char* const nome_collegamento_inglese;

bool manca(codice_sistema c);       // nothing at that name
bool esiste_gia(codice_sistema c);  // the name is taken
std::string ragione(codice_sistema c);
// A path in a message, as UTF-8 with control characters escaped and cut when huge
// (compiler/testo_mostrabile.h).
std::string nome_di(const std::filesystem::path& p);
std::uint64_t id_processo();
// The file of the running executable.
codice_sistema file_eseguibile(std::filesystem::path& file);

}  // namespace scenario::io

#endif  // IO_SISTEMA_H_
