// An author's edited sources are never replaced by surprise.
#include "tools/scrittura_sorgenti.h"

#include <cstdio>
#include <system_error>

#include "compiler/stati_uscita.h"

namespace scenario::strumento {

int scrivi_in_cartella(const std::filesystem::path& cartella,
                       const std::vector<std::string>& sorgenti, bool forza,
                       const std::function<void(file_in_cartella&)>& scrivi) {
  std::error_code e;
  std::filesystem::create_directories(cartella, e);
  if (e) {
    std::fprintf(stderr, "scenario-tool: the folder %s cannot be created: %s\n",
                 cartella.string().c_str(), e.message().c_str());
    return uscita_file;
  }
  bool esiste = false;
  for (const std::string& nome : sorgenti) {
    const std::filesystem::path p = cartella / nome;
    if (!forza &&
        std::filesystem::symlink_status(p, e).type() != std::filesystem::file_type::not_found) {
      std::fprintf(stderr, "scenario-tool: %s already exists; --force replaces it\n",
                   p.string().c_str());
      esiste = true;
    }
  }
  if (esiste) return uscita_sorgente_esistente;
  try {
    file_in_cartella uscite(cartella);
    scrivi(uscite);
  } catch (const errore_file& x) {
    std::fprintf(stderr, "scenario-tool: %s\n", x.inglese().c_str());
    return uscita_file;
  }
  return uscita_ok;
}

}  // namespace scenario::strumento
