// Text sources read from a folder, and the package's own sources removed after a failure.
#include "io/cartella.h"

#include <algorithm>
#include <system_error>

#include "compiler/nomi_file.h"
#include "io/lettura.h"

namespace scenario {

sorgenti_in_cartella::sorgenti_in_cartella(std::filesystem::path cartella, std::string linea,
                                           std::string treno, bool cancella_dopo_lettura)
    : cartella_(std::move(cartella)),
      linea_(std::move(linea)),
      treno_(std::move(treno)),
      cancella_(cancella_dopo_lettura) {}

std::string sorgenti_in_cartella::nome(sorgente s) const {
  return s == sorgente::linea ? nome_testo_linea(linea_) : nome_testo_treno(linea_, treno_);
}

std::optional<std::string> sorgenti_in_cartella::leggi(sorgente s) {
  return leggi_sorgente(percorso(s));
}

void sorgenti_in_cartella::cancella(sorgente s) {
  consumate_[indice(s)] = true;
  if (!cancella_) return;
  std::error_code ec;
  std::filesystem::remove(percorso(s), ec);
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
