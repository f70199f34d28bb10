#include "tools/lsp/record_lsp.h"

#include <algorithm>

#include "compiler/lettore_campi.h"

namespace scenario::strumento {

void leggi_documento(std::string_view testo, file_sorgente file, osservatore_lettura& o) {
  lettore_record l(file, testo, true, &o);
  try {
    for (;;) {
      const evento_lettura e = l.prossimo();
      if (e == evento_lettura::fine_testo || e == evento_lettura::senza_generale) return;
    }
  } catch (const guasto&) {
    // The compiler reads no further either.
  }
}

bool nel_campo(const campo_letto& c, int64_t riga, int64_t colonna) {
  const intervallo_sorgente& i = c.luogo;
  return i.riga == riga && colonna >= i.colonna &&
         colonna < std::max(i.colonna_fine, i.colonna + 1);
}

}  // namespace scenario::strumento
