// The line description half of `memorizza_dati`: line constants into the special slots,
// route size, gradients, curves into the track plan, tunnels, boards and signboards.
#include <algorithm>
#include <optional>

#include "compiler/analisi.h"
#include "compiler/aritmetica.h"
#include "compiler/avvisi_sorgenti.h"
#include "compiler/classi_curva.h"
#include "compiler/messaggi_sorgenti.h"
#include "compiler/nomi_file.h"
#include "compiler/parser.h"

namespace scenario {
namespace {

class parser_linea {
 public:
  parser_linea(analisi& m, lettore_record& l) : m_(m), l_(l) {}

  // False when the parse ended with a code that returns at once.
  bool esegui();

 private:
  bool leggi();
  passo campo(const record_letto& r);
  passo lunghezza();
  passo progressiva(int slot);
  passo ripetizione();
  void dimensiona();
  void tra_le_parti();
  passo pendenza();
  passo curva();
  passo montagna();
  passo indicatori();
  passo cartello();
  void fine_descrizione();

  bool fuori_percorso(int32_t p) {
    return scenario::fuori_percorso(m_, 0, p, m_.record_corrente->parola->margine);
  }
  passo chiudi_con(int32_t codice, diagnostica d);
  // Why there is no route: a length refused has had its own problem, so this one says what
  // follows from it.
  const char* senza_percorso() const {
    return lunghezza_rifiutata_ ? lunghezza_rifiutata : senza_lunghezza;
  }
  passo chiudi_con(int32_t codice, int32_t posizione, diagnostica d);
  void scrivi_pendenze_fino_a(int64_t limite);
  void avvisa_curva_sovrapposta(int32_t p);
  void avvisa_galleria_vuota(int32_t inizio, int32_t fine);

  analisi& m_;
  lettore_record& l_;
  bool in_generale_ = true;
  bool da_dimensionare_ = false;      // a length was read since the route was last sized
  bool senza_percorso_ = false;       // a check reads on with no route: no feature is applied
  bool lunghezza_rifiutata_ = false;  // the last length read was not taken
  int32_t indice_pendenza_ = 0;
  int32_t pendenza_precedente_ = 0;
  int64_t fine_curva_precedente_ = -1;
  intervallo_sorgente curva_precedente_;
};

// A code that ends the whole parse: the line text is consumed, the train text is not.
passo parser_linea::chiudi_con(int32_t codice, diagnostica d) {
  m_.uscita.consuma_linea = true;
  m_.registra(codice, std::move(d));
  return passo::errore;
}

passo parser_linea::chiudi_con(int32_t codice, int32_t posizione, diagnostica d) {
  m_.uscita.consuma_linea = true;
  m_.registra(codice, posizione, std::move(d));
  return passo::errore;
}

bool parser_linea::esegui() {
  try {
    return leggi();
  } catch (...) {
    // Nothing in the general section touches the cells or the plan, so the route is sized once,
    // by the last length read, however the section ends: a fault too.
    if (in_generale_) dimensiona();
    throw;
  }
}

bool parser_linea::leggi() {
  for (;;) {
    switch (l_.prossimo()) {
      case evento_lettura::senza_generale:
        chiudi_con(102, problema_record(m_,
                                        "the line description ends before its `[generale]` "
                                        "header, and nothing before it is read"));
        return m_.raccoglie();
      case evento_lettura::fine_generale:
        in_generale_ = false;
        dimensiona();
        protetto(m_, [&] { tra_le_parti(); });
        break;
      case evento_lettura::fine_testo:
        protetto(m_, [&] { fine_descrizione(); });
        return true;
      case evento_lettura::record: {
        const record_letto& r = l_.record();
        // Until it is taken: a check passes over a record with a bad field.
        if (r.parola->record == tipo_record::lunghezza) lunghezza_rifiutata_ = true;
        const passo p = applica_record(m_, r, [&] { return campo(r); });
        if (p == passo::errore) {
          if (in_generale_) dimensiona();
          return false;
        }
        if (p == passo::fine_normale) {
          fine_descrizione();
          return true;
        }
        break;
      }
    }
  }
}

// Every keyword the field holds reads its own values, in the order of the parser's tests.
passo parser_linea::campo(const record_letto& r) {
  voce_stazione& linea = m_.compilato.tabella_stazioni[voce_linea];
  switch (r.parola->record) {
    case tipo_record::lunghezza:
      return lunghezza();
    case tipo_record::progressiva_tre:
      return progressiva(voce_progressiva_tre);
    case tipo_record::progressiva_due:
      return progressiva(voce_progressiva_due);
    case tipo_record::progressiva_uno:
      return progressiva(voce_progressiva_uno);
    case tipo_record::sfondo_uno:
      linea.inizio = numero(m_, 0);
      return passo::avanti;
    case tipo_record::sfondo_due:
      linea.posizione = numero(m_, 0);
      return passo::avanti;
    case tipo_record::sfondo_tre:
      linea.fine = numero(m_, 0);
      return passo::avanti;
    case tipo_record::ripetizione:
      return ripetizione();
    default:
      break;
  }
  if (senza_percorso_) return passo::avanti;
  switch (r.parola->record) {
    case tipo_record::pendenza:
      return pendenza();
    case tipo_record::curva:
      return curva();
    case tipo_record::montagna:
      return montagna();
    case tipo_record::indicatori:
      return indicatori();
    case tipo_record::cartello:
      return cartello();
    default:
      return passo::avanti;
  }
}

passo parser_linea::lunghezza() {
  const int32_t l = numero(m_, 0);
  m_.compilato.tabella_stazioni[voce_treno_linea].fine = l;
  if (std::optional<diagnostica> d = problema_accettati(m_, 0, l)) {
    if (d->codice != 25) return chiudi_con(d->codice, std::move(*d));
    throw guasto(std::move(*d));
  }
  lunghezza_rifiutata_ = false;
  m_.lunghezza_estesa = l + metri_oltre_la_fine;
  m_.ultima_cella = static_cast<int32_t>(ultima_cella_di(l));
  da_dimensionare_ = true;
  return passo::avanti;
}

passo parser_linea::progressiva(int slot) {
  voce_stazione& v = m_.compilato.tabella_stazioni[static_cast<std::size_t>(slot)];
  v.inizio = numero(m_, 0);
  v.fine = numero(m_, 1);
  v.posizione = numero(m_, 2);
  const record_letto& r = *m_.record_corrente;
  m_.progressive_lette[static_cast<std::size_t>(slot - voce_progressiva_tre)] = {
      r.parola, luogo_campo(r, 0), luogo_campo(r, 1), v.inizio, v.fine};
  return passo::avanti;
}

passo parser_linea::ripetizione() {
  voce_stazione& treno = m_.compilato.tabella_stazioni[voce_treno];
  treno.inizio = numero(m_, 0);
  treno.fine = numero(m_, 1);
  if (std::optional<diagnostica> d = problema_multiplo(m_, 0, treno.inizio)) {
    return chiudi_con(d->codice, std::move(*d));
  }
  if (std::optional<diagnostica> d = problema_multiplo(m_, 1, treno.fine)) {
    return chiudi_con(d->codice, std::move(*d));
  }
  const std::string_view chiave = m_.record_corrente->chiave.testo;
  if (contiene(chiave, "4")) {
    treno.posizione = 4;
  } else if (contiene(chiave, "9")) {
    treno.posizione = 9;
  } else {
    diagnostica d = problema_record(m_, tra_apici(chiave) +
                                            " holds neither \"4\" nor \"9\" for the number of "
                                            "codes the cab repeats");
    d.correzioni.push_back({"write `ripetizione segnali 4 codici`",
                            {{d.file, d.dove, "ripetizione segnali 4 codici"}}});
    return chiudi_con(5, std::move(d));
  }
  if (treno.fine == 0) treno.posizione = 0;
  return passo::avanti;
}

void parser_linea::dimensiona() {
  if (!da_dimensionare_) return;
  da_dimensionare_ = false;
  m_.compilato.percorso.assign(static_cast<std::size_t>(m_.ultima_cella) + 1, cella{});
  m_.origini.assign(m_.compilato.percorso.size(), origine_cella{});
  if (m_.opzioni.con_tracciato) {
    m_.compilato.tracciato = tracciato_compilato{};
    m_.compilato.tracciato.ultimo = m_.lunghezza_estesa;
  }
}

void parser_linea::tra_le_parti() {
  progressive_ordina(m_);
  m_.numero_gallerie = 0;
  m_.posto_cartello = primo_posto_cartello;
  indice_pendenza_ = 0;
  m_.compilato.tracciato.tratti.clear();
  // A check reads on without a route, applying no feature: the problem is said once.
  const bool senza_piano = m_.opzioni.con_tracciato && !m_.compilato.tracciato.creato();
  if (m_.raccoglie() && (senza_piano || !m_.percorso_creato())) {
    senza_percorso_ = true;
    throw guasto(senza_percorso());
  }
  if (m_.opzioni.con_tracciato) {
    // The line starts at the origin heading along +y (compiler/punti_tracciato.h).
    if (senza_piano) throw guasto(senza_percorso());
    m_.compilato.tracciato.seminato = true;
  }
}

// The gradient in force goes into the next cell, at least once, until `limite`.
void parser_linea::scrivi_pendenze_fino_a(int64_t limite) {
  do {
    if (indice_pendenza_ > m_.ultima_cella) {
      throw guasto(
          problema_record(m_, "the gradients would fill cell " + std::to_string(indice_pendenza_) +
                                  ", past the last cell " + std::to_string(m_.ultima_cella) +
                                  ": each `pendenza` out of order fills one more cell"));
    }
    m_.compilato.percorso[static_cast<std::size_t>(indice_pendenza_)].pendenza =
        byte_basso(int64_t{pendenza_precedente_} + 100);
    ++indice_pendenza_;
  } while (indice_pendenza_ < limite);
}

passo parser_linea::pendenza() {
  const int32_t p = numero(m_, 0);
  const int32_t g = numero(m_, 1);
  if (fuori_percorso(p)) return passo::fine_normale;
  const int64_t v = cella_senza_uno(p);
  if (v > 0) scrivi_pendenze_fino_a(v);
  pendenza_precedente_ = g;
  return passo::avanti;
}

// A curve that starts before the previous one ends turns from where that one stopped.
void parser_linea::avvisa_curva_sovrapposta(int32_t p) {
  if (fine_curva_precedente_ < 0 || p >= fine_curva_precedente_) return;
  const record_letto& r = *m_.record_corrente;
  diagnostica d = problema_campo(
      m_, 0,
      nome_record(r) + " starts at " + std::to_string(p) +
          " m, inside the previous curve, which ends at " + std::to_string(fine_curva_precedente_) +
          " m: the track plan turns from " + std::to_string(fine_curva_precedente_) +
          " m instead, and curves must not overlap");
  d.note.push_back({d.file, curva_precedente_, "the previous curve"});
  m_.avverti(std::move(d));
}

passo parser_linea::curva() {
  const int32_t p = numero(m_, 0);
  const int32_t n = numero(m_, 1);
  if (fuori_percorso(p)) return passo::fine_normale;
  const std::string_view chiave = m_.record_corrente->chiave.testo;
  const auto classe = std::find_if(std::begin(classi_curva), std::end(classi_curva),
                                   [&](const auto& c) { return contiene(chiave, c.cifra); });
  if (classe == std::end(classi_curva)) {
    return chiudi_con(103, problema_record(m_, tra_apici(chiave) +
                                                   " holds no curve class, a digit 1 to 6: "
                                                   "write `curvad4` for a right curve of class 4"));
  }
  double curvatura = classe->curvatura;
  if (contiene(chiave, "s")) curvatura = -curvatura;
  avvisa_curva_sovrapposta(p);
  fine_curva_precedente_ = std::max<int64_t>(fine_curva_precedente_, int64_t{p} + n);
  curva_precedente_ = m_.record_corrente->chiave.luogo;
  // Points past lunghezza_estesa - 2 are never computed: the last two stay empty.
  tracciato_compilato& t = m_.compilato.tracciato;
  const int64_t ultimo = t.ultimo_indice() - 2;
  const int64_t fine_curva = int64_t{p} + n;
  const std::pair<int64_t, double> tratti[] = {{p, 0.0}, {fine_curva, curvatura}};
  for (const auto& [fino_a, k] : tratti) {
    t.avanza(std::min({fino_a, ultimo, punti_massimi_tracciato}), k);
    if (t.calcolati() > punti_massimi_tracciato) {
      return chiudi_con(
          103, problema_campo(m_, 1,
                              nome_record(*m_.record_corrente) + " takes the track plan to point " +
                                  std::to_string(std::min(fino_a, ultimo)) +
                                  ", past its 1000000 points"));
    }
  }
  return passo::avanti;
}

// A tunnel that spans no whole cell is kept in the tunnel list but marks no cell.
void parser_linea::avvisa_galleria_vuota(int32_t inizio, int32_t fine) {
  if (cella_senza_uno(inizio) <= cella_prima_di(fine)) return;
  const record_letto& r = *m_.record_corrente;
  if (fine < inizio) {
    diagnostica d = problema_campo(m_, 1,
                                   nome_record(r) + " ends at " + std::to_string(fine) +
                                       " m, before its start at " + std::to_string(inizio) +
                                       " m, so no cell is marked as a tunnel");
    d.correzioni.push_back({"swap start and end",
                            {{d.file, r.campi[0].luogo, std::string(r.campi[1].testo)},
                             {d.file, r.campi[1].luogo, std::string(r.campi[0].testo)}}});
    return m_.avverti(std::move(d));
  }
  m_.avverti(problema_campo(
      m_, 1,
      nome_record(r) + " from " + std::to_string(inizio) + " m to " + std::to_string(fine) +
          " m spans no whole cell of 50 m, so no cell is marked as a tunnel"));
}

passo parser_linea::montagna() {
  int32_t inizio = numero(m_, 0);
  int32_t fine = numero(m_, 1);
  int32_t tipo = numero(m_, 2);
  if (fuori_percorso(inizio)) return passo::fine_normale;
  avvisa_galleria_vuota(inizio, fine);
  memo_montagna(m_, inizio, fine, tipo);  // records no code
  return passo::avanti;
}

passo parser_linea::indicatori() {
  int32_t v[9];
  for (std::size_t k = 0; k < 9; ++k) v[k] = numero(m_, k);
  if (fuori_percorso(v[0])) return passo::fine_normale;
  const int32_t codice =
      memo_indicatori_v_max(m_, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
  if (codice == 0) return passo::avanti;
  return chiudi_con(codice, v[0], problema_occupata(m_, 0, v[0], cella_di(v[0]), ""));
}

passo parser_linea::cartello() {
  const int32_t p = numero(m_, 0);
  const std::string testo(testo_campo(m_, 1));
  if (fuori_percorso(p)) return passo::fine_normale;
  const int64_t c = cella_di(p);
  if (c < 0) rifiuta(m_, 0, p);
  cella& cl = m_.compilato.percorso[static_cast<std::size_t>(c)];
  if (!libera(cl)) return chiudi_con(6, p, problema_occupata(m_, 0, p, c, ""));
  if (m_.posto_cartello < 1) {
    guasto_record(m_,
                  "no slot left for the signboard's text: stations and signboards share "
                  "slots 1 to 80, and 80 signboards fill them");
  }
  if (testo.size() > 32767) {
    guasto_campo(m_, 1,
                 nome_campo(*m_.record_corrente, 1) + " of " + std::to_string(testo.size()) +
                     " bytes is too long: at most 32767 fit");
  }
  cl.tipo = cella_cartello;
  cl.dato_1 = static_cast<int16_t>(m_.posto_cartello);
  m_.segna_origine(c, p);
  m_.compilato.tabella_stazioni[static_cast<std::size_t>(m_.posto_cartello)].nome = testo;
  --m_.posto_cartello;
  return passo::avanti;
}

// Normal end, or after code 15: gradient tail and straight extension of the track plan.
void parser_linea::fine_descrizione() {
  m_.uscita.consuma_linea = true;
  if (senza_percorso_) return;
  if (!m_.percorso_creato()) throw guasto(senza_percorso());
  scrivi_pendenze_fino_a(m_.ultima_cella - 2);
  if (m_.opzioni.con_tracciato) {
    m_.compilato.tracciato.avanza(m_.lunghezza_estesa - 2, 0.0);
  }
}

}  // namespace

bool fuori_percorso(analisi& m, std::size_t k, int32_t p, int32_t margine) {
  if (!m.percorso_creato()) throw guasto(senza_lunghezza);
  if ((static_cast<double>(p) + margine) / 50.0 <= m.ultima_cella) return false;
  m.registra(15, p, problema_oltre_percorso(m, k, p, margine));
  return true;
}

bool leggi_descrizione_linea(analisi& m, const testi_sorgenti& testi) {
  m.compilato.tabella_stazioni[voce_linea].nome = m.opzioni.nome_linea;
  m.compilato.tabella_stazioni[voce_treno].nome = m.opzioni.numero_treno;
  m.sorgente_corrente = nome_testo_linea(m.opzioni.nome_linea);
  m.file_corrente = file_sorgente::linea;
  m.ultima_chiave = {};
  if (!testi.linea) {
    m.registra(101, diagnostica_di("the line description is missing"));
    return m.raccoglie();
  }
  std::optional<controlli_lettura> controlli;
  if (m.opzioni.con_avvisi) controlli.emplace(m, file_sorgente::linea, *testi.linea);
  lettore_record lettore(file_sorgente::linea, *testi.linea, m.opzioni.con_tracciato,
                         controlli ? &*controlli : nullptr);
  const lettura_in_corso in_corso(m, lettore);
  return parser_linea(m, lettore).esegui();
}

}  // namespace scenario
