// The one lookup of scenario-tool's companion programs.
#include "tools/cli/programmi_accanto.h"

#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>
#include <system_error>

#include "io/errore_io.h"
#include "io/programma.h"

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

}  // namespace scenario::strumento
