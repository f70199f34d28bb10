// The compile of a folder over the compiler's sources-and-destinations interface.
#include "io/compila_in_cartella.h"

#include <system_error>

#include "compiler/compilatore.h"
#include "compiler/nomi_file.h"
#include "io/cartella.h"

namespace scenario {
namespace {

void cancella_consumate(const sorgenti_in_cartella& sorgenti) {
  for (const sorgente s : {sorgente::linea, sorgente::treno}) {
    std::error_code ec;
    if (sorgenti.consumata(s)) std::filesystem::remove(sorgenti.percorso(s), ec);
  }
}

// What killed compiles left: under the lock, no other run is writing them.
void rimuovi_orfani(const std::filesystem::path& cartella, const modello& m) {
  for (const std::string& nome :
       {nome_tracciato(m.nome_linea), nome_stazioni(m.nome_linea, m.numero_treno),
        nome_percorso(m.nome_linea, m.numero_treno)}) {
    rimuovi_temporanei_orfani(cartella, nome);
  }
}

}  // namespace

int32_t compila_in_cartella(const blocco_cartella& blocco, modello& m, int32_t j,
                            bool consuma_sorgenti) {
  rimuovi_orfani(blocco.cartella(), m);
  sorgenti_in_cartella sorgenti(blocco.cartella(), m.nome_linea, m.numero_treno, false);
  insieme_in_cartella uscite(blocco.cartella());
  const int32_t errore_identita = memorizza_percorso(m, j, sorgenti, uscite);
  if (errore_identita == 0) uscite.conferma();
  if (consuma_sorgenti) cancella_consumate(sorgenti);
  return errore_identita;
}

}  // namespace scenario
