// `compila`, the compile driver: its steps run in a fixed order on a fresh parse state, and
// the scenario is handed back whatever code the parser or the pass recorded. `controlla` runs
// the same front end reading on after each bad record.
#include "compiler/compilatore.h"

#include <algorithm>
#include <climits>
#include <tuple>

#include "compiler/analisi.h"
#include "compiler/messaggi_sorgenti.h"
#include "compiler/nomi_file.h"

namespace scenario {
namespace {

// The identity stamp found cell 1 or slot 85 in use: nothing compiled may be written.
diagnostica problema_identita(const analisi& a, int32_t codice) {
  diagnostica d;
  d.codice = codice;
  d.messaggio = std::string(codice == 1250 ? "the identity marker" : "the identity code") +
                " has no room: cell 1 carries the route's identity";
  if (a.percorso_creato() && a.compilato.percorso.size() > 1 &&
      a.compilato.percorso[1].tipo != cella_libera) {
    d.messaggio += ", and " + contenuto_cella(a, 1) + " fills it";
    if (std::optional<nota_diagnostica> n = nota_origine(a, 1)) d.note.push_back(std::move(*n));
  }
  d.messaggio += "; nothing is written";
  return d;
}

// Problems in source order: the line description first, each by its place; the ones with no
// place at their file's end.
bool prima_nel_sorgente(const diagnostica& a, const diagnostica& b, const std::string& linea) {
  const auto chiave = [&](const diagnostica& d) {
    return std::tuple(d.file.empty() ? 2 : (d.file == linea ? 0 : 1),
                      d.dove.valido() ? d.dove.riga : INT32_MAX, d.dove.colonna);
  };
  return chiave(a) < chiave(b);
}

bool stesso_problema(const diagnostica& a, const diagnostica& b) {
  return a.codice == b.codice && a.file == b.file && a.dove == b.dove && a.messaggio == b.messaggio;
}

}  // namespace

void esegui_compilazione(const testi_sorgenti& testi, analisi& a) {
  memorizza_dati(a, testi);
  passata_percorso(a);
  a.risultato.errore_identita = timbra_identita(a);
  if (a.risultato.identita()) {
    diagnostica d = problema_identita(a, a.risultato.errore_identita);
    a.uscita.verdetto = d;
    a.problemi.aggiungi(std::move(d));
  }
}

compilazione compila(const testi_sorgenti& testi, const opzioni_compilazione& o) {
  analisi a(o);
  esegui_compilazione(testi, a);
  a.uscita.problemi = std::move(a.problemi);
  return std::move(a.uscita);
}

void in_ordine_di_sorgente(std::vector<diagnostica>& d, const opzioni_compilazione& o) {
  const std::string linea = nome_testo_linea(o.nome_linea);
  std::stable_sort(d.begin(), d.end(), [&](const diagnostica& x, const diagnostica& y) {
    return prima_nel_sorgente(x, y, linea);
  });
}

raccolta_diagnostiche controlla(const testi_sorgenti& testi, const opzioni_compilazione& o) {
  return controlla(testi, o, compila(testi, o));
}

raccolta_diagnostiche controlla(const testi_sorgenti& testi, const opzioni_compilazione& o,
                                const compilazione& c) {
  analisi a(o, modo_analisi::raccogli);
  memorizza_dati(a, testi);
  passata_percorso(a);
  std::vector<diagnostica>& resto = a.problemi.elenco();
  in_ordine_di_sorgente(resto, o);
  raccolta_diagnostiche r(o.problemi_massimi);
  if (c.verdetto) r.aggiungi(*c.verdetto);
  for (diagnostica& d : resto) {
    if (!c.verdetto || !stesso_problema(d, *c.verdetto)) r.aggiungi(std::move(d));
  }
  // What the bounded reading counted but did not keep.
  const auto errori_tenuti =
      std::count_if(resto.begin(), resto.end(), [](const diagnostica& d) { return d.errore(); });
  const auto tenuti = static_cast<int64_t>(resto.size());
  r.conta_senza_tenere(a.problemi.errori() - errori_tenuti,
                       a.problemi.avvisi() - (tenuti - errori_tenuti));
  return r;
}

}  // namespace scenario
