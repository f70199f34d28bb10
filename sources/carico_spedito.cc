// The five writers run into memory, and their texts put where the payload holds them.
#include "sources/carico_spedito.h"

#include <map>
#include <sstream>

#include "compiler/nomi_file.h"
#include "compiler/sorgenti.h"
#include "sources/scrittori.h"

namespace scenario {
namespace {

class testi_in_memoria : public destinazione_file {
 public:
  void scrivi(const std::string& nome_file,
              const std::function<void(std::ostream&)>& contenuto) override {
    std::ostringstream out;
    contenuto(out);
    testi[nome_file] = out.str();
  }
  std::map<std::string, std::string> testi;
};

}  // namespace

carico carico_spedito() {
  const std::string linea = nome_linea_spedita, treno = numero_treno_spedito;
  testi_in_memoria t;
  scrivi_testi(t, linea, treno);
  carico c;
  c.linea = linea;
  c.treno = treno;
  c.testo_linea = t.testi.at(nome_testo_linea(linea));
  c.testo_treno = t.testi.at(nome_testo_treno(linea, treno));
  for (std::size_t i = 0; i < code_documenti.size(); ++i) {
    c.documenti[i] = t.testi.at(nome_documento(linea, treno, code_documenti[i]));
  }
  return c;
}

}  // namespace scenario
