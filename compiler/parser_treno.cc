// The train service half of `memorizza_dati`: consist, clock and sand values, speed-limit
// and adhesion layers, stations with their areas and markers, signals and slow orders.
#include <algorithm>
#include <limits>
#include <optional>
#include <string>

#include "compiler/analisi.h"
#include "compiler/aritmetica.h"
#include "compiler/avvisi_sorgenti.h"
#include "compiler/messaggi_sorgenti.h"
#include "compiler/nomi_file.h"
#include "compiler/parser.h"

namespace scenario {
namespace {

std::string oltre_l_ultima(const char* strato, int32_t indice) {
  return std::string("the ") + strato + " fill would pass the last cell, at cell " +
         std::to_string(indice);
}

// A sum of the station's numbers, which the model keeps in 32 bits.
int32_t somma_32(const analisi& m, int64_t v, std::size_t k, const char* cosa) {
  const auto r = se_entra<int32_t>(v);
  if (!r) {
    guasto_campo(m, k,
                 nome_record(*m.record_corrente) + " " + cosa + " " + std::to_string(v) +
                     " does not fit 32 bits");
  }
  return *r;
}

class parser_treno {
 public:
  parser_treno(analisi& m, lettore_record& l) : m_(m), l_(l) {}
  void esegui();

 private:
  passo campo(const record_letto& r);
  passo velocita();
  passo aderenza();
  passo segnale();
  passo rallentamento();
  passo abbattimento();
  passo stazione();
  void area_stazione(voce_stazione& r, int32_t p, int32_t lunghezza);
  passo marcatori_stazione(voce_stazione& r);
  int32_t orario_stazione(int32_t ore, int32_t minuti, int32_t secondi);
  void fine_normale();
  void controlla_progressive();

  // After a signal or a slow order: its own code, or a code 15 the line half left, stops the
  // parse with the record's position.
  passo dopo_registrazione(int32_t codice, int32_t posizione, diagnostica d) {
    if (codice == 0 && !m_.raccoglie() && m_.risultato.codice > 0) {
      codice = m_.risultato.codice;
      d = problema_campo(m_, 0,
                         nome_record(*m_.record_corrente) + " at " + std::to_string(posizione) +
                             " m is the first signal or slow order after the line description "
                             "stopped with code " +
                             std::to_string(codice) + ", and the train service stops here too");
    }
    return codice > 0 ? ferma(codice, posizione, std::move(d)) : passo::avanti;
  }
  passo ferma(int32_t codice, diagnostica d) {
    m_.registra(codice, std::move(d));
    return passo::errore;
  }
  passo ferma(int32_t codice, int32_t posizione, diagnostica d) {
    m_.registra(codice, posizione, std::move(d));
    return passo::errore;
  }
  cella& cella_in(int64_t c) {
    if (c < 0 || c > m_.ultima_cella) {
      guasto_campo(m_, 0,
                   "the station's stop marker would fall in cell " + std::to_string(c) +
                       ", outside the route (cells 0 to " + std::to_string(m_.ultima_cella) +
                       "): a station of type 7 or 8 reaches p + L");
    }
    return m_.compilato.percorso[static_cast<std::size_t>(c)];
  }
  bool fuori_percorso(int32_t p) {
    return scenario::fuori_percorso(m_, 0, p, m_.record_corrente->parola->margine);
  }

  analisi& m_;
  lettore_record& l_;
  int32_t n_ = 1;
  int32_t indice_velocita_ = 0;
  int32_t velocita_precedente_ = 0;
  int32_t indice_aderenza_ = 0;
  int32_t aderenza_precedente_ = 0;
  intervallo_sorgente stazione_precedente_;
};

void parser_treno::esegui() {
  for (;;) {
    const evento_lettura e = l_.prossimo();
    if (e != evento_lettura::record) break;
    const record_letto& r = l_.record();
    const passo p = applica_record(m_, r, [&] { return campo(r); });
    if (p == passo::errore) {
      m_.uscita.consuma_treno = true;
      return;
    }
    if (p == passo::fine_normale) break;
  }
  protetto(m_, [&] { fine_normale(); });
}

// Every test of the table that matches runs its handler, in the table's order.
passo parser_treno::campo(const record_letto& r) {
  voce_stazione& treno_linea = m_.compilato.tabella_stazioni[voce_treno_linea];
  voce_stazione& treno = m_.compilato.tabella_stazioni[voce_treno];
  switch (r.parola->record) {
    case tipo_record::massa_frenata:
      treno_linea.inizio = numero(m_, 0);
      return passo::avanti;
    case tipo_record::vetture:
      treno_linea.posizione = numero(m_, 0);
      return passo::avanti;
    case tipo_record::orologio:
      treno.intero_3 = static_cast<int16_t>(numero(m_, 0));
      treno.intero_4 = static_cast<int16_t>(numero(m_, 1));
      treno.intero_5 = static_cast<int16_t>(numero(m_, 2));
      return passo::avanti;
    case tipo_record::sabbia:
      treno.intero_1 = static_cast<int16_t>(numero(m_, 0));
      return passo::avanti;
    default:
      break;
  }
  // A check reads on without a route, applying no feature.
  if (m_.raccoglie() && !m_.percorso_creato()) return passo::avanti;
  switch (r.parola->record) {
    case tipo_record::velocita:
      return velocita();
    case tipo_record::aderenza:
      return aderenza();
    case tipo_record::segnale:
      return segnale();
    case tipo_record::rallentamento:
      return rallentamento();
    case tipo_record::abbattimento:
      return abbattimento();
    case tipo_record::stazione:
      return stazione();
    default:
      return passo::avanti;
  }
}

passo parser_treno::velocita() {
  const int32_t p = numero(m_, 0);
  const int32_t limite = numero(m_, 1);
  if (fuori_percorso(p)) return passo::fine_normale;
  if (!se_entra<uint8_t>(arrotonda(limite / 5.0))) rifiuta(m_, 1, limite);
  const int64_t cella_fine = cella_senza_uno(p);
  if (cella_fine > 0) {
    const auto valore = static_cast<uint8_t>(arrotonda(velocita_precedente_ / 5.0));
    do {
      if (indice_velocita_ >= m_.ultima_cella) break;
      m_.compilato.percorso[static_cast<std::size_t>(indice_velocita_)].velocita = valore;
      ++indice_velocita_;
    } while (indice_velocita_ < cella_fine);
  }
  velocita_precedente_ = limite;
  return passo::avanti;
}

passo parser_treno::aderenza() {
  const int32_t p = numero(m_, 0);
  const int32_t valore = numero(m_, 1);
  if (fuori_percorso(p)) return passo::fine_normale;
  const int64_t cella_fine = cella_senza_uno(p);
  if (cella_fine > 0) {
    do {
      if (indice_aderenza_ > m_.ultima_cella) {
        guasto_record(m_, oltre_l_ultima("adhesion", indice_aderenza_));
      }
      m_.compilato.percorso[static_cast<std::size_t>(indice_aderenza_)].aderenza =
          byte_basso(aderenza_precedente_);
      ++indice_aderenza_;
    } while (indice_aderenza_ < cella_fine);
  }
  aderenza_precedente_ = valore;
  return passo::avanti;
}

passo parser_treno::segnale() {
  dati_segnale s{};
  int32_t* valori[] = {&s.posizione, &s.sx, &s.s1, &s.s2, &s.s3,   &s.rapp,
                       &s.dx,        &s.d1, &s.d2, &s.d3, &s.tempo};
  for (std::size_t k = 0; k < std::size(valori); ++k) *valori[k] = numero(m_, k);
  if (fuori_percorso(s.posizione)) return passo::fine_normale;
  const int32_t codice = memo_segnale(m_, s);
  const int64_t c = cella_di(s.posizione);
  return dopo_registrazione(
      codice, s.posizione,
      codice == 16 ? problema_occupata(m_, 0, s.posizione, c, "") : diagnostica{});
}

passo parser_treno::rallentamento() {
  dati_rallentamento r{};
  int32_t* valori[] = {&r.x, &r.v, &r.l, &r.f_tt, &r.f_ta, &r.d_v};
  for (std::size_t k = 0; k < std::size(valori); ++k) *valori[k] = numero(m_, k);
  if (fuori_percorso(r.x)) return passo::fine_normale;
  const int32_t codice = memo_rallentamento(m_, r);
  return dopo_registrazione(codice, r.x, problema_rallentamento(m_, r, codice));
}

passo parser_treno::abbattimento() {
  const int32_t p = numero(m_, 0);
  const int32_t valore = numero(m_, 1);
  if (fuori_percorso(p)) return passo::fine_normale;
  const int64_t c = cella_senza_uno(p);
  if (c < 0) rifiuta(m_, 0, p);
  cella& cl = m_.compilato.percorso[static_cast<std::size_t>(c)];
  if (!libera(cl)) return ferma(7, p, problema_occupata(m_, 0, p, c, ""));
  if (valore > 0) {
    cl.tipo = cella_controllo_velocita;
    cl.dato_1 = sedici_bit(valore);
  } else {
    cl.tipo = cella_abbattimento_nullo;
  }
  m_.segna_origine(c, p);
  return passo::avanti;
}

// Seconds since midnight, each step of the sum held in 32 bits as the model holds it.
int32_t parser_treno::orario_stazione(int32_t ore, int32_t minuti, int32_t secondi) {
  const std::optional<int32_t> orario = orario_in_secondi(ore, minuti, secondi);
  if (!orario) {
    guasto_campo(m_, 13,
                 nome_record(*m_.record_corrente) + " time " + std::to_string(ore) + " h " +
                     std::to_string(minuti) + " min " + std::to_string(secondi) +
                     " s does not fit 32 bits of seconds");
  }
  return *orario;
}

// The station area from its type: types 5 and 6 end 150 m past the position, 7 and 8 reach
// L on either side, the rest L/2 (50 m more with `byte_3`).
void parser_treno::area_stazione(voce_stazione& r, int32_t p, int32_t lunghezza) {
  if (r.tipo == 5 || r.tipo == 6) {
    r.fine = somma_32(m_, int64_t{p} + 150, 0, "end");
    r.inizio = somma_32(m_, int64_t{p} - lunghezza, 2, "start");
    r.byte_3 = 0;
  } else if (r.tipo == 7 || r.tipo == 8) {
    r.inizio = somma_32(m_, int64_t{p} - lunghezza, 2, "start");
    r.fine = somma_32(m_, int64_t{p} + lunghezza, 2, "end");
    r.byte_3 = 0;
  } else {
    r.inizio = somma_32(m_, int64_t{p} - lunghezza / 2, 2, "start");
    r.fine = somma_32(m_, int64_t{p} + lunghezza / 2 + (r.byte_3 != 0 ? 50 : 0), 2, "end");
  }
}

// The stop marker sits in the cell before the end of the area, its approach codes in the four
// cells before it; a cell past the route ends the parse at that write.
passo parser_treno::marcatori_stazione(voce_stazione& r) {
  if (r.tipo >= 25) return passo::avanti;
  const int64_t marcatore = cella_senza_uno(r.fine) - 1;
  if (r.tipo != 5 && r.tipo != 6) {
    for (int64_t k = 1; k <= 4; ++k) {
      const int64_t q = marcatore - k;
      if (q > 1) cella_in(q).preavviso = byte_basso(80 + k);
    }
  }
  if (marcatore <= 1) {
    return ferma(
        24, problema_record(
                m_, "station " + tra_apici(r.nome) + "'s area ends at " + std::to_string(r.fine) +
                        " m, so its stop marker would fall in cell " + std::to_string(marcatore) +
                        ": the stop marker must be past cell 1"));
  }
  cella& c = cella_in(marcatore);
  c.tipo = cella_fermata;
  c.dato_1 = static_cast<int16_t>(n_);
  m_.segna_origine(marcatore, r.posizione);
  return passo::avanti;
}

passo parser_treno::stazione() {
  // Stations and signboard texts share slots 1 to 80: once they meet, a check reads the
  // further stations into a slot of its own.
  voce_stazione scarto;
  const bool posto = n_ < m_.posto_cartello || n_ == 1 || !m_.raccoglie();
  voce_stazione& r = posto ? m_.compilato.tabella_stazioni[static_cast<std::size_t>(n_)] : scarto;
  const int32_t p = r.posizione = numero(m_, 0);
  if (fuori_percorso(p)) return passo::fine_normale;
  if (std::optional<diagnostica> d = problema_multiplo(m_, 0, p)) {
    return ferma(d->codice, p, std::move(*d));
  }
  r.tipo = static_cast<uint8_t>(numero(m_, 1));
  const int32_t lunghezza = numero(m_, 2);
  if (std::optional<diagnostica> d = problema_multiplo(m_, 2, lunghezza)) {
    return ferma(d->codice, p, std::move(*d));
  }
  r.opzione = static_cast<uint8_t>(numero(m_, 3));
  r.byte_4 = static_cast<uint8_t>(numero(m_, 4));
  r.byte_3 = static_cast<uint8_t>(numero(m_, 5));
  r.intero_1 = static_cast<int16_t>(numero(m_, 6));
  r.intero_2 = static_cast<int16_t>(numero(m_, 7));
  r.byte_1 = static_cast<uint8_t>(numero(m_, 8));
  r.intero_3 = static_cast<int16_t>(numero(m_, 9));
  r.intero_4 = static_cast<int16_t>(numero(m_, 10));
  r.intero_5 = static_cast<int16_t>(numero(m_, 11));
  r.byte_2 = static_cast<uint8_t>(numero(m_, 12));
  const int32_t ore = numero(m_, 13);
  const int32_t minuti = numero(m_, 14);
  const int32_t secondi = numero(m_, 15);
  r.nome = testo_campo(m_, 16);
  if (r.nome.size() > 32767) {
    guasto_campo(m_, 16,
                 nome_campo(*m_.record_corrente, 16) + " of " + std::to_string(r.nome.size()) +
                     " bytes is too long: at most 32767 fit");
  }
  r.orario = orario_stazione(ore, minuti, secondi);
  area_stazione(r, p, lunghezza);
  if (lunghezza < 600) r.byte_4 = 0;
  if (n_ == 1) r.byte_3 = r.byte_4 = 0;
  if (const passo e = marcatori_stazione(r); e != passo::avanti) return e;
  if (n_ > 1 && int64_t{r.inizio} - 350 <
                    m_.compilato.tabella_stazioni[static_cast<std::size_t>(n_ - 1)].fine) {
    return ferma(22, p, problema_stazione_vicina(m_, r, n_, stazione_precedente_));
  }
  stazione_precedente_ = m_.record_corrente->chiave.luogo;
  if (!posto) return ferma(10, problema_senza_posto(m_));
  ++n_;
  if (n_ >= m_.posto_cartello) return ferma(10, problema_senza_posto(m_));
  return passo::avanti;
}

// The kilometric progressives of the line description, once both halves are read.
void parser_treno::controlla_progressive() {
  for (int s = voce_progressiva_tre; s <= voce_progressiva_uno; ++s) {
    const voce_stazione& v = m_.compilato.tabella_stazioni[static_cast<std::size_t>(s)];
    if (v.inizio % 50 == 0 && v.fine % 50 == 0) continue;
    m_.registra_senza_luogo(2, problema_progressive(m_));
  }
}

// End of the file, or code 15: delete the text, fill the layers' tails, check progressives.
void parser_treno::fine_normale() {
  m_.uscita.consuma_treno = true;
  if (m_.raccoglie() && !m_.percorso_creato()) return;
  if (!m_.percorso_creato()) throw guasto(senza_lunghezza);
  const auto velocita = static_cast<uint8_t>(arrotonda(velocita_precedente_ / 5.0));
  do {
    if (indice_velocita_ > m_.ultima_cella) throw guasto(oltre_l_ultima("speed", indice_velocita_));
    m_.compilato.percorso[static_cast<std::size_t>(indice_velocita_)].velocita = velocita;
    ++indice_velocita_;
  } while (indice_velocita_ < m_.ultima_cella - 2);
  do {
    if (indice_aderenza_ > m_.ultima_cella) {
      throw guasto(oltre_l_ultima("adhesion", indice_aderenza_));
    }
    m_.compilato.percorso[static_cast<std::size_t>(indice_aderenza_)].aderenza =
        byte_basso(aderenza_precedente_);
    ++indice_aderenza_;
  } while (indice_aderenza_ < m_.ultima_cella - 2);
  controlla_progressive();
}

}  // namespace

void leggi_servizio_treno(analisi& m, const testi_sorgenti& testi) {
  m.sorgente_corrente = nome_testo_treno(m.opzioni.nome_linea, m.opzioni.numero_treno);
  m.file_corrente = file_sorgente::treno;
  m.ultima_chiave = {};
  if (!testi.treno) throw guasto("the train service file does not exist");
  std::optional<controlli_lettura> controlli;
  if (m.opzioni.con_avvisi) controlli.emplace(m, file_sorgente::treno, *testi.treno);
  lettore_record lettore(file_sorgente::treno, *testi.treno, m.opzioni.con_tracciato,
                         controlli ? &*controlli : nullptr);
  const lettura_in_corso in_corso(m, lettore);
  parser_treno(m, lettore).esegui();
}

}  // namespace scenario
