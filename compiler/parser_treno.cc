// The train service half of `memorizza_dati`: consist, clock and sand values, speed-limit
// and adhesion layers, stations with their areas and markers, signals and slow orders.
#include <algorithm>
#include <limits>
#include <string>

#include "compiler/analisi.h"
#include "compiler/aritmetica.h"
#include "compiler/nomi_file.h"
#include "compiler/parser.h"

namespace scenario {
namespace {

template <typename T>
T entro(int32_t v, const char* campo) {
  const auto r = se_entra<T>(v);
  if (!r) {
    throw guasto(std::string("\"") + campo + "\" is " + std::to_string(v) + ", expected " +
                 std::to_string(int64_t{std::numeric_limits<T>::min()}) + " to " +
                 std::to_string(int64_t{std::numeric_limits<T>::max()}));
  }
  return *r;
}

std::string oltre_l_ultima(const char* strato, int32_t indice) {
  return std::string("the ") + strato + " fill would pass the last cell, at cell " +
         std::to_string(indice);
}

int32_t somma_32(int64_t v, const char* cosa) {
  const auto r = se_entra<int32_t>(v);
  if (!r) throw guasto(std::string(cosa) + " " + std::to_string(v) + " does not fit 32 bits");
  return *r;
}

class parser_treno {
 public:
  parser_treno(analisi& m, lettore_campi& l) : m_(m), l_(l) {}
  void esegui();

 private:
  enum class passo { avanti, fine_normale, errore };

  void cerca_generale();
  passo campo();
  passo velocita();
  passo aderenza();
  passo segnale();
  passo rallentamento();
  passo abbattimento();
  passo stazione();
  void fine_normale();

  // After a signal or a slow order: its own code, or a code 15 the line half left, stops the
  // parse with the record's position.
  passo dopo_registrazione(int32_t codice, int32_t posizione) {
    if (codice == 0) codice = m_.risultato.codice;
    return codice > 0 ? ferma(codice, posizione) : passo::avanti;
  }
  passo ferma(int32_t codice) {
    m_.registra(codice);
    return passo::errore;
  }
  passo ferma(int32_t codice, int32_t posizione) {
    m_.registra(codice, posizione);
    return passo::errore;
  }
  void leggi_campo() { scenario::leggi_campo(m_, l_); }
  cella& cella_in(int64_t c) {
    if (c < 0 || c > m_.ultima_cella) {
      throw guasto("station marker cell " + std::to_string(c) +
                   " is outside the route (cells 0 to " + std::to_string(m_.ultima_cella) + ")");
    }
    return m_.compilato.percorso[static_cast<std::size_t>(c)];
  }
  bool fuori_percorso(int32_t p, int32_t margine) {
    return scenario::fuori_percorso(m_, p, margine);
  }

  analisi& m_;
  lettore_campi& l_;
  int32_t n_ = 1;
  int32_t indice_velocita_ = 0;
  int32_t velocita_precedente_ = 0;
  int32_t indice_aderenza_ = 0;
  int32_t aderenza_precedente_ = 0;
};

void parser_treno::cerca_generale() {
  for (;;) {
    leggi_campo();
    if (l_.fine_file() || contiene(m_.riga, "[generale]")) return;
  }
}

void parser_treno::esegui() {
  cerca_generale();
  for (;;) {
    if (l_.fine_file()) break;
    leggi_campo();
    if (l_.fine_file()) break;
    bool finito = false;
    for (int i = 0; i < 2 && !finito; ++i) {
      if (!contiene(m_.riga, "-")) break;
      leggi_campo();
      finito = l_.fine_file();
    }
    if (finito) break;
    const passo e = campo();
    if (e == passo::errore) {
      m_.uscita.consuma_treno = true;
      return;
    }
    if (e == passo::fine_normale) break;
  }
  fine_normale();
}

// Every test of the table that matches runs its handler, in the table's order.
parser_treno::passo parser_treno::campo() {
  const std::string r = m_.riga;
  voce_stazione& treno_linea = m_.compilato.tabella_stazioni[voce_treno_linea];
  voce_stazione& treno = m_.compilato.tabella_stazioni[voce_treno];
  if (contiene(r, "massa") && contiene(r, "frenata")) treno_linea.inizio = l_.leggi_numero();
  if (contiene(r, "vetture")) treno_linea.posizione = l_.leggi_numero();
  using gestore = passo (parser_treno::*)();
  const std::pair<const char*, gestore> prima[] = {{"velocit", &parser_treno::velocita},
                                                   {"aderenza", &parser_treno::aderenza}};
  for (const auto& [parola, g] : prima) {
    if (!contiene(r, parola)) continue;
    if (const passo e = (this->*g)(); e != passo::avanti) return e;
  }
  if (contiene(r, "orologio")) {
    treno.intero_3 = entro<int16_t>(l_.leggi_numero(), "ore");
    treno.intero_4 = entro<int16_t>(l_.leggi_numero(), "minuti");
    treno.intero_5 = entro<int16_t>(l_.leggi_numero(), "secondi");
  }
  if (contiene(r, "sabbia")) treno.intero_1 = entro<int16_t>(l_.leggi_numero(), "sabbia");
  const std::pair<const char*, gestore> dopo[] = {{"segnale", &parser_treno::segnale},
                                                  {"rallentamento", &parser_treno::rallentamento},
                                                  {"abbattimento", &parser_treno::abbattimento},
                                                  {"stazione", &parser_treno::stazione}};
  for (const auto& [parola, g] : dopo) {
    if (!contiene(r, parola)) continue;
    if (const passo e = (this->*g)(); e != passo::avanti) return e;
  }
  return passo::avanti;
}

parser_treno::passo parser_treno::velocita() {
  const int32_t p = l_.leggi_numero();
  const int32_t limite = l_.leggi_numero();
  if (fuori_percorso(p, 100)) return passo::fine_normale;
  if (!se_entra<uint8_t>(arrotonda(limite / 5.0))) {
    throw guasto("speed limit " + std::to_string(limite) + " km/h, expected 0 to 1277");
  }
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

parser_treno::passo parser_treno::aderenza() {
  const int32_t p = l_.leggi_numero();
  const int32_t valore = l_.leggi_numero();
  if (fuori_percorso(p, 100)) return passo::fine_normale;
  const int64_t cella_fine = cella_senza_uno(p);
  if (cella_fine > 0) {
    do {
      if (indice_aderenza_ > m_.ultima_cella) {
        throw guasto(oltre_l_ultima("adhesion", indice_aderenza_));
      }
      m_.compilato.percorso[static_cast<std::size_t>(indice_aderenza_)].aderenza =
          byte_basso(aderenza_precedente_);
      ++indice_aderenza_;
    } while (indice_aderenza_ < cella_fine);
  }
  aderenza_precedente_ = valore;
  return passo::avanti;
}

parser_treno::passo parser_treno::segnale() {
  dati_segnale s{};
  for (int32_t* v :
       {&s.posizione, &s.sx, &s.s1, &s.s2, &s.s3, &s.rapp, &s.dx, &s.d1, &s.d2, &s.d3, &s.tempo}) {
    *v = l_.leggi_numero();
  }
  if (fuori_percorso(s.posizione, 100)) return passo::fine_normale;
  return dopo_registrazione(memo_segnale(m_, s), s.posizione);
}

parser_treno::passo parser_treno::rallentamento() {
  dati_rallentamento r{};
  for (int32_t* v : {&r.x, &r.v, &r.l, &r.f_tt, &r.f_ta, &r.d_v}) *v = l_.leggi_numero();
  if (fuori_percorso(r.x, 100)) return passo::fine_normale;
  return dopo_registrazione(memo_rallentamento(m_, r), r.x);
}

parser_treno::passo parser_treno::abbattimento() {
  const int32_t p = l_.leggi_numero();
  const int32_t valore = l_.leggi_numero();
  if (fuori_percorso(p, 100)) return passo::fine_normale;
  const int64_t c = cella_senza_uno(p);
  if (c < 0) {
    throw guasto("\"abbattimento\" at " + std::to_string(p) + " m falls in cell " +
                 std::to_string(c) + ", before cell 0");
  }
  cella& cl = m_.compilato.percorso[static_cast<std::size_t>(c)];
  if (!libera(cl)) return ferma(7, p);
  if (valore > 0) {
    cl.tipo = cella_controllo_velocita;
    cl.dato_1 = sedici_bit(valore);
  } else {
    cl.tipo = cella_abbattimento_nullo;
  }
  return passo::avanti;
}

parser_treno::passo parser_treno::stazione() {
  voce_stazione& r = m_.compilato.tabella_stazioni[static_cast<std::size_t>(n_)];
  const int32_t p = r.posizione = l_.leggi_numero();
  if (fuori_percorso(p, 800)) return passo::fine_normale;
  if (p % 50 != 0) return ferma(8, p);
  r.tipo = entro<uint8_t>(l_.leggi_numero(), "tipo");
  const int32_t lunghezza = l_.leggi_numero();
  if (lunghezza % 100 != 0) return ferma(9, p);
  r.opzione = entro<uint8_t>(l_.leggi_numero(), "opzione");
  r.byte_4 = entro<uint8_t>(l_.leggi_numero(), "byte_4");
  r.byte_3 = entro<uint8_t>(l_.leggi_numero(), "byte_3");
  r.intero_1 = entro<int16_t>(l_.leggi_numero(), "intero_1");
  r.intero_2 = entro<int16_t>(l_.leggi_numero(), "intero_2");
  r.byte_1 = entro<uint8_t>(l_.leggi_numero(), "byte_1");
  r.intero_3 = entro<int16_t>(l_.leggi_numero(), "intero_3");
  r.intero_4 = entro<int16_t>(l_.leggi_numero(), "intero_4");
  r.intero_5 = entro<int16_t>(l_.leggi_numero(), "intero_5");
  r.byte_2 = entro<uint8_t>(l_.leggi_numero(), "byte_2");
  const int32_t ore = l_.leggi_numero();
  const int32_t minuti = l_.leggi_numero();
  const int32_t secondi = l_.leggi_numero();
  r.nome = l_.leggi_testo();
  if (r.nome.size() > 32767) {
    throw guasto("station name of " + std::to_string(r.nome.size()) + " bytes, at most 32767 fit");
  }
  r.orario = somma_32(
      int64_t{somma_32(int64_t{somma_32(int64_t{ore} * 60 + minuti, "time")} * 60, "time")} +
          secondi,
      "time");

  if (r.tipo == 5 || r.tipo == 6) {
    r.fine = somma_32(int64_t{p} + 150, "station end");
    r.inizio = somma_32(int64_t{p} - lunghezza, "station start");
    r.byte_3 = 0;
  } else if (r.tipo == 7 || r.tipo == 8) {
    r.inizio = somma_32(int64_t{p} - lunghezza, "station start");
    r.fine = somma_32(int64_t{p} + lunghezza, "station end");
    r.byte_3 = 0;
  } else {
    r.inizio = somma_32(int64_t{p} - lunghezza / 2, "station start");
    r.fine = somma_32(int64_t{p} + lunghezza / 2 + (r.byte_3 != 0 ? 50 : 0), "station end");
  }
  if (lunghezza < 600) r.byte_4 = 0;
  if (n_ == 1) r.byte_3 = r.byte_4 = 0;

  if (r.tipo < 25) {
    // The stop marker sits in the cell before the end of the area, its approach codes in
    // the four cells before it; a cell past the route ends the parse at that write.
    const int64_t marcatore = cella_senza_uno(r.fine) - 1;
    if (r.tipo != 5 && r.tipo != 6) {
      for (int64_t k = 1; k <= 4; ++k) {
        const int64_t q = marcatore - k;
        if (q > 1) cella_in(q).preavviso = byte_basso(80 + k);
      }
    }
    if (marcatore <= 1) return ferma(24);
    cella& c = cella_in(marcatore);
    c.tipo = cella_fermata;
    c.dato_1 = static_cast<int16_t>(n_);
  }
  if (n_ > 1 && int64_t{r.inizio} - 350 <
                    m_.compilato.tabella_stazioni[static_cast<std::size_t>(n_ - 1)].fine) {
    return ferma(22, p);
  }
  ++n_;
  if (n_ >= m_.posto_cartello) return ferma(10);
  return passo::avanti;
}

// End of the file, or code 15: delete the text, fill the layers' tails, check progressives.
void parser_treno::fine_normale() {
  m_.uscita.consuma_treno = true;
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
  for (int s = voce_progressiva_tre; s <= voce_progressiva_uno; ++s) {
    const voce_stazione& v = m_.compilato.tabella_stazioni[static_cast<std::size_t>(s)];
    if (v.inizio % 50 != 0 || v.fine % 50 != 0) m_.registra_senza_luogo(2);
  }
}

}  // namespace

void leggi_servizio_treno(analisi& m, const testi_sorgenti& testi) {
  m.sorgente_corrente = nome_testo_treno(m.opzioni.nome_linea, m.opzioni.numero_treno);
  m.riga_sorgente = 0;
  m.colonna_sorgente = 0;
  if (!testi.treno) throw guasto("the train service file does not exist");
  lettore_campi lettore(*testi.treno);
  parser_treno(m, lettore).esegui();
}

}  // namespace scenario
