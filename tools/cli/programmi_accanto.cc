// The one lookup of scenario-tool's companion programs.
#include "tools/cli/programmi_accanto.h"

#ifndef _WIN32
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "io/errore_io.h"
#include "io/programma.h"
#include "run/stati_uscita.h"
#include "tools/cli/lettura_comando.h"

namespace scenario::strumento {
namespace {

bool utilizzabile(const std::filesystem::path& p, bool da_eseguire) {
  std::error_code e;
  if (!std::filesystem::is_regular_file(p, e)) return false;
#ifdef _WIN32
  // Windows has no mode bit for running a program: a file it can see will do.
  (void)da_eseguire;
  return true;
#else
  return ::access(p.c_str(), da_eseguire ? X_OK : R_OK) == 0;
#endif
}

}  // namespace

std::string programma_accanto(const std::string& nome, bool da_eseguire) {
  std::filesystem::path cartella;
  try {
    cartella = cartella_programma();
  } catch (const errore_io&) {
    return "";
  }
  for (const char* sotto : cartelle_programmi) {
    const std::filesystem::path p = (cartella / sotto / nome).lexically_normal();
    if (utilizzabile(p, da_eseguire)) return p.string();
  }
  return "";
}

std::string programma_per(const std::string& comando, const std::string& nome) {
  std::string programma = programma_accanto(nome, true);
  if (programma.empty()) stampa_errore(comando + " needs " + nome + " " + dove_programmi);
  return programma;
}

#ifndef _WIN32
int esegui_al_posto(const std::string& programma, std::vector<std::string> argomenti) {
  std::vector<char*> argv;
  for (std::string& a : argomenti) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::fflush(nullptr);
  ::execv(programma.c_str(), argv.data());
  stampa_errore("cannot run " + programma + ": " + std::strerror(errno));
  return uscita_file;
}
#endif

}  // namespace scenario::strumento
