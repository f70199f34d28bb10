// Text sources read from a folder, and compiled files kept in memory.
#include "compiler/sorgenti.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

#include "compiler/lettore_campi.h"
#include "compiler/nomi_file.h"

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
  const auto percorso = cartella_ / nome(s);
  std::error_code ec;
  if (!std::filesystem::exists(percorso, ec)) return std::nullopt;
  std::ifstream in(percorso, std::ios::binary);
  if (!in) throw guasto("impossibile aprire " + nome(s));
  std::string testo((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw guasto("impossibile leggere " + nome(s));
  return testo;
}

void sorgenti_in_cartella::cancella(sorgente s) {
  if (!cancella_) return;
  std::error_code ec;
  std::filesystem::remove(cartella_ / nome(s), ec);
}

void file_in_memoria::scrivi(const std::string& nome_file,
                             const std::function<void(std::ostream&)>& contenuto) {
  std::ostringstream out(std::ios::binary);
  contenuto(out);
  file[nome_file] = std::move(out).str();
}

}  // namespace scenario
