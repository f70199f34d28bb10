// The properties checked on every fuzzing input (see proprieta.h).
#include "fuzz/proprieta.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <sstream>
#include <streambuf>
#include <string_view>
#include <vector>

#include "compiler/byte_le.h"
#include "compiler/codici_errore.h"
#include "compiler/compilatore.h"
#include "compiler/file_binari.h"
#include "compiler/nomi_file.h"
#include "compiler/punti_tracciato.h"
#include "compiler/sorgenti.h"
#include "sources/carico.h"
#include "sources/contenuti.h"
#include "sources/nome_valido.h"

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

// What a stream writes, appended to a string.
class accoda : public std::streambuf {
 public:
  explicit accoda(std::string& s) : s_(s) {}

 protected:
  int_type overflow(int_type c) override {
    if (!traits_type::eq_int_type(c, traits_type::eof()))
      s_.push_back(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char* p, std::streamsize n) override {
    s_.append(p, static_cast<std::size_t>(n));
    return n;
  }

 private:
  std::string& s_;
};

// The files of a compile in memory, in strings kept from one input to the next: a track plan
// of megabytes then takes no fresh memory, and no copying as it grows, for every input. Only
// the room is kept: everything else a run allocates it frees, or libFuzzer would look for a
// leak after every input.
class file_riusati : public destinazione_file {
 public:
  // Room 0 for the first compile of an input, 1 for the second.
  explicit file_riusati(int stanza) : spazio_(stanze()[stanza]) {}

  void scrivi(const std::string& nome_file,
              const std::function<void(std::ostream&)>& contenuto) override {
    std::string& f = spazio_[nome_file];
    f.clear();
    accoda b(f);
    std::ostream out(&b);
    contenuto(out);
    scritti_[nome_file] = f;
  }
  const std::map<std::string, std::string_view>& scritti() const { return scritti_; }

 private:
  static std::array<std::map<std::string, std::string>, 2>& stanze() {
    static std::array<std::map<std::string, std::string>, 2> s;
    return s;
  }
  std::map<std::string, std::string>& spazio_;
  std::map<std::string, std::string_view> scritti_;
};

// A compile as the package runs it: consumed sources deleted, files written unless an
// identity error stops them.
struct esecuzione {
  explicit esecuzione(int stanza) : file(stanza) {}
  opzioni_compilazione o;
  scenario::compilazione c;
  testi_sorgenti sorgenti;  // what is left of the sources
  file_riusati file;
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

const std::string_view* cerca(const esecuzione& c, const std::string& nome) {
  const auto it = c.file.scritti().find(nome);
  return it == c.file.scritti().end() ? nullptr : &it->second;
}

// One half of the plan's file, element after element, against the elements the model says
// it holds: a two-byte tag, then an Integer of two bytes or a double of eight. The computed
// points, by far the most, are checked a row at a time in one loop.
class meta_attesa {
 public:
  meta_attesa(std::string_view byte, std::size_t da, std::size_t a)
      : p_(byte.data() + da), fine_(byte.data() + a) {}
  bool finita() const { return p_ == fine_; }

  // True when the next element is exactly the tag e with the value v (none when empty).
  bool segue(int16_t e, double v) {
    const std::size_t n = e == etichetta_reale ? 8 : e == etichetta_intero ? 2 : 0;
    if (resto() < 2 + n || leggi_le<2>(p_) != static_cast<uint16_t>(e)) return false;
    const char* valore = p_ + 2;
    p_ += 2 + n;
    if (n == 8) return leggi_le<8>(valore) == std::bit_cast<uint64_t>(v);
    return n == 0 || leggi_le<2>(valore) == static_cast<uint16_t>(static_cast<int16_t>(v));
  }
  // Room for n more computed points.
  bool reali(int64_t n) const { return resto() / byte_reale >= static_cast<std::size_t>(n); }
  // The next computed point, its room checked by `reali`.
  bool reale(double v) {
    const bool uguale =
        leggi_le<2>(p_) == etichetta_reale && leggi_le<8>(p_ + 2) == std::bit_cast<uint64_t>(v);
    p_ += byte_reale;
    return uguale;
  }

 private:
  static constexpr std::size_t byte_reale = 2 + 8;
  std::size_t resto() const { return static_cast<std::size_t>(fine_ - p_); }
  const char* p_;
  const char* fine_;
};

[[noreturn]] void punto_diverso(int64_t i) {
  violata("il punto " + std::to_string(i) + " del tracciato scritto non e' quello del modello");
}

// The plan's file holds, byte for byte, one point per metre up to lunghezza_estesa in each
// half, each the model's point computed beside it: the seeds (or nothing), the computed
// points in a row, then empty points. The message is made only for a point that breaks the
// property: the loops run a million times on a long route.
void controlla_tracciato(const esecuzione& c, std::string_view byte) {
  const tracciato_compilato& m = c.c.scenario.tracciato;
  if (!m.creato()) {
    esigi(byte.empty(),
          "tracciato mai dimensionato ma scritto con " + std::to_string(byte.size()) + " byte");
    return;
  }
  esigi(byte.size() % 2 == 0, "tracciato di " + std::to_string(byte.size()) + " byte, dispari");
  meta_attesa x(byte, 0, byte.size() / 2), y(byte, byte.size() / 2, byte.size());
  for (punti_del_tracciato punti(m); punti.altri();) {
    int64_t i = punti.indice();
    const auto [tipo, quanti] = punti.prossima_fila();
    if (tipo == tracciato_compilato::etichetta::reale) {
      if (!x.reali(quanti) || !y.reali(quanti)) punto_diverso(i);
      punti.calcola(quanti, [&](double px, double py) {
        if (!x.reale(px) || !y.reale(py)) punto_diverso(i);
        ++i;
      });
    } else if (tipo == tracciato_compilato::etichetta::vuoto) {
      for (const int64_t fine = i + quanti; i < fine; ++i) {
        if (!x.segue(etichetta_vuoto, 0) || !y.segue(etichetta_vuoto, 0)) punto_diverso(i);
      }
      punti.salta_vuoti(quanti);
    } else {
      const punto_tracciato p = punti.prossimo();
      if (!x.segue(etichetta_intero, p.x) || !y.segue(etichetta_intero, p.y)) punto_diverso(i);
    }
  }
  esigi(x.finita() && y.finita(), "il tracciato ha piu' di lunghezza_estesa + 1 punti");
  if (linea_finita(c.c.risultato.codice)) {
    const auto e = static_cast<std::size_t>(m.ultimo_indice());
    esigi(byte.size() == byte_tracciato(e),
          "tracciato di " + std::to_string(byte.size()) + " byte invece di 2 x (10 E - 18)");
  }
}

void controlla_file(const esecuzione& c, int32_t j) {
  const scenario_compilato& m = c.c.scenario;
  const opzioni_compilazione& o = c.o;
  if (c.c.risultato.identita()) {
    esigi(c.file.scritti().empty(), "file scritti dopo un errore di identita'");
    return;
  }
  esigi(c.file.scritti().size() == (j != 0 ? 3u : 2u), "numero di file scritti");
  const std::string_view* celle = cerca(c, nome_percorso(o.nome_linea, o.numero_treno));
  const std::string_view* stazioni = cerca(c, nome_stazioni(o.nome_linea, o.numero_treno));
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
    const std::string_view* tracciato = cerca(c, nome_tracciato(o.nome_linea));
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

// No byte that could drive a terminal: a C0 control, DEL, or a UTF-8 C1 control.
bool per_terminale(std::string_view t) {
  for (std::size_t i = 0; i < t.size(); ++i) {
    const auto c = static_cast<unsigned char>(t[i]);
    const auto dopo = i + 1 < t.size() ? static_cast<unsigned char>(t[i + 1]) : 0;
    if (c < 0x20 || c == 0x7F || (c == 0xC2 && dopo >= 0x80 && dopo < 0xA0)) return false;
  }
  return true;
}

void controlla_carico_letto(const carico_letto& l, std::string_view byte) {
  if (l.stato != stato_carico::letto) {
    esigi(l.stato != stato_carico::illeggibile, "byte in memoria detti illeggibili");
    esigi(!l.perche.empty() && per_terminale(l.perche), "motivo vuoto o non stampabile");
    return;
  }
  esigi(l.inizio <= byte.size() && codifica_carico(l.c) == byte.substr(l.inizio),
        "carico letto e ricodificato con byte diversi");
  esigi(nome_non_valido(l.c.linea).empty() && nome_non_valido(l.c.treno).empty() &&
            nomi_in_conflitto(l.c.linea, l.c.treno).empty(),
        "carico letto con nomi non validi");
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
  esecuzione prima(0);
  compila(prima, linea, treno, j);
  controlla_codice(prima);
  controlla_sorgenti(prima, linea.has_value(), treno.has_value());
  controlla_file(prima, j);
  esecuzione seconda(1);
  compila(seconda, linea, treno, j);
  const esito& a = prima.c.risultato;
  const esito& b = seconda.c.risultato;
  esigi(a.errore_identita == b.errore_identita && a.codice == b.codice &&
            a.posizione == b.posizione && a.motivo == b.motivo,
        "due compilazioni degli stessi sorgenti hanno esiti diversi");
  esigi(seconda.file.scritti() == prima.file.scritti(),
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

void controlla_carico(std::string_view byte) {
  const carico_letto l = trova_carico(byte);
  controlla_carico_letto(l, byte);
  carico nuovo;
  nuovo.linea = "NUOVA";
  nuovo.treno = "1";
  nuovo.testo_linea = "[generale]\r\n";
  nuovo.documenti[0] = "nota\r\n";
  const std::optional<std::string> unito = unisci_carico(byte, nuovo);
  const bool unibile = l.stato == stato_carico::letto || l.stato == stato_carico::assente;
  esigi(unito.has_value() == unibile, "unione a un runtime con un carico danneggiato");
  if (!unito) return;
  const carico_letto r = trova_carico(*unito);
  esigi(r.stato == stato_carico::letto && r.c == nuovo &&
            r.inizio == (l.stato == stato_carico::letto ? l.inizio : byte.size()),
        "il carico unito non si rilegge uguale");
}

}  // namespace scenario::fuzz
