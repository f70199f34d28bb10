// `memorizza_percorso`, the compile driver: its steps run in a fixed order, and the files
// are written whatever code the parser or the pass recorded.
#include "compiler/compilatore.h"

#include "compiler/file_binari.h"
#include "compiler/nomi_file.h"

namespace scenario {

int32_t compila_modello(modello& m, int32_t j, archivio_sorgenti& sorgenti) {
  m.scrivi_linea = j;
  m.codice_errore = 0;
  for (voce_stazione& v : m.tabella_stazioni) v = voce_stazione{};
  memorizza_dati(m, sorgenti);
  passata_percorso(m);
  return timbra_identita(m);
}

int32_t memorizza_percorso(modello& m, int32_t j, archivio_sorgenti& sorgenti,
                           destinazione_file& uscite) {
  if (const int32_t errore_identita = compila_modello(m, j, sorgenti); errore_identita != 0) {
    return errore_identita;
  }
  if (m.scrivi_linea != 0) {
    uscite.scrivi(nome_tracciato(m.nome_linea),
                  [&](std::ostream& out) { scrivi_tracciato(m, out); });
  }
  uscite.scrivi(nome_stazioni(m.nome_linea, m.numero_treno),
                [&](std::ostream& out) { scrivi_stazioni(m, out); });
  uscite.scrivi(nome_percorso(m.nome_linea, m.numero_treno),
                [&](std::ostream& out) { scrivi_percorso(m, out); });
  return 0;
}

}  // namespace scenario
