// The properties checked on every fuzzing input (see proprieta.h).
#include "fuzz/proprieta.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <sstream>
#include <vector>

#include "compiler/codici_errore.h"
#include "compiler/compilatore.h"
#include "compiler/file_binari.h"
#include "compiler/nomi_file.h"
#include "compiler/punti_tracciato.h"
#include "tests/file_in_memoria.h"
#include "sources/contenuti.h"

namespace scenario::fuzz {
namespace {

[[noreturn]] void violata(const std::string& cosa) {
  std::fprintf(stderr, "proprieta' violata: %s\n", cosa.c_str());
  std::fflush(stderr);
  std::abort();
}

void esigi(bool vero, const std::string& cosa) {
  if (!vero) violata(cosa);
}

std::string unisci(const std::vector<std::string_view>& righe) {
  std::string t;
  for (auto r : righe) (t += r) += "\r\n";
  return t;
}

// A compile as the package runs it: consumed sources deleted, files written unless an
// identity error stops them.
struct esecuzione {
  opzioni_compilazione o;
  scenario::compilazione c;
  testi_sorgenti sorgenti;  // what is left of the sources
  file_in_memoria file;
};

void compila(esecuzione& e, const std::optional<std::string>& linea,
             const std::optional<std::string>& treno, int32_t j) {
  e.o.con_tracciato = j != 0;
  e.sorgenti.linea = linea;
  e.sorgenti.treno = treno;
  e.c = scenario::compila(e.sorgenti, e.o);
  if (e.c.consuma_linea) e.sorgenti.linea.reset();
  if (e.c.consuma_treno) e.sorgenti.treno.reset();
  if (!e.c.risultato.identita()) scrivi_compilati(e.c.scenario, e.o, e.file);
}

// Codes after which the line half has run to its end steps and the train half has run.
constexpr int32_t codici_linea_finita[] = {0, 2, 7, 8, 9, 10, 15, 16, 17, 18, 19, 20, 22, 24};
// Codes with which the line half returns at once: the train text is neither read nor deleted.
constexpr int32_t codici_treno_non_letto[] = {1, 3, 4, 5, 6, 21, 101, 102, 103};

template <std::size_t n>
bool tra(int32_t codice, const int32_t (&codici)[n]) {
  return std::find(std::begin(codici), std::end(codici), codice) != std::end(codici);
}

bool linea_finita(int32_t codice) { return tra(codice, codici_linea_finita); }
bool treno_non_letto(int32_t codice) { return tra(codice, codici_treno_non_letto); }

void controlla_codice(const esecuzione& c) {
  const int32_t identita = c.c.risultato.errore_identita;
  esigi(identita == 0 || identita == 1250 || identita == 1251,
        "errore di identita' " + std::to_string(identita));
  const int32_t codice = c.c.risultato.codice;
  const auto noto = cerca_codice(codice);
  esigi(codice == 0 || (noto && codice < 1250),
        "codice_errore " + std::to_string(codice) + " fuori dalla tabella");
}

void controlla_sorgenti(const esecuzione& c, bool con_linea, bool con_treno) {
  const int32_t codice = c.c.risultato.codice;
  if (con_linea) esigi(!c.sorgenti.linea, "la descrizione della linea non e' stata cancellata");
  if (linea_finita(codice) || codice == 25) {
    esigi(!c.sorgenti.treno, "il servizio del treno non e' stato cancellato");
  }
  if (treno_non_letto(codice) && con_treno) {
    esigi(c.sorgenti.treno.has_value(), "il servizio del treno cancellato senza essere letto");
  }
}

const std::string* cerca(const esecuzione& c, const std::string& nome) {
  const auto it = c.file.file.find(nome);
  return it == c.file.file.end() ? nullptr : &it->second;
}

// The first point from i on, up to `fino`, that is not tagged e.
std::size_t oltre(const std::vector<punto_letto>& v, std::size_t i, std::size_t fino, int16_t e) {
  while (i < fino && v[i].etichetta == e) ++i;
  return i;
}

// The tags of a compiled plan: two seeds (or two empty points), then computed points in a
// row, then empty points, the same in both halves.
bool etichette_in_ordine(const tracciato_letto& t) {
  const std::size_t n = t.x.size();
  const std::size_t semi = std::min<std::size_t>(2, n);
  const int16_t seme =
      n > 0 && t.x[0].etichetta == etichetta_intero ? etichetta_intero : etichetta_vuoto;
  if (oltre(t.x, 0, semi, seme) != semi) return false;
  const std::size_t vuoti = oltre(t.x, semi, n, etichetta_reale);
  if (oltre(t.x, vuoti, n, etichetta_vuoto) != n || t.y.size() != n) return false;
  for (std::size_t i = 0; i < n; ++i) {
    if (t.y[i].etichetta != t.x[i].etichetta) return false;
  }
  return true;
}

// The plan's file read back holds the model's points, computed one by one beside it.
void controlla_tracciato(const esecuzione& c, const std::string& byte) {
  const tracciato_compilato& m = c.c.scenario.tracciato;
  if (!m.creato()) {
    esigi(byte.empty(),
          "tracciato mai dimensionato ma scritto con " + std::to_string(byte.size()) + " byte");
    return;
  }
  const auto e = static_cast<std::size_t>(m.ultimo_indice());
  tracciato_letto t;
  try {
    t = leggi_tracciato(byte);
  } catch (const formato_non_valido& x) {
    violata(std::string("tracciato illeggibile: ") + x.what());
  }
  esigi(t.x.size() == e + 1 && t.y.size() == e + 1,
        "il tracciato non ha lunghezza_estesa + 1 punti");
  esigi(etichette_in_ordine(t), "etichette del tracciato fuori ordine");
  for (punti_del_tracciato punti(m); punti.altri();) {
    const auto i = static_cast<std::size_t>(punti.indice());
    const punto_tracciato p = punti.prossimo();
    const int16_t etichetta = etichetta_di(p.tipo);
    esigi(t.x[i].etichetta == etichetta &&
              (etichetta == etichetta_vuoto || (t.x[i].valore == p.x && t.y[i].valore == p.y)),
          "il punto " + std::to_string(i) + " riletto differisce dal modello");
  }
  if (linea_finita(c.c.risultato.codice)) {
    esigi(byte.size() == byte_tracciato(e),
          "tracciato di " + std::to_string(byte.size()) + " byte invece di 2 x (10 E - 18)");
  }
}

void controlla_file(const esecuzione& c, int32_t j) {
  const scenario_compilato& m = c.c.scenario;
  const opzioni_compilazione& o = c.o;
  if (c.c.risultato.identita()) {
    esigi(c.file.file.empty(), "file scritti dopo un errore di identita'");
    return;
  }
  esigi(c.file.file.size() == (j != 0 ? 3u : 2u), "numero di file scritti");
  const std::string* celle = cerca(c, nome_percorso(o.nome_linea, o.numero_treno));
  const std::string* stazioni = cerca(c, nome_stazioni(o.nome_linea, o.numero_treno));
  esigi(celle && stazioni, "manca un file compilato");
  esigi(celle->size() == byte_cella * static_cast<std::size_t>(m.ultima_cella() + 1),
        "file delle celle non di 15 x (ultima_cella + 1) byte");
  esigi(leggi_percorso(*celle) == m.percorso, "le celle rilette differiscono dal modello");
  std::size_t nomi = 0;
  for (const voce_stazione& v : m.tabella_stazioni) nomi += v.nome.size();
  esigi(stazioni->size() == numero_voci_stazione * byte_voce_fissi + nomi,
        "file delle stazioni non di 87 x 34 byte piu' i nomi");
  esigi(leggi_stazioni(*stazioni) == m.tabella_stazioni,
        "le stazioni rilette differiscono dal modello");
  if (j != 0) {
    const std::string* tracciato = cerca(c, nome_tracciato(o.nome_linea));
    esigi(tracciato != nullptr, "manca il tracciato");
    controlla_tracciato(c, *tracciato);
  }
}

// Any track plan the reader accepts is written back byte for byte.
void controlla_tracciato_letto(const tracciato_letto& t, std::string_view byte) {
  esigi(t.x.size() == t.y.size(), "meta' del tracciato di lunghezze diverse accettate");
  std::ostringstream out;
  scrivi_tracciato(t, out);
  esigi(out.str() == byte, "tracciato letto e riscritto con byte diversi");
}

}  // namespace

const std::string& linea_spedita() {
  static const std::string t = unisci(righe_linea);
  return t;
}

const std::string& treno_spedito() {
  static const std::string t = unisci(righe_treno);
  return t;
}

void controlla_compilazione(const std::optional<std::string>& linea,
                            const std::optional<std::string>& treno, int32_t j) {
  esecuzione prima;
  compila(prima, linea, treno, j);
  controlla_codice(prima);
  controlla_sorgenti(prima, linea.has_value(), treno.has_value());
  controlla_file(prima, j);
  esecuzione seconda;
  compila(seconda, linea, treno, j);
  const esito& a = prima.c.risultato;
  const esito& b = seconda.c.risultato;
  esigi(a.errore_identita == b.errore_identita && a.codice == b.codice &&
            a.posizione == b.posizione && a.motivo == b.motivo,
        "due compilazioni degli stessi sorgenti hanno esiti diversi");
  esigi(seconda.file.file == prima.file.file,
        "due compilazioni degli stessi sorgenti hanno byte diversi");
}

void controlla_lettori(std::string_view byte) {
  try {
    std::ostringstream out;
    scrivi_percorso(leggi_percorso(byte), out);
    esigi(out.str() == byte, "celle lette e riscritte con byte diversi");
  } catch (const formato_non_valido&) {
    esigi(byte.size() % byte_cella != 0, "file delle celle di 15 x n byte rifiutato");
  }
  try {
    std::ostringstream out;
    scrivi_stazioni(leggi_stazioni(byte), out);
    esigi(out.str() == byte, "stazioni lette e riscritte con byte diverse");
  } catch (const formato_non_valido&) {
  }
  try {
    controlla_tracciato_letto(leggi_tracciato(byte), byte);
  } catch (const formato_non_valido&) {
  }
}

}  // namespace scenario::fuzz
