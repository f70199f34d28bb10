// Text sources read from a folder, and the package's own sources removed after a failure.
#include "io/cartella.h"

#include <algorithm>
#include <system_error>

#include "compiler/nomi_file.h"
#include "io/lettura.h"

namespace scenario {

testi_sorgenti leggi_testi(const std::filesystem::path& cartella, const opzioni_compilazione& o) {
  testi_sorgenti t;
  t.linea = leggi_sorgente(cartella / nome_testo_linea(o.nome_linea));
  t.treno = leggi_sorgente(cartella / nome_testo_treno(o.nome_linea, o.numero_treno));
  return t;
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
