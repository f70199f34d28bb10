// Fuzzes the front end in both of its modes on the same sources: the compile stops where the
// rules stop, the check reads on. The input is the line description, one byte 0x00 and the
// train service (no separator: no train service). Besides no crash, no hang and no sanitizer
// report: the check's first problem is the compile's verdict (code, position, file, place and
// words), a compile that ends with no code leaves the check with no error, both forms of the
// problems can be made, and the JSON is valid UTF-8.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/compilatore.h"
#include "tools/cli/resa_diagnostiche.h"

namespace {

void verifica(bool condizione) {
  if (!condizione) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t n) {
  using namespace scenario;
  const std::string_view tutto(reinterpret_cast<const char*>(dati), n);
  const std::size_t separatore = tutto.find('\0');
  testi_sorgenti t;
  t.linea = std::string(tutto.substr(0, separatore));
  if (separatore != std::string_view::npos) t.treno = std::string(tutto.substr(separatore + 1));
  opzioni_compilazione o{"R", "7", true};
  o.problemi_massimi = 20;
  const compilazione c = compila(t, o);
  const raccolta_diagnostiche r = controlla(t, o);
  if (c.verdetto) {
    verifica(!r.elenco().empty());
    const diagnostica& primo = r.elenco().front();
    verifica(primo.errore() && primo.codice == c.verdetto->codice);
    verifica(primo.posizione == c.verdetto->posizione && primo.file == c.verdetto->file);
    verifica(primo.dove == c.verdetto->dove && primo.messaggio == c.verdetto->messaggio);
  } else {
    verifica(r.errori() == 0);
  }
  verifica(r.elenco().size() <= o.problemi_massimi);
  const strumento::contesto_resa contesto{t, o};
  verifica(!strumento::testo_diagnostiche(r, contesto).empty() || r.elenco().empty());
  (void)strumento::testo_diagnostiche(c.problemi, contesto);
  // The strict handler throws on a string that is not UTF-8.
  (void)strumento::json_diagnostiche(r, ".").dump();
  return 0;
}
