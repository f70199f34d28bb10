// The run sequence of the package, from the progress window to the last compiled file.
#include "driver/esecuzione.h"

#include <cstdio>
#include <string>

#include "compiler/codici_errore.h"
#include "compiler/compilatore.h"
#include "compiler/file_binari.h"
#include "driver/file_programma.h"
#include "driver/testi_in_cartella.h"
#include "sources/scrittori.h"

namespace scenario {

int esegui_pacchetto(const std::filesystem::path& cartella, interfaccia_utente& interfaccia) {
  const opzioni_compilazione o;
  interfaccia.mostra_avanzamento(o.nome_linea + " - treno " + o.numero_treno);
  compilazione c;
  try {
    file_in_cartella uscite(cartella);
    scrivi_testi(uscite, o.nome_linea, o.numero_treno);
    c = compila(leggi_testi(cartella, o), o);
    cancella_consumati(cartella, o, c);
    if (c.risultato.identita()) {
      interfaccia.errore(std::to_string(c.risultato.errore_identita));
      return uscita_identita;
    }
    scrivi_compilati(c.scenario, o, uscite);
  } catch (const errore_file& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return uscita_file;
  }
  const esito& r = c.risultato;
  if (r.codice != 0) {
    std::fprintf(
        stderr, "%s\n",
        messaggio_errore(r.codice, r.posizione, r.file, static_cast<int32_t>(r.riga)).c_str());
    return uscita_codice_registrato;
  }
  return uscita_ok;
}

}  // namespace scenario
