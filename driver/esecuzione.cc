// The run sequence of the package, from the progress window to the last compiled file.
#include "driver/esecuzione.h"

#include <cstdio>
#include <string>

#include "compiler/codici_errore.h"
#include "compiler/compilatore.h"
#include "driver/file_programma.h"
#include "sources/scrittori.h"

namespace scenario {

int esegui_pacchetto(const std::filesystem::path& cartella, interfaccia_utente& interfaccia) {
  modello m;
  interfaccia.mostra_avanzamento(m.nome_linea + " - treno " + m.numero_treno);
  try {
    file_in_cartella uscite(cartella);
    scrivi_testi(uscite, m.nome_linea, m.numero_treno);
    sorgenti_in_cartella sorgenti(cartella, m.nome_linea, m.numero_treno, true);
    if (const int32_t errore = memorizza_percorso(m, 1, sorgenti, uscite); errore != 0) {
      interfaccia.errore(std::to_string(errore));
      return uscita_identita;
    }
  } catch (const errore_file& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return uscita_file;
  }
  if (m.codice_errore != 0) {
    std::fprintf(
        stderr, "%s\n",
        messaggio_errore(m.codice_errore, m.posizione_errore, m.sorgente_errore, m.riga_errore)
            .c_str());
    return uscita_codice_registrato;
  }
  return uscita_ok;
}

}  // namespace scenario
