// Atomic file replacement on Windows: a temporary sibling created with CREATE_NEW, written,
// then moved over the target with MoveFileExW (replace existing, write through).
#include <windows.h>

#include <vector>

#include "driver/buffer_file.h"
#include "driver/file_programma.h"

namespace scenario {
namespace {

// The system's text for an error code, without the trailing line break.
std::string ragione(DWORD codice) {
  char* testo = nullptr;
  const DWORD n = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, codice, 0, reinterpret_cast<char*>(&testo), 0, nullptr);
  std::string r = n > 0 && testo != nullptr ? std::string(testo, n) : std::string();
  LocalFree(testo);
  while (!r.empty() && (r.back() == '\r' || r.back() == '\n' || r.back() == ' ')) r.pop_back();
  return r + " (" + std::to_string(codice) + ")";
}

// Paths in messages as UTF-8, whatever the console's code page.
std::string nome_di(const std::filesystem::path& file) {
  const auto u8 = file.u8string();
  return std::string(u8.begin(), u8.end());
}

[[noreturn]] void fallisci(const std::filesystem::path& file, const std::string& cosa,
                           DWORD codice) {
  throw errore_file("impossibile scrivere " + nome_di(file) + ": " + cosa + ": " + ragione(codice));
}

// One WriteFile call, of at most 1 GiB so that the count fits its DWORD.
std::size_t scrivi_handle(HANDLE h, const char* p, std::size_t n, DWORD& errore) {
  const auto chiesti = static_cast<DWORD>(n < (std::size_t{1} << 30) ? n : std::size_t{1} << 30);
  DWORD scritti = 0;
  if (!WriteFile(h, p, chiesti, &scritti, nullptr)) {
    errore = GetLastError();
  } else if (scritti == 0) {
    errore = ERROR_WRITE_FAULT;
  }
  return scritti;
}

bool manca(DWORD errore) {
  return errore == ERROR_FILE_NOT_FOUND || errore == ERROR_PATH_NOT_FOUND;
}

// Only a regular file (or nothing) may stand where an output goes: a reparse point (a
// symbolic link or a junction) or a folder is refused.
void controlla_destinazione(const std::filesystem::path& destinazione) {
  const DWORD attributi = GetFileAttributesW(destinazione.c_str());
  if (attributi == INVALID_FILE_ATTRIBUTES) {
    const DWORD errore = GetLastError();
    if (manca(errore)) return;
    fallisci(destinazione, "stato del file", errore);
  }
  if (attributi & FILE_ATTRIBUTE_REPARSE_POINT) {
    fallisci(destinazione, "al suo posto c'e' un collegamento", ERROR_CANT_ACCESS_FILE);
  }
  if (attributi & FILE_ATTRIBUTE_DIRECTORY) {
    fallisci(destinazione, "al suo posto c'e' un elemento che non e' un file", ERROR_DIRECTORY);
  }
}

HANDLE apri_nuovo(const std::filesystem::path& tmp) {
  return CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

// The temporary sibling; a regular file left there by an interrupted run is removed first,
// anything else at that name (a planted link or folder) is refused.
HANDLE crea_temporaneo(const std::filesystem::path& destinazione,
                       const std::filesystem::path& tmp) {
  const std::string nome_tmp = nome_di(tmp.filename());
  for (int tentativo = 0; tentativo < 2; ++tentativo) {
    const HANDLE h = apri_nuovo(tmp);
    if (h != INVALID_HANDLE_VALUE) return h;
    const DWORD errore = GetLastError();
    if (errore != ERROR_FILE_EXISTS && errore != ERROR_ALREADY_EXISTS) {
      fallisci(destinazione, "creazione di " + nome_tmp, errore);
    }
    const DWORD attributi = GetFileAttributesW(tmp.c_str());
    if (attributi == INVALID_FILE_ATTRIBUTES ||
        (attributi & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY))) {
      fallisci(destinazione, "il nome temporaneo " + nome_tmp + " e' occupato", errore);
    }
    DeleteFileW(tmp.c_str());
  }
  fallisci(destinazione, "creazione di " + nome_tmp, ERROR_FILE_EXISTS);
}

// Writes the content through `h` and closes it; the first error code, or 0.
DWORD scrivi_e_chiudi(HANDLE h, const std::filesystem::path& tmp,
                      const std::function<void(std::ostream&)>& contenuto) {
  DWORD errore = 0;
  {
    auto scrittura = [h](const char* p, std::size_t n, DWORD& e) {
      return scrivi_handle(h, p, n, e);
    };
    buffer_file<DWORD, decltype(scrittura)> buf(scrittura);
    std::ostream out(&buf);
    try {
      contenuto(out);
    } catch (...) {
      CloseHandle(h);
      DeleteFileW(tmp.c_str());
      throw;
    }
    out.flush();
    errore = buf.errore();
    if (errore == 0 && !out) errore = ERROR_WRITE_FAULT;
  }
  if (!CloseHandle(h) && errore == 0) errore = GetLastError();
  return errore;
}

}  // namespace

std::filesystem::path cartella_programma() {
  std::vector<wchar_t> nome(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, nome.data(), static_cast<DWORD>(nome.size()));
    if (n == 0) {
      throw errore_file("impossibile trovare la cartella del programma: " +
                        ragione(GetLastError()));
    }
    if (n < nome.size()) return std::filesystem::path(nome.data(), nome.data() + n).parent_path();
    nome.resize(nome.size() * 2);
  }
}

void sostituisci_file(const std::filesystem::path& destinazione,
                      const std::function<void(std::ostream&)>& contenuto) {
  controlla_destinazione(destinazione);
  std::filesystem::path tmp = destinazione;
  tmp += L".tmp";
  const HANDLE h = crea_temporaneo(destinazione, tmp);
  DWORD errore = scrivi_e_chiudi(h, tmp, contenuto);
  std::string cosa = "scrittura";
  if (errore == 0 && !MoveFileExW(tmp.c_str(), destinazione.c_str(),
                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    errore = GetLastError();
    cosa = "sostituzione";
  }
  if (errore != 0) {
    DeleteFileW(tmp.c_str());
    fallisci(destinazione, cosa, errore);
  }
}

}  // namespace scenario
