// Text sources read whole from the folder, and deleted by name.
#include "driver/testi_in_cartella.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "compiler/nomi_file.h"

namespace scenario {
namespace {

// The text, nothing when there is no such file, or `illeggibile` set.
std::optional<std::string> leggi_testo(const std::filesystem::path& file, bool& illeggibile) {
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  std::string testo;
  if (in) testo.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  illeggibile = !in || in.bad();
  if (illeggibile) return std::nullopt;
  return testo;
}

}  // namespace

testi_sorgenti leggi_testi(const std::filesystem::path& cartella, const opzioni_compilazione& o) {
  testi_sorgenti t;
  t.linea = leggi_testo(cartella / nome_testo_linea(o.nome_linea), t.linea_illeggibile);
  t.treno =
      leggi_testo(cartella / nome_testo_treno(o.nome_linea, o.numero_treno), t.treno_illeggibile);
  return t;
}

void cancella_consumati(const std::filesystem::path& cartella, const opzioni_compilazione& o,
                        const compilazione& c) {
  std::error_code ec;
  if (c.consuma_linea) std::filesystem::remove(cartella / nome_testo_linea(o.nome_linea), ec);
  if (c.consuma_treno) {
    std::filesystem::remove(cartella / nome_testo_treno(o.nome_linea, o.numero_treno), ec);
  }
}

}  // namespace scenario
