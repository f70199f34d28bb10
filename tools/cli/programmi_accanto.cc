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
#include <vector>

#include "io/errore_io.h"
#include "io/programma.h"
#include "io/sistema.h"
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

// The places of `nome` in the order they are tried; none when scenario-tool's own folder
// cannot be found.
std::vector<std::filesystem::path> posti_di(const std::string& nome) {
  std::filesystem::path cartella;
  try {
    cartella = cartella_programma();
  } catch (const errore_io&) {
    return {};
  }
  std::vector<std::filesystem::path> posti;
  for (const char* sotto : cartelle_programmi) {
    posti.push_back((cartella / sotto / nome).lexically_normal());
  }
  return posti;
}

}  // namespace

std::string programma_accanto(const std::string& nome, bool da_eseguire) {
  for (const std::filesystem::path& p : posti_di(nome)) {
    if (utilizzabile(p, da_eseguire)) return p.string();
  }
  return "";
}

std::string dove_cercato(const std::string& nome) {
  const std::vector<std::filesystem::path> posti = posti_di(nome);
  if (posti.empty()) {
    return std::string("looked for ") + dove_programmi +
           ", but the folder of scenario-tool itself cannot be found";
  }
  std::string t = "looked for at ";
  for (std::size_t i = 0; i < posti.size(); ++i) {
    t += (i == 0 ? "" : i + 1 == posti.size() ? " and " : ", ") + posti[i].string();
  }
  return t;
}

std::string programma_per(const std::string& comando, const std::string& nome) {
  std::string programma = programma_accanto(nome, true);
  if (programma.empty()) stampa_errore(comando + " needs " + nome + ": " + dove_cercato(nome));
  return programma;
}

#ifndef _WIN32
int esegui_al_posto(const std::string& programma, std::vector<std::string> argomenti) {
  std::vector<char*> argv;
  for (std::string& a : argomenti) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::fflush(nullptr);
  ::execv(programma.c_str(), argv.data());
  stampa_errore("cannot run " + io::nome_di(programma) + ": " + std::strerror(errno));
  return uscita_file;
}
#endif

}  // namespace scenario::strumento
