// The compile of a folder: read, compile, write the set, delete what was consumed.
#include "run/compila_in_cartella.h"

#include <string>

#include "compiler/file_binari.h"
#include "compiler/nomi_file.h"

namespace scenario {
namespace {

void cancella_consumati(cartella_file& cartella, const opzioni_compilazione& o,
                        const compilazione& c) {
  if (c.consuma_linea) cartella.rimuovi(nome_testo_linea(o.nome_linea));
  if (c.consuma_treno) cartella.rimuovi(nome_testo_treno(o.nome_linea, o.numero_treno));
}

// What killed compiles left: under the lock, no other run is writing them.
void ripara_interrotte(cartella_file& cartella, const opzioni_compilazione& o) {
  const std::string nomi[] = {nome_tracciato(o.nome_linea),
                              nome_stazioni(o.nome_linea, o.numero_treno),
                              nome_percorso(o.nome_linea, o.numero_treno)};
  cartella.ripara_interrotte(nomi);
}

}  // namespace

testi_sorgenti leggi_testi(cartella_file& cartella, const opzioni_compilazione& o) {
  testi_sorgenti t;
  t.linea = cartella.leggi(nome_testo_linea(o.nome_linea));
  t.treno = cartella.leggi(nome_testo_treno(o.nome_linea, o.numero_treno));
  return t;
}

compilazione_in_cartella compila_in_cartella(cartella_file& cartella, const opzioni_compilazione& o,
                                             bool consuma_sorgenti) {
  compilazione_in_cartella r;
  bool compilato = false;
  try {
    ripara_interrotte(cartella, o);
    r.testi = leggi_testi(cartella, o);
    r.c = compila(r.testi, o);
    compilato = true;
    r.stato = stato_di(r.c.risultato);
    if (!r.c.risultato.identita()) {
      scrivi_compilati(r.c.scenario, o, cartella);
      cartella.conferma();
    }
  } catch (const errore_io& e) {
    r.stato = stato_di(e);
    r.errore = e;
  }
  if (consuma_sorgenti && compilato && !r.errore) cancella_consumati(cartella, o, r.c);
  return r;
}

compilazione_in_cartella compila_cartella(const std::filesystem::path& cartella,
                                          const opzioni_compilazione& o,
                                          std::chrono::milliseconds attesa) {
  try {
    const blocco_cartella blocco(cartella, attesa);
    cartella_su_disco file(cartella);
    return compila_in_cartella(file, o, false);
  } catch (const errore_io& e) {
    compilazione_in_cartella r;
    r.stato = stato_di(e);
    r.errore = e;
    return r;
  }
}

}  // namespace scenario
