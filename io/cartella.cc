// Sources read from a folder and removed from it, and the package's own sources removed
// after a failure.
#include "io/cartella.h"

#include <algorithm>
#include <system_error>

#include "io/lettura.h"

namespace scenario {

std::optional<std::string> cartella_su_disco::leggi(const std::string& nome) {
  return leggi_sorgente(cartella_ / nome);
}

void cartella_su_disco::rimuovi(const std::string& nome) {
  std::error_code ec;
  std::filesystem::remove(cartella_ / nome, ec);
}

std::vector<std::string> nomi_file_in(const std::filesystem::path& cartella) {
  std::vector<std::string> nomi;
  std::error_code e;
  for (std::filesystem::directory_iterator it(cartella, e), fine; !e && it != fine;
       it.increment(e)) {
    // A link that leads nowhere is passed over, not the end of the listing.
    std::error_code di_questa;
    if (!it->is_regular_file(di_questa)) continue;
    const std::u8string nome = it->path().filename().u8string();
    nomi.emplace_back(nome.begin(), nome.end());
  }
  std::sort(nomi.begin(), nomi.end());
  return nomi;
}

testi_scritti_in_cartella::~testi_scritti_in_cartella() {
  for (const std::string& nome : scritte_) {
    std::error_code ec;
    std::filesystem::remove(cartella_ / nome, ec);
  }
}

void testi_scritti_in_cartella::scrivi(const std::string& nome_file,
                                       const contenuto_file& contenuto) {
  sostituisci_file(cartella_ / nome_file, contenuto);
  if (std::find(sorgenti_.begin(), sorgenti_.end(), nome_file) != sorgenti_.end()) {
    scritte_.push_back(nome_file);
  }
}

}  // namespace scenario
