// The compile of a folder: read, compile, write the set, delete what was consumed.
#include "io/compila_in_cartella.h"

#include <system_error>

#include "compiler/file_binari.h"
#include "compiler/nomi_file.h"
#include "io/cartella.h"

namespace scenario {
namespace {

void cancella_consumati(const std::filesystem::path& cartella, const opzioni_compilazione& o,
                        const compilazione& c) {
  std::error_code ec;
  if (c.consuma_linea) std::filesystem::remove(cartella / nome_testo_linea(o.nome_linea), ec);
  if (c.consuma_treno) {
    std::filesystem::remove(cartella / nome_testo_treno(o.nome_linea, o.numero_treno), ec);
  }
}

// What killed compiles left: under the lock, no other run is writing them.
void rimuovi_orfani(const std::filesystem::path& cartella, const opzioni_compilazione& o) {
  const std::string nomi[] = {nome_tracciato(o.nome_linea),
                              nome_stazioni(o.nome_linea, o.numero_treno),
                              nome_percorso(o.nome_linea, o.numero_treno)};
  rimuovi_temporanei_orfani(cartella, nomi);
}

stato_uscita stato_di(const esito& r) {
  if (r.identita()) return uscita_identita;
  return r.codice != 0 ? uscita_codice_registrato : uscita_ok;
}

}  // namespace

compilazione_in_cartella compila_in_cartella(const blocco_cartella& blocco,
                                             const opzioni_compilazione& o, bool consuma_sorgenti) {
  const std::filesystem::path& cartella = blocco.cartella();
  compilazione_in_cartella r;
  bool compilato = false;
  try {
    rimuovi_orfani(cartella, o);
    r.testi = leggi_testi(cartella, o);
    r.c = compila(r.testi, o);
    compilato = true;
    r.stato = stato_di(r.c.risultato);
    if (!r.c.risultato.identita()) {
      insieme_in_cartella uscite(cartella);
      scrivi_compilati(r.c.scenario, o, uscite);
      uscite.conferma();
    }
  } catch (const errore_file& e) {
    r.stato = uscita_file;
    r.errore_file = e.what();
    r.errore_file_inglese = e.inglese();
  }
  if (consuma_sorgenti && compilato && r.stato != uscita_file) cancella_consumati(cartella, o, r.c);
  return r;
}

}  // namespace scenario
