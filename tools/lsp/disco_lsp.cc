#include "tools/lsp/disco_lsp.h"

#include "io/cartella.h"
#include "io/lettura.h"

namespace scenario::strumento {

std::optional<std::string> disco_reale::leggi(const std::filesystem::path& file) {
  return leggi_sorgente(file);
}

std::vector<std::string> disco_reale::nomi_in(const std::filesystem::path& cartella) {
  return nomi_file_in(cartella);
}

}  // namespace scenario::strumento
