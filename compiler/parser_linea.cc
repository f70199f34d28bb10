// The line description half of `memorizza_dati`: line constants into the special slots,
// route size, gradients, curves into the track plan, tunnels, boards and signboards.
#include "compiler/parser.h"

#include <algorithm>

#include "compiler/analisi.h"
#include "compiler/aritmetica.h"
#include "compiler/nomi_file.h"

namespace scenario {
namespace {

constexpr int64_t limite_tracciato = 1'000'000;
constexpr int32_t lunghezza_massima = 1'000'000;

class parser_linea {
 public:
  parser_linea(analisi& m, lettore_campi& l) : m_(m), l_(l) {}

  // False when the parse ended with a code that returns at once.
  bool esegui();

 private:
  bool cerca_generale();
  bool generale_dimensionata();
  void dimensiona();
  bool sezione_generale();
  bool prova_generale();
  void tra_le_parti();
  bool parte_principale();
  bool campo_principale();
  void pendenza();
  bool curva();
  bool montagna();
  bool indicatori();
  bool cartello();
  void fine_descrizione();

  bool fuori_percorso(int32_t p);
  bool chiudi_con(int32_t codice);
  void scrivi_pendenze_fino_a(int64_t limite);
  void leggi_campo() { scenario::leggi_campo(m_, l_); }

  analisi& m_;
  lettore_campi& l_;
  int32_t indice_pendenza_ = 0;
  int32_t pendenza_precedente_ = 0;
  bool errore_15_ = false;
  bool da_dimensionare_ = false;  // a length was read since the route was last sized
};

// A code that ends the whole parse: the line text is consumed, the train text is not.
bool parser_linea::chiudi_con(int32_t codice) {
  m_.uscita.consuma_linea = true;
  m_.registra(codice);
  return false;
}

bool parser_linea::esegui() {
  if (!cerca_generale()) return false;
  if (!generale_dimensionata()) return false;
  tra_le_parti();
  if (!parte_principale()) return false;
  fine_descrizione();
  return true;
}

// Fields before "[generale]" are ignored; the end of the file before it is code 102.
bool parser_linea::cerca_generale() {
  for (;;) {
    leggi_campo();
    if (l_.fine_file()) return chiudi_con(102);
    if (contiene(m_.riga, "[generale]")) return true;
  }
}

bool parser_linea::sezione_generale() {
  for (;;) {
    if (l_.fine_file()) return true;
    leggi_campo();
    if (l_.fine_file()) return true;
    for (int i = 0; i < 10; ++i) {
      if (contiene(m_.riga, "-")) leggi_campo();
    }
    if (!prova_generale()) return false;
    const bool trattino = !m_.riga.empty() && m_.riga.front() == '-';
    if (!trattino && contiene(m_.riga, "[") && contiene(m_.riga, "]")) return true;
  }
}

// Nothing in the general section touches the cells or the plan, so the route is sized once,
// by the last length read, however the section ends: a file of many length records then costs
// what one costs.
bool parser_linea::generale_dimensionata() {
  try {
    const bool continua = sezione_generale();
    dimensiona();
    return continua;
  } catch (...) {
    dimensiona();
    throw;
  }
}

void parser_linea::dimensiona() {
  if (!da_dimensionare_) return;
  da_dimensionare_ = false;
  m_.compilato.percorso.assign(static_cast<std::size_t>(m_.ultima_cella) + 1, cella{});
  if (m_.opzioni.con_tracciato) {
    m_.compilato.tracciato = tracciato_compilato{};
    m_.compilato.tracciato.ultimo = m_.lunghezza_estesa;
  }
}

// Every test that matches reads its own values, in this order, from the same field.
bool parser_linea::prova_generale() {
  const std::string& r = m_.riga;
  auto& t = m_.compilato.tabella_stazioni;
  if (contiene(r, "lunghezza") && contiene(r, "percorso")) {
    const int32_t lunghezza = l_.leggi_numero();
    t[voce_treno_linea].fine = lunghezza;
    if (lunghezza > lunghezza_massima) return chiudi_con(1);
    if (lunghezza < 0)
      throw guasto("\"lunghezza percorso\" is " + std::to_string(lunghezza) +
                   " m, expected 0 to 1000000");
    m_.lunghezza_estesa = lunghezza + 7000;
    m_.ultima_cella = static_cast<int32_t>(arrotonda(m_.lunghezza_estesa / 50.0));
    da_dimensionare_ = true;
  }
  const int progressive[3] = {voce_progressiva_tre, voce_progressiva_due, voce_progressiva_uno};
  const char* numeri[3] = {"tre", "due", "uno"};
  for (int i = 0; i < 3; ++i) {
    if (contiene_esatto(r, numeri[i]) && contiene_esatto(r, "progressiva")) {
      voce_stazione& v = t[static_cast<std::size_t>(progressive[i])];
      v.inizio = l_.leggi_numero();
      v.fine = l_.leggi_numero();
      v.posizione = l_.leggi_numero();
    }
  }
  voce_stazione& linea = t[voce_linea];
  if (contiene_esatto(r, "sfondo") && contiene_esatto(r, "uno")) linea.inizio = l_.leggi_numero();
  if (contiene_esatto(r, "sfondo") && contiene_esatto(r, "due"))
    linea.posizione = l_.leggi_numero();
  if (contiene_esatto(r, "sfondo") && contiene_esatto(r, "tre")) linea.fine = l_.leggi_numero();
  if (contiene_esatto(r, "segnali") && contiene_esatto(r, "ripetizione")) {
    voce_stazione& treno = t[voce_treno];
    treno.inizio = l_.leggi_numero();
    treno.fine = l_.leggi_numero();
    if (treno.inizio % 50 != 0) return chiudi_con(3);
    if (treno.fine % 50 != 0) return chiudi_con(4);
    if (contiene(r, "4")) {
      treno.posizione = 4;
    } else if (contiene(r, "9")) {
      treno.posizione = 9;
    } else {
      return chiudi_con(5);
    }
    if (treno.fine == 0) treno.posizione = 0;
  }
  return true;
}

void parser_linea::tra_le_parti() {
  progressive_ordina(m_);
  m_.numero_gallerie = 0;
  m_.posto_cartello = primo_posto_cartello;
  indice_pendenza_ = 0;
  m_.compilato.tracciato.tratti.clear();
  if (m_.opzioni.con_tracciato) {
    // The line starts at the origin heading along +y (compiler/punti_tracciato.h).
    if (!m_.compilato.tracciato.creato()) throw guasto(senza_lunghezza);
    m_.compilato.tracciato.seminato = true;
  }
}

bool parser_linea::parte_principale() {
  for (;;) {
    if (l_.fine_file()) return true;
    leggi_campo();
    if (l_.fine_file()) return true;
    for (int i = 0; i < 2; ++i) {
      if (contiene(m_.riga, "-")) {
        leggi_campo();
        if (l_.fine_file()) return true;
      }
    }
    if (!campo_principale()) return false;
    if (errore_15_) return true;
  }
}

bool parser_linea::campo_principale() {
  const std::string r = m_.riga;
  if (contiene(r, "pendenza")) pendenza();
  if (errore_15_) return true;
  if (contiene(r, "curva") && m_.opzioni.con_tracciato && !curva()) return false;
  if (errore_15_) return true;
  if (contiene(r, "montagna") && !montagna()) return false;
  if (errore_15_) return true;
  if (contiene(r, "indicatori_v") && !indicatori()) return false;
  if (errore_15_) return true;
  if (contiene(r, "cartello") && contiene(r, "indicat") && !cartello()) return false;
  return true;
}

bool parser_linea::fuori_percorso(int32_t p) {
  errore_15_ = scenario::fuori_percorso(m_, p, 100);
  return errore_15_;
}

// The gradient in force goes into the next cell, at least once, until `limite`.
void parser_linea::scrivi_pendenze_fino_a(int64_t limite) {
  do {
    if (indice_pendenza_ > m_.ultima_cella) {
      throw guasto("the gradients would fill cell " + std::to_string(indice_pendenza_) +
                   ", past the last cell " + std::to_string(m_.ultima_cella));
    }
    m_.compilato.percorso[static_cast<std::size_t>(indice_pendenza_)].pendenza =
        byte_basso(int64_t{pendenza_precedente_} + 100);
    ++indice_pendenza_;
  } while (indice_pendenza_ < limite);
}

void parser_linea::pendenza() {
  const int32_t p = l_.leggi_numero();
  const int32_t g = l_.leggi_numero();
  if (fuori_percorso(p)) return;
  const int64_t v = cella_senza_uno(p);
  if (v > 0) scrivi_pendenze_fino_a(v);
  pendenza_precedente_ = g;
}

bool parser_linea::curva() {
  const int32_t p = l_.leggi_numero();
  const int32_t n = l_.leggi_numero();
  if (fuori_percorso(p)) return true;
  static constexpr struct {
    const char* cifra;
    double valore;
  } classi[] = {{"1", 0.0001}, {"2", 0.0002}, {"3", 0.0004},
                {"4", 0.001},  {"5", 0.002},  {"6", 0.003}};
  double curvatura = 0;
  const auto classe = std::find_if(std::begin(classi), std::end(classi),
                                   [&](const auto& c) { return contiene(m_.riga, c.cifra); });
  if (classe == std::end(classi)) return chiudi_con(103);
  curvatura = classe->valore;
  if (contiene(m_.riga, "s")) curvatura = -curvatura;
  // Points past lunghezza_estesa - 2 are never computed: the last two stay empty.
  tracciato_compilato& t = m_.compilato.tracciato;
  const int64_t ultimo = t.ultimo_indice() - 2;
  const int64_t fine_curva = int64_t{p} + n;
  const std::pair<int64_t, double> tratti[] = {{p, 0.0}, {fine_curva, curvatura}};
  for (const auto& [fino_a, k] : tratti) {
    t.avanza(std::min({fino_a, ultimo, limite_tracciato}), k);
    if (t.calcolati() > limite_tracciato) return chiudi_con(103);
  }
  return true;
}

bool parser_linea::montagna() {
  int32_t inizio = l_.leggi_numero();
  int32_t fine = l_.leggi_numero();
  int32_t tipo = l_.leggi_numero();
  if (fuori_percorso(inizio)) return true;
  memo_montagna(m_, inizio, fine, tipo);  // records no code
  return true;
}

bool parser_linea::indicatori() {
  int32_t v[9];
  for (int32_t& valore : v) valore = l_.leggi_numero();
  if (fuori_percorso(v[0])) return true;
  const int32_t codice =
      memo_indicatori_v_max(m_, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
  if (codice == 0) return true;
  m_.risultato.posizione = v[0];
  return chiudi_con(codice);
}

bool parser_linea::cartello() {
  const int32_t p = l_.leggi_numero();
  m_.riga = l_.leggi_testo();
  if (fuori_percorso(p)) return true;
  const int64_t c = cella_di(p);
  if (c < 0) {
    throw guasto("signboard at " + std::to_string(p) + " m falls in cell " + std::to_string(c) +
                 ", before cell 0");
  }
  cella& cl = m_.compilato.percorso[static_cast<std::size_t>(c)];
  if (!libera(cl)) {
    m_.risultato.posizione = p;
    return chiudi_con(6);
  }
  if (m_.posto_cartello < 1) throw guasto("no slot left for the signboard text (80 down to 1)");
  if (m_.riga.size() > 32767) {
    throw guasto("signboard text of " + std::to_string(m_.riga.size()) +
                 " bytes, at most 32767 fit");
  }
  cl.tipo = cella_cartello;
  cl.dato_1 = static_cast<int16_t>(m_.posto_cartello);
  m_.compilato.tabella_stazioni[static_cast<std::size_t>(m_.posto_cartello)].nome = m_.riga;
  --m_.posto_cartello;
  return true;
}

// Normal end, or after code 15: gradient tail and straight extension of the track plan.
void parser_linea::fine_descrizione() {
  m_.uscita.consuma_linea = true;
  if (!m_.percorso_creato()) throw guasto(senza_lunghezza);
  scrivi_pendenze_fino_a(m_.ultima_cella - 2);
  if (m_.opzioni.con_tracciato) {
    m_.compilato.tracciato.avanza(m_.lunghezza_estesa - 2, 0.0);
  }
}

}  // namespace

bool fuori_percorso(analisi& m, int32_t p, int32_t margine) {
  if (!m.percorso_creato()) throw guasto(senza_lunghezza);
  if ((static_cast<double>(p) + margine) / 50.0 <= m.ultima_cella) return false;
  m.registra(15, p);
  return true;
}

bool leggi_descrizione_linea(analisi& m, const testi_sorgenti& testi) {
  m.compilato.tabella_stazioni[voce_linea].nome = m.opzioni.nome_linea;
  m.compilato.tabella_stazioni[voce_treno].nome = m.opzioni.numero_treno;
  m.sorgente_corrente = nome_testo_linea(m.opzioni.nome_linea);
  m.riga_sorgente = 0;
  m.colonna_sorgente = 0;
  if (!testi.linea) {
    m.registra(101);
    return false;
  }
  lettore_campi lettore(*testi.linea);
  return parser_linea(m, lettore).esegui();
}

}  // namespace scenario
