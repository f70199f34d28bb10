// An author's edited sources are never replaced by surprise.
#include "tools/cli/scrittura_sorgenti.h"

#include <system_error>

#include "io/cartella.h"
#include "io/errore_io.h"
#include "io/sistema.h"
#include "run/stati_uscita.h"
#include "tools/cli/lettura_comando.h"

namespace scenario::strumento {

int scrivi_in_cartella(const std::filesystem::path& cartella,
                       const std::vector<std::string>& sorgenti, bool forza,
                       const std::function<void(destinazione_file&)>& scrivi) {
  std::error_code e;
  std::filesystem::create_directories(cartella, e);
  if (e) {
    stampa_errore("the folder " + io::nome_di(cartella) + " cannot be created: " + e.message());
    return uscita_file;
  }
  bool esiste = false;
  for (const std::string& nome : sorgenti) {
    const std::filesystem::path p = cartella / nome;
    if (!forza &&
        std::filesystem::symlink_status(p, e).type() != std::filesystem::file_type::not_found) {
      stampa_errore(io::nome_di(p) + " already exists; --force replaces it");
      esiste = true;
    }
  }
  if (esiste) return uscita_sorgente_esistente;
  try {
    file_in_cartella uscite(cartella);
    scrivi(uscite);
  } catch (const errore_io& x) {
    stampa_errore(x.inglese());
    return uscita_file;
  }
  return uscita_ok;
}

}  // namespace scenario::strumento
