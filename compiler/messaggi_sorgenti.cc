// The author's words for the problems of a record and its fields.
#include "compiler/messaggi_sorgenti.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "compiler/aritmetica.h"
#include "compiler/formato_celle.h"
#include "compiler/formato_rallentamento.h"
#include "compiler/nomi_file.h"

namespace scenario {
namespace {

constexpr std::size_t citazione_massima = 40;

std::string taglia(std::string_view testo) {
  if (testo.size() <= citazione_massima) return std::string(testo);
  return std::string(testo.substr(0, citazione_massima - 3)) + "...";
}

const campo_sorgente& campo_di(const record_letto& r, std::size_t k) { return r.parola->campi[k]; }

// "1 station", "3 stations".
std::string quanti(int64_t n, const std::string& nome) {
  return std::to_string(n) + " " + nome + (n == 1 ? "" : "s");
}

std::string nome_sorgente(const analisi& m, file_sorgente f) { return m.nome_sorgente(f); }

// "11 numbers", "16 numbers and its `nome`".
std::string campi_attesi(const parola_sorgente& p) {
  std::size_t numeri = 0;
  std::string testo;
  for (const campo_sorgente& c : p.campi) {
    if (c.testo()) {
      testo = std::string(" and its `") + c.nome + "`";
    } else {
      ++numeri;
    }
  }
  return (numeri == 1 ? std::string("one number") : std::to_string(numeri) + " numbers") + testo;
}

// A record that is one only because its keyword field holds a keyword: a note, or fields
// separated by something other than commas. Nothing for a record written as such.
std::optional<diagnostica> record_per_sbaglio(const analisi& m) {
  const record_letto& r = *m.record_corrente;
  const std::string_view chiave = r.chiave.testo;
  const std::string parola = tra_apici(r.parola->nome());
  if (chiave.find(';') != std::string_view::npos && !sembra_commento(chiave)) {
    diagnostica d = problema_record(
        m, "fields are separated by commas, not `;`: " + tra_apici(chiave) +
               " is read as one keyword field, so " + parola + " finds no numbers after it");
    std::string corretto(chiave);
    std::replace(corretto.begin(), corretto.end(), ';', ',');
    d.correzioni.push_back({"separate the fields with commas", {{d.file, d.dove, corretto}}});
    return d;
  }
  if (sembra_commento(chiave)) {
    return problema_record(m, tra_apici(chiave) + " is read as a " + parola +
                                  " record because it holds " + parola +
                                  ": the sources have no comments, and a note may stand only "
                                  "before `[generale]`");
  }
  return std::nullopt;
}

// The field is not a number: a missing field (the record's line ended and the next line's
// first field was taken), a record by mistake, or a bad value.
diagnostica non_numero(const analisi& m, std::size_t k) {
  const record_letto& r = *m.record_corrente;
  if (std::optional<diagnostica> d = record_per_sbaglio(m)) return *d;
  const campo_letto& campo = r.campi[k];
  if (preso_dalla_riga_dopo(r, k)) {
    diagnostica d =
        problema_record(m, nome_record(r) + " takes " + campi_attesi(*r.parola) +
                               ", and this record has " + std::to_string(k) + ": " +
                               cita(campo.testo) + " on line " + std::to_string(campo.luogo.riga) +
                               " would be its " + tra_apici(campo_di(r, k).nome));
    d.note.push_back(
        {d.file, campo.luogo, "read as the record's " + tra_apici(campo_di(r, k).nome) + " here"});
    return d;
  }
  const std::string_view t = campo.testo;
  const bool cifre = !t.empty() &&
                     std::all_of(t.begin() + (t[0] == '-' || t[0] == '+'), t.end(),
                                 [](char c) { return c >= '0' && c <= '9'; }) &&
                     t.size() > 1;
  if (cifre) {
    return problema_campo(m, k, nome_campo(r, k) + " " + cita(t) + " does not fit 32 bits");
  }
  if (t.find(';') != std::string_view::npos) {
    return problema_campo(
        m, k, nome_campo(r, k) + " is " + cita(t) + ": fields are separated by commas, not `;`");
  }
  return problema_campo(m, k, nome_campo(r, k) + " is " + cita(t) + ", not a whole number");
}

std::optional<diagnostica> campo_mancante(const analisi& m) {
  const record_letto& r = *m.record_corrente;
  if (std::optional<diagnostica> d = record_per_sbaglio(m)) return d;
  return problema_record(m, nome_record(r) + " takes " + campi_attesi(*r.parola) +
                                ", and the file ends after " + std::to_string(r.letti) +
                                (r.letti == 1 ? " field" : " fields"));
}

std::optional<diagnostica> valore_del_campo(const analisi& m, std::size_t k, int32_t& valore) {
  const record_letto& r = *m.record_corrente;
  if (k >= r.letti) return campo_mancante(m);
  const std::optional<int32_t> v = numero_del_campo(r.campi[k].testo);
  if (!v) return non_numero(m, k);
  const campo_sorgente& c = campo_di(r, k);
  int64_t minimo = std::numeric_limits<int32_t>::min(),
          massimo = std::numeric_limits<int32_t>::max();
  if (c.larghezza == larghezza_campo::intero_16) {
    minimo = std::numeric_limits<int16_t>::min();
    massimo = std::numeric_limits<int16_t>::max();
  } else if (c.larghezza == larghezza_campo::byte) {
    minimo = 0;
    massimo = 255;
  }
  if (*v < minimo || *v > massimo) {
    return problema_campo(m, k,
                          nome_campo(r, k) + " " + con_unita(*v, c) + " does not fit its " +
                              (massimo == 255 ? "byte" : "16 bits") + ": the compiler takes " +
                              std::to_string(minimo) + " to " + std::to_string(massimo));
  }
  valore = *v;
  return std::nullopt;
}

// The multiple of `passo` nearest to v, halves away from zero.
int64_t multiplo_vicino(int64_t v, int64_t passo) {
  const int64_t resto = v % passo;
  int64_t r = v - resto;
  if (std::llabs(resto) * 2 >= passo) r += resto < 0 ? -passo : passo;
  return r;
}

}  // namespace

bool sembra_commento(std::string_view chiave) {
  return chiave.starts_with("#") || chiave.starts_with("//") || chiave.starts_with("'") ||
         chiave.starts_with(";") || minuscole(chiave.substr(0, 4)) == "rem ";
}

std::string cita(std::string_view testo) { return "\"" + taglia(testo) + "\""; }
std::string tra_apici(std::string_view testo) { return "`" + taglia(testo) + "`"; }

std::string nome_record(const record_letto& r) {
  const std::string_view chiave = r.chiave.testo;
  const parola_sorgente& p = *r.parola;
  if (p.record == tipo_record::curva) return tra_apici(chiave);
  if (minuscole(chiave) == p.parola) return tra_apici(p.parola);
  return tra_apici(chiave) + " (read as " + tra_apici(p.nome()) + ")";
}

std::string nome_campo(const record_letto& r, std::size_t k) {
  return nome_record(r) + " field " + tra_apici(campo_di(r, k).nome);
}

std::string con_unita(int64_t v, const campo_sorgente& c) {
  return std::to_string(v) + (*c.unita ? std::string(" ") + c.unita : "");
}

intervallo_sorgente luogo_campo(const record_letto& r, std::size_t k) {
  if (k < r.letti) return r.campi[k].luogo;
  intervallo_sorgente dopo = r.ultimo();
  dopo.colonna = dopo.colonna_fine;
  dopo.inizio = dopo.fine;
  return dopo;
}

diagnostica problema_record(const analisi& m, std::string messaggio) {
  diagnostica d;
  d.file = m.sorgente_corrente;
  if (m.record_corrente != nullptr) d.dove = m.record_corrente->chiave.luogo;
  d.messaggio = std::move(messaggio);
  return d;
}

diagnostica problema_campo(const analisi& m, std::size_t k, std::string messaggio) {
  diagnostica d = problema_record(m, std::move(messaggio));
  d.dove = luogo_campo(*m.record_corrente, k);
  return d;
}

std::optional<nota_diagnostica> nota_origine(const analisi& m, int64_t c) {
  const origine_cella* o = m.origine(c);
  if (o == nullptr) return std::nullopt;
  return nota_diagnostica{nome_sorgente(m, o->file), o->luogo,
                          contenuto_cella(m, c) + " in cell " + std::to_string(c) +
                              " comes from this " + tra_apici(o->parola->nome()) + " at " +
                              std::to_string(o->posizione) + " m"};
}

std::string contenuto_cella(const analisi& m, int64_t c) {
  const cella& cl = m.compilato.percorso[static_cast<std::size_t>(c)];
  const origine_cella* o = m.origine(c);
  switch (cl.tipo) {
    case cella_segnale:
      return "a signal";
    case cella_fine_rallentamento:
      return "the end of a slow order";
    case cella_inizio_rallentamento:
      return "the start of a slow order";
    case cella_avviso_rallentamento:
      return "the warning board of a slow order";
    case cella_prima_avviso:
      return "a cell before a slow order's warning board";
    case cella_indicatore_velocita:
      return "a speed-indicator board";
    case cella_fermata:
      if (cl.dato_1 >= 1 && cl.dato_1 < numero_voci_stazione) {
        return "the stop marker of station " +
               tra_apici(m.compilato.tabella_stazioni[static_cast<std::size_t>(cl.dato_1)].nome);
      }
      return "a station's stop marker";
    case cella_controllo_velocita:
      return o != nullptr && o->parola->record == tipo_record::abbattimento
                 ? "an `abbattimento` speed code"
                 : "a speed check";
    case cella_abbattimento_nullo:
      return "an `abbattimento` marker";
    case cella_cartello:
      return "a signboard";
    default:
      return "a feature of kind " + std::to_string(cl.tipo);
  }
}

std::string_view testo_campo(const analisi& m, std::size_t k) {
  const record_letto& r = *m.record_corrente;
  if (k >= r.letti) throw guasto(*campo_mancante(m));
  return r.campi[k].testo;
}

std::optional<diagnostica> problema_numero(const analisi& m, std::size_t k) {
  const record_letto& r = *m.record_corrente;
  if (r.parola->campi[k].testo()) {
    if (k >= r.letti) return campo_mancante(m);
    return std::nullopt;
  }
  int32_t v = 0;
  return valore_del_campo(m, k, v);
}

bool preso_dalla_riga_dopo(const record_letto& r, std::size_t k) {
  if (k >= r.letti || numero_del_campo(r.campi[k].testo)) return false;
  // A bad number split onto the next line is a bad value, not a field the line lacks.
  const std::string_view t = r.campi[k].testo;
  if (t.empty() || std::string_view("+-0123456789").find(t.front()) != std::string_view::npos) {
    return false;
  }
  return r.campi[k].luogo.riga > (k == 0 ? r.chiave : r.campi[k - 1]).luogo.riga;
}

void rifiuta(const analisi& m, std::size_t k, int64_t v) {
  if (std::optional<diagnostica> d = problema_accettati(m, k, v)) throw guasto(std::move(*d));
  guasto_campo(m, k,
               nome_campo(*m.record_corrente, k) + " " + std::to_string(v) +
                   " puts the record's cell outside the route");
}

diagnostica problema_occupata(const analisi& m, std::size_t k, int32_t p, int64_t c,
                              std::string_view cosa) {
  const record_letto& r = *m.record_corrente;
  diagnostica d =
      problema_campo(m, k,
                     std::string(cosa) + nome_record(r) + " at " + std::to_string(p) +
                         " m falls in cell " + std::to_string(c) + " (" +
                         std::to_string(metri_elemento(c)) + " m), which already holds " +
                         contenuto_cella(m, c) + ": two point features never share a 50 m cell");
  if (std::optional<nota_diagnostica> n = nota_origine(m, c)) d.note.push_back(std::move(*n));
  return d;
}

int32_t numero(const analisi& m, std::size_t k) {
  int32_t v = 0;
  if (std::optional<diagnostica> d = valore_del_campo(m, k, v)) throw guasto(std::move(*d));
  return v;
}

std::optional<diagnostica> problema_multiplo(const analisi& m, std::size_t k, int32_t valore) {
  const record_letto& r = *m.record_corrente;
  const campo_sorgente& c = campo_di(r, k);
  if (c.multiplo == 0 || valore % c.multiplo == 0) return std::nullopt;
  diagnostica d = problema_campo(m, k,
                                 nome_campo(r, k) + " " + con_unita(valore, c) +
                                     " is not a multiple of " + std::to_string(c.multiplo));
  d.codice = c.codice_multiplo;
  const std::string vicino = std::to_string(multiplo_vicino(valore, c.multiplo));
  d.correzioni.push_back({"round to " + vicino, {{d.file, d.dove, vicino}}});
  return d;
}

std::optional<diagnostica> problema_accettati(const analisi& m, std::size_t k, int64_t valore) {
  const record_letto& r = *m.record_corrente;
  const campo_sorgente& c = campo_di(r, k);
  const valori_accettati& a = c.accettati;
  if (valore >= a.minimo && valore <= a.massimo) return std::nullopt;
  const bool sotto = valore < a.minimo;
  std::string messaggio = nome_campo(r, k) + " " + con_unita(valore, c) + " is " +
                          (sotto ? "below " + con_unita(a.minimo, c) + ", the least"
                                 : "over " + con_unita(a.massimo, c) + ", the most") +
                          " the compiler takes";
  if (*c.regola) messaggio += std::string(": ") + c.regola;
  diagnostica d = problema_campo(m, k, messaggio);
  d.codice = sotto ? a.codice_sotto : a.codice_sopra;
  return d;
}

diagnostica problema_oltre_percorso(const analisi& m, std::size_t k, int32_t p, int32_t margine) {
  const record_letto& r = *m.record_corrente;
  const int64_t lunghezza = m.lunghezza_estesa - metri_oltre_la_fine;
  diagnostica d = problema_campo(
      m, k,
      nome_campo(r, k) + " " + std::to_string(p) + " m is beyond the route: on this " +
          std::to_string(lunghezza) + " m line, whose cells run " +
          std::to_string(metri_oltre_la_fine) + " m past its end, a " +
          tra_apici(r.parola->nome()) + " stands at " +
          std::to_string(int64_t{m.ultima_cella} * metri_per_cella - margine) + " m at most");
  d.codice = 15;
  d.posizione = p;
  return d;
}

diagnostica problema_rallentamento(const analisi& m, const dati_rallentamento& r, int32_t codice) {
  const int64_t avviso = cella_di(int64_t{r.x} - metri_avviso);
  switch (codice) {
    case 17:
      return problema_occupata(m, 0, r.x, avviso, "the warning board 1200 m before ");
    case 18:
      return problema_occupata(m, 0, r.x, cella_di(r.x), "");
    case 19:
      return problema_occupata(m, 2, r.x, cella_di(int64_t{r.x} + r.l), "the end of ");
    case 20: {
      const int64_t a = cella_senza_uno(int64_t{r.x} - metri_avviso);
      int64_t c = a;
      while (c > a - celle_prima_avviso + 1 && c >= 0 && c <= m.ultima_cella &&
             libera(m.compilato.percorso[static_cast<std::size_t>(c)])) {
        --c;
      }
      diagnostica d = problema_occupata(m, 4, r.x, c,
                                        "one of the four cells before the warning "
                                        "board of ");
      d.correzioni.push_back({"set `f_ta` to 0", {{d.file, d.dove, "0"}}});
      return d;
    }
    default:
      return {};
  }
}

diagnostica problema_stazione_vicina(const analisi& m, const voce_stazione& r, int32_t n,
                                     const intervallo_sorgente& precedente) {
  const voce_stazione& prima = m.compilato.tabella_stazioni[static_cast<std::size_t>(n - 1)];
  const int64_t distanza = int64_t{r.inizio} - prima.fine;
  diagnostica d = problema_campo(
      m, 0,
      "station " + tra_apici(r.nome) + "'s area starts at " + std::to_string(r.inizio) + " m, " +
          (distanza < 0 ? "before" : "only " + std::to_string(distanza) + " m after") +
          " station " + tra_apici(prima.nome) + "'s ends at " + std::to_string(prima.fine) +
          " m: station areas must be 350 m apart, and stations in order along the line");
  if (precedente.valido()) {
    d.note.push_back({d.file, precedente, "station " + tra_apici(prima.nome) + " is here"});
  }
  return d;
}

diagnostica problema_senza_posto(const analisi& m) {
  const int32_t cartelli = primo_posto_cartello - m.posto_cartello;
  return problema_record(m,
                         "no station slot left: stations and signboard texts share slots 1 "
                         "to 80, and with " +
                             quanti(cartelli, "signboard") + " there is room for " +
                             quanti(std::max(0, m.posto_cartello - 2), "station"));
}

diagnostica problema_progressive(const analisi& m) {
  for (const analisi::progressiva_letta& p : m.progressive_lette) {
    if (p.parola == nullptr) continue;
    const bool inizio = p.valore_inizio % 50 != 0;
    if (!inizio && p.valore_fine % 50 == 0) continue;
    const campo_sorgente& c = p.parola->campi[inizio ? 0 : 1];
    diagnostica d;
    d.file = nome_sorgente(m, file_sorgente::linea);
    d.dove = inizio ? p.inizio : p.fine;
    d.messaggio = tra_apici(p.parola->nome()) + " field " + tra_apici(c.nome) + " " +
                  std::to_string(inizio ? p.valore_inizio : p.valore_fine) +
                  " m is not a multiple of 50";
    return d;
  }
  return diagnostica_di("a kilometric progressive is not a multiple of 50");
}

void guasto_campo(const analisi& m, std::size_t k, const std::string& messaggio) {
  throw guasto(problema_campo(m, k, messaggio));
}

void guasto_record(const analisi& m, const std::string& messaggio) {
  throw guasto(problema_record(m, messaggio));
}

}  // namespace scenario
