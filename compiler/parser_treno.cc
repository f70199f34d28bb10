// The train service half of `memorizza_dati`: consist, clock and sand values, speed-limit
// and adhesion layers, stations with their areas and markers, signals and slow orders.
#include <algorithm>

#include "compiler/aritmetica.h"
#include "compiler/compilatore.h"
#include "compiler/parser.h"

namespace scenario {
namespace {

template <typename T>
T entro(int32_t v, const char* campo) {
  const auto r = se_entra<T>(v);
  if (!r) throw guasto(std::string("valore fuori dall'intervallo del campo ") + campo);
  return *r;
}

int32_t somma_32(int64_t v) {
  const auto r = se_entra<int32_t>(v);
  if (!r) throw guasto("calcolo fuori dai 32 bit");
  return *r;
}

class parser_treno {
 public:
  parser_treno(modello& m, archivio_sorgenti& s, lettore_campi& l) : m_(m), s_(s), l_(l) {}
  void esegui();

 private:
  enum class esito { avanti, fine_normale, errore };

  void cerca_generale();
  esito campo();
  esito velocita();
  esito aderenza();
  esito segnale();
  esito rallentamento();
  esito abbattimento();
  esito stazione();
  void fine_normale();

  esito ferma(int32_t codice, int32_t posizione) {
    m_.codice_errore = codice;
    m_.segna_luogo_errore();
    m_.posizione_errore = posizione;
    return esito::errore;
  }
  void leggi_campo() { scenario::leggi_campo(m_, l_); }
  cella& cella_in(int64_t c) {
    if (c < 0 || c > m_.ultima_cella) throw guasto("stazione oltre l'ultima cella");
    return m_.percorso[static_cast<std::size_t>(c)];
  }
  bool fuori_percorso(int32_t p, int32_t margine) {
    return scenario::fuori_percorso(m_, p, margine);
  }

  modello& m_;
  archivio_sorgenti& s_;
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
    const esito e = campo();
    if (e == esito::errore) {
      s_.cancella(sorgente::treno);
      return;
    }
    if (e == esito::fine_normale) break;
  }
  fine_normale();
}

// Every test of the table that matches runs its handler, in the table's order.
parser_treno::esito parser_treno::campo() {
  const std::string r = m_.riga;
  voce_stazione& treno_linea = m_.tabella_stazioni[voce_treno_linea];
  voce_stazione& treno = m_.tabella_stazioni[voce_treno];
  if (contiene(r, "massa") && contiene(r, "frenata")) treno_linea.inizio = l_.leggi_numero();
  if (contiene(r, "vetture")) treno_linea.posizione = l_.leggi_numero();
  using gestore = esito (parser_treno::*)();
  const std::pair<const char*, gestore> prima[] = {{"velocit", &parser_treno::velocita},
                                                   {"aderenza", &parser_treno::aderenza}};
  for (const auto& [parola, g] : prima) {
    if (!contiene(r, parola)) continue;
    if (const esito e = (this->*g)(); e != esito::avanti) return e;
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
    if (const esito e = (this->*g)(); e != esito::avanti) return e;
  }
  return esito::avanti;
}

parser_treno::esito parser_treno::velocita() {
  const int32_t p = l_.leggi_numero();
  const int32_t limite = l_.leggi_numero();
  if (fuori_percorso(p, 100)) return esito::fine_normale;
  if (!se_entra<uint8_t>(arrotonda(limite / 5.0))) throw guasto("limite di velocita' fuori scala");
  const int64_t cella_fine = cella_senza_uno(p);
  if (cella_fine > 0) {
    const auto valore = static_cast<uint8_t>(arrotonda(velocita_precedente_ / 5.0));
    do {
      if (indice_velocita_ >= m_.ultima_cella) break;
      m_.percorso[static_cast<std::size_t>(indice_velocita_)].velocita = valore;
      ++indice_velocita_;
    } while (indice_velocita_ < cella_fine);
  }
  velocita_precedente_ = limite;
  return esito::avanti;
}

parser_treno::esito parser_treno::aderenza() {
  const int32_t p = l_.leggi_numero();
  const int32_t valore = l_.leggi_numero();
  if (fuori_percorso(p, 100)) return esito::fine_normale;
  const int64_t cella_fine = cella_senza_uno(p);
  if (cella_fine > 0) {
    do {
      if (indice_aderenza_ > m_.ultima_cella) throw guasto("aderenze oltre l'ultima cella");
      m_.percorso[static_cast<std::size_t>(indice_aderenza_)].aderenza =
          byte_basso(aderenza_precedente_);
      ++indice_aderenza_;
    } while (indice_aderenza_ < cella_fine);
  }
  aderenza_precedente_ = valore;
  return esito::avanti;
}

parser_treno::esito parser_treno::segnale() {
  dati_segnale s{};
  for (int32_t* v :
       {&s.posizione, &s.sx, &s.s1, &s.s2, &s.s3, &s.rapp, &s.dx, &s.d1, &s.d2, &s.d3, &s.tempo}) {
    *v = l_.leggi_numero();
  }
  if (fuori_percorso(s.posizione, 100)) return esito::fine_normale;
  memo_segnale(m_, s);
  if (m_.codice_errore > 0) return ferma(m_.codice_errore, s.posizione);
  return esito::avanti;
}

parser_treno::esito parser_treno::rallentamento() {
  dati_rallentamento r{};
  for (int32_t* v : {&r.x, &r.v, &r.l, &r.f_tt, &r.f_ta, &r.d_v}) *v = l_.leggi_numero();
  if (fuori_percorso(r.x, 100)) return esito::fine_normale;
  memo_rallentamento(m_, r);
  if (m_.codice_errore > 0) return ferma(m_.codice_errore, r.x);
  return esito::avanti;
}

parser_treno::esito parser_treno::abbattimento() {
  const int32_t p = l_.leggi_numero();
  const int32_t valore = l_.leggi_numero();
  if (fuori_percorso(p, 100)) return esito::fine_normale;
  const int64_t c = cella_senza_uno(p);
  if (c < 0) throw guasto("abbattimento prima dell'inizio del percorso");
  cella& cl = m_.percorso[static_cast<std::size_t>(c)];
  if (!libera(cl)) return ferma(7, p);
  if (valore > 0) {
    cl.tipo = cella_controllo_velocita;
    cl.dato_1 = sedici_bit(valore);
  } else {
    cl.tipo = cella_abbattimento_nullo;
  }
  return esito::avanti;
}

parser_treno::esito parser_treno::stazione() {
  voce_stazione& r = m_.tabella_stazioni[static_cast<std::size_t>(n_)];
  const int32_t p = r.posizione = l_.leggi_numero();
  if (fuori_percorso(p, 800)) return esito::fine_normale;
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
  if (r.nome.size() > 32767) throw guasto("nome della stazione troppo lungo");
  r.orario =
      somma_32(int64_t{somma_32(int64_t{somma_32(int64_t{ore} * 60 + minuti)} * 60)} + secondi);

  if (r.tipo == 5 || r.tipo == 6) {
    r.fine = somma_32(int64_t{p} + 150);
    r.inizio = somma_32(int64_t{p} - lunghezza);
    r.byte_3 = 0;
  } else if (r.tipo == 7 || r.tipo == 8) {
    r.inizio = somma_32(int64_t{p} - lunghezza);
    r.fine = somma_32(int64_t{p} + lunghezza);
    r.byte_3 = 0;
  } else {
    r.inizio = somma_32(int64_t{p} - lunghezza / 2);
    r.fine = somma_32(int64_t{p} + lunghezza / 2 + (r.byte_3 != 0 ? 50 : 0));
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
    if (marcatore <= 1) return ferma(24, m_.posizione_errore);
    cella& c = cella_in(marcatore);
    c.tipo = cella_fermata;
    c.dato_1 = static_cast<int16_t>(n_);
  }
  if (n_ > 1 &&
      int64_t{r.inizio} - 350 < m_.tabella_stazioni[static_cast<std::size_t>(n_ - 1)].fine) {
    return ferma(22, p);
  }
  ++n_;
  if (n_ >= m_.posto_cartello) return ferma(10, m_.posizione_errore);
  return esito::avanti;
}

// End of the file, or code 15: delete the text, fill the layers' tails, check progressives.
void parser_treno::fine_normale() {
  s_.cancella(sorgente::treno);
  if (!m_.percorso_creato()) throw guasto("manca la lunghezza del percorso");
  const auto velocita = static_cast<uint8_t>(arrotonda(velocita_precedente_ / 5.0));
  do {
    if (indice_velocita_ > m_.ultima_cella) throw guasto("velocita' oltre l'ultima cella");
    m_.percorso[static_cast<std::size_t>(indice_velocita_)].velocita = velocita;
    ++indice_velocita_;
  } while (indice_velocita_ < m_.ultima_cella - 2);
  do {
    if (indice_aderenza_ > m_.ultima_cella) throw guasto("aderenze oltre l'ultima cella");
    m_.percorso[static_cast<std::size_t>(indice_aderenza_)].aderenza =
        byte_basso(aderenza_precedente_);
    ++indice_aderenza_;
  } while (indice_aderenza_ < m_.ultima_cella - 2);
  for (int s = voce_progressiva_tre; s <= voce_progressiva_uno; ++s) {
    const voce_stazione& v = m_.tabella_stazioni[static_cast<std::size_t>(s)];
    if (v.inizio % 50 != 0 || v.fine % 50 != 0) m_.codice_errore = 2;
  }
}

}  // namespace

void leggi_servizio_treno(modello& m, archivio_sorgenti& s) {
  m.sorgente_corrente = s.nome(sorgente::treno);
  m.riga_sorgente = 0;
  const auto testo = s.leggi(sorgente::treno);
  if (!testo) throw guasto("manca il servizio del treno " + s.nome(sorgente::treno));
  lettore_campi lettore(*testo);
  parser_treno(m, s, lettore).esegui();
}

}  // namespace scenario
