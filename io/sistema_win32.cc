// The io layer's system calls on Windows.
#include <windows.h>

#include <vector>

#include "compiler/testo_mostrabile.h"
#include "io/sistema.h"

namespace scenario::io {
namespace {

codice_sistema ultimo() { return GetLastError(); }

tipo_voce tipo_da_attributi(DWORD attributi) {
  if (attributi & FILE_ATTRIBUTE_REPARSE_POINT) return tipo_voce::collegamento;
  if (attributi & FILE_ATTRIBUTE_DIRECTORY) return tipo_voce::cartella;
  return tipo_voce::file;
}

}  // namespace

codice_sistema tipo_di(const std::filesystem::path& p, tipo_voce& tipo) {
  const DWORD attributi = GetFileAttributesW(p.c_str());
  if (attributi == INVALID_FILE_ATTRIBUTES) {
    const codice_sistema c = ultimo();
    if (!manca(c)) return c;
    tipo = tipo_voce::assente;
    return 0;
  }
  tipo = tipo_da_attributi(attributi);
  return 0;
}

codice_sistema crea_esclusivo(const std::filesystem::path& p, maniglia& h, bool) {
  h = CreateFileW(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  return h != INVALID_HANDLE_VALUE ? 0 : ultimo();
}

// At most 1 GiB a call, so that the count fits its DWORD.
codice_sistema scrivi(maniglia h, const char* dati, std::size_t n, std::size_t& scritti) {
  const auto chiesti = static_cast<DWORD>(n < (std::size_t{1} << 30) ? n : std::size_t{1} << 30);
  DWORD fatti = 0;
  scritti = 0;
  if (!WriteFile(h, dati, chiesti, &fatti, nullptr)) return ultimo();
  if (fatti == 0) return ERROR_WRITE_FAULT;
  scritti = fatti;
  return 0;
}

codice_sistema chiudi(maniglia h) { return CloseHandle(h) ? 0 : ultimo(); }

codice_sistema rinomina(const std::filesystem::path& da, const std::filesystem::path& a) {
  return MoveFileExW(da.c_str(), a.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
             ? 0
             : ultimo();
}

void rimuovi(const std::filesystem::path& p) { DeleteFileW(p.c_str()); }

codice_sistema apri_lettura(const std::filesystem::path& p, maniglia& h, tipo_voce& tipo,
                            std::uint64_t& dimensione, bool segui_collegamento) {
  // FILE_FLAG_BACKUP_SEMANTICS lets a folder open too, so that it is reported as one; a
  // reparse point not to be followed is opened itself, and refused below.
  const DWORD modo = FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS |
                     (segui_collegamento ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
  h = CreateFileW(p.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, modo, nullptr);
  if (h == INVALID_HANDLE_VALUE) return ultimo();
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(h, &info)) {
    const codice_sistema c = ultimo();
    CloseHandle(h);
    return c;
  }
  if (!segui_collegamento && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    CloseHandle(h);
    return codice_collegamento;
  }
  tipo = GetFileType(h) != FILE_TYPE_DISK                     ? tipo_voce::altro
         : (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? tipo_voce::cartella
                                                              : tipo_voce::file;
  dimensione = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
  return 0;
}

codice_sistema leggi(maniglia h, char* dati, std::size_t n, std::size_t& letti) {
  const auto chiesti = static_cast<DWORD>(n < (std::size_t{1} << 30) ? n : std::size_t{1} << 30);
  DWORD fatti = 0;
  letti = 0;
  if (!ReadFile(h, dati, chiesti, &fatti, nullptr)) return ultimo();
  letti = fatti;
  return 0;
}

// The lock file is deleted when its last handle closes; while that deletion is pending, a
// new open is refused with ERROR_ACCESS_DENIED, which here means "try again".
codice_sistema prova_blocco(const std::filesystem::path& p, tentativo_blocco& t) {
  t = tentativo_blocco{};
  const HANDLE h = CreateFileW(
      p.c_str(), GENERIC_READ | GENERIC_WRITE,
      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const codice_sistema c = ultimo();
    if (c == ERROR_ACCESS_DENIED) return 0;
    if (c == ERROR_WRITE_PROTECT) t.senza_permesso = true;
    return t.senza_permesso ? 0 : c;
  }
  OVERLAPPED inizio{};
  if (!LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &inizio)) {
    const codice_sistema c = ultimo();
    CloseHandle(h);
    return c == ERROR_LOCK_VIOLATION ? 0 : c;
  }
  t.preso = true;
  t.h = h;
  return 0;
}

void rilascia_blocco(const std::filesystem::path&, maniglia h) { CloseHandle(h); }

const codice_sistema codice_collegamento = ERROR_CANT_ACCESS_FILE;
const codice_sistema codice_non_file = ERROR_DIRECTORY;
const codice_sistema codice_scrittura = ERROR_WRITE_FAULT;
const char* const nome_collegamento = "collegamento";
const char* const nome_collegamento_inglese = "link";

bool manca(codice_sistema c) { return c == ERROR_FILE_NOT_FOUND || c == ERROR_PATH_NOT_FOUND; }
bool esiste_gia(codice_sistema c) { return c == ERROR_FILE_EXISTS || c == ERROR_ALREADY_EXISTS; }

// The system's text for an error code, without the trailing line break.
std::string ragione(codice_sistema codice) {
  char* testo = nullptr;
  const DWORD n = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(codice), 0, reinterpret_cast<char*>(&testo), 0, nullptr);
  std::string r = n > 0 && testo != nullptr ? std::string(testo, n) : std::string();
  LocalFree(testo);
  while (!r.empty() && (r.back() == '\r' || r.back() == '\n' || r.back() == ' ')) r.pop_back();
  return r + " (" + std::to_string(codice) + ")";
}

// Paths in messages as UTF-8, whatever the console's code page.
std::string nome_di(const std::filesystem::path& p) {
  const auto u8 = p.u8string();
  return testo_mostrabile(std::string(u8.begin(), u8.end()));
}

std::uint64_t id_processo() { return GetCurrentProcessId(); }

codice_sistema file_eseguibile(std::filesystem::path& file) {
  std::vector<wchar_t> nome(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, nome.data(), static_cast<DWORD>(nome.size()));
    if (n == 0) return ultimo();
    if (n < nome.size()) {
      file = std::filesystem::path(nome.data(), nome.data() + n);
      return 0;
    }
    nome.resize(nome.size() * 2);
  }
}

}  // namespace scenario::io
