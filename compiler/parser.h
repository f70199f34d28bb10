// The two halves of `memorizza_dati`, one per text source, and what they share: the position
// check, and how a record is applied in each mode.
#ifndef COMPILER_PARSER_H_
#define COMPILER_PARSER_H_

#include <string>

#include "compiler/analisi.h"
#include "compiler/lettore_record.h"

namespace scenario {

// The fault of a record that needs the route before any length was read.
inline constexpr const char* senza_lunghezza =
    "no `lunghezza percorso` in the general section, so the route has no cells";
// The same when the last length read was out of range.
inline constexpr const char* lunghezza_rifiutata =
    "the route has no cells, as its `lunghezza percorso` is refused: no feature is checked "
    "against it";

// The position check of field k of the record being read, at p metres: it passes while
// (p + margine) / 50 does not exceed the last cell; otherwise code 15 with the position. A
// route never sized is a fault.
bool fuori_percorso(analisi& m, std::size_t k, int32_t p, int32_t margine);

// What applying a record leads to.
enum class passo { avanti, fine_normale, errore };

// Before a check applies a record it looks at every field, and reports each bad one; false
// when the record must be passed over.
bool campi_sani(analisi& m);
// A fault met while a check applies a record: reported, and the check reads on.
void segnala_guasto(analisi& m, const guasto& g);

// Applies the record the reader holds with `applica`. A compile stops where the rules stop; a
// check reads on after a record that ends with a code or a fault.
template <typename F>
passo applica_record(analisi& m, const record_letto& r, F&& applica) {
  const record_in_lettura corrente(m, r);
  if (!m.raccoglie()) return applica();
  if (!campi_sani(m)) return passo::avanti;
  try {
    applica();
  } catch (const guasto& g) {
    segnala_guasto(m, g);
  }
  return passo::avanti;
}

// Runs a step that needs no record (between the parts, the end steps): a check reports its
// fault and reads on.
template <typename F>
void protetto(analisi& m, F&& passo_senza_record) {
  if (!m.raccoglie()) return passo_senza_record();
  try {
    passo_senza_record();
  } catch (const guasto& g) {
    segnala_guasto(m, g);
  }
}

// A source's reader, known to the parse state while it reads (the place of a code recorded is
// where reading stands) and kept as that place once it is gone.
class lettura_in_corso {
 public:
  lettura_in_corso(analisi& m, lettore_record& l) : m_(m) {
    m_.lettore = &l;
    m_.ultima_chiave = {};
  }
  ~lettura_in_corso() {
    m_.ultima_chiave = m_.lettore->ultima_chiave().luogo;
    m_.lettore = nullptr;
  }
  lettura_in_corso(const lettura_in_corso&) = delete;
  lettura_in_corso& operator=(const lettura_in_corso&) = delete;

 private:
  analisi& m_;
};

// Reads the line description. False when it stopped with a code that ends the whole
// parse (the train service is then neither read nor deleted).
bool leggi_descrizione_linea(analisi& m, const testi_sorgenti& testi);

// Reads the train service, after the line description.
void leggi_servizio_treno(analisi& m, const testi_sorgenti& testi);

}  // namespace scenario

#endif  // COMPILER_PARSER_H_
