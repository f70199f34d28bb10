// The parse state's bookkeeping: the origins of the cells' features and the recorded codes.
#include "compiler/analisi.h"

#include "compiler/nomi_file.h"

namespace scenario {

void analisi::segna_origine(int64_t c, int32_t posizione) {
  if (record_corrente == nullptr || c < 0 || c >= static_cast<int64_t>(origini.size())) return;
  origini[static_cast<std::size_t>(c)] = {record_corrente->parola, file_corrente,
                                          record_corrente->chiave.luogo, posizione};
}

void analisi::copia_origine(int64_t c, int64_t da) {
  const auto n = static_cast<int64_t>(origini.size());
  if (c < 0 || c >= n || da < 0 || da >= n) return;
  origini[static_cast<std::size_t>(c)] = origini[static_cast<std::size_t>(da)];
}

const origine_cella* analisi::origine(int64_t c) const {
  if (c < 0 || c >= static_cast<int64_t>(origini.size())) return nullptr;
  const origine_cella& o = origini[static_cast<std::size_t>(c)];
  return o.parola != nullptr ? &o : nullptr;
}

std::string analisi::nome_sorgente(file_sorgente f) const {
  return f == file_sorgente::linea ? nome_testo_linea(opzioni.nome_linea)
                                   : nome_testo_treno(opzioni.nome_linea, opzioni.numero_treno);
}

void analisi::registra(int32_t codice, diagnostica d) {
  // The package's message places a code at the keyword field where reading stands.
  const intervallo_sorgente dove =
      lettore != nullptr ? lettore->ultima_chiave().luogo : ultima_chiave;
  risultato.codice = codice;
  risultato.file = sorgente_corrente;
  risultato.riga = dove.riga;
  risultato.colonna = dove.colonna;
  risultato.motivo = d.messaggio;
  d.livello = gravita::errore;
  d.codice = codice;
  if (d.file.empty()) d.file = sorgente_corrente;
  uscita.verdetto = d;
  problemi.aggiungi(std::move(d));
}

void analisi::registra(int32_t codice, int32_t posizione, diagnostica d) {
  d.posizione = posizione;
  registra(codice, std::move(d));
  risultato.posizione = posizione;
}

void analisi::registra_senza_luogo(int32_t codice, diagnostica d) {
  risultato = esito{codice, d.posizione.value_or(risultato.posizione), "", 0, 0, d.messaggio, 0};
  d.livello = gravita::errore;
  d.codice = codice;
  uscita.verdetto = d;
  problemi.aggiungi(std::move(d));
}

}  // namespace scenario
