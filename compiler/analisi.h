// The parse state of one compile, private to the compiler: the scenario being built, the
// options, the tunnel tables, where reading stands, what placed each cell's feature, and the
// problems found. `esegui_compilazione` runs every step on it; tests look inside through it.
#ifndef COMPILER_ANALISI_H_
#define COMPILER_ANALISI_H_

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/compilatore.h"
#include "compiler/diagnostica.h"
#include "compiler/lettore_record.h"

namespace scenario {

// The record that put a cell's point feature there, for the notes of a conflict.
struct origine_cella {
  const parola_sorgente* parola = nullptr;  // nullptr: no record (an empty cell)
  file_sorgente file = file_sorgente::linea;
  intervallo_sorgente luogo;  // the record's keyword field
  int32_t posizione = 0;      // the record's position, metres
};

struct analisi {
  explicit analisi(opzioni_compilazione o, modo_analisi m = modo_analisi::ferma)
      : opzioni(std::move(o)), modo(m), problemi(opzioni.problemi_massimi) {}
  analisi(const analisi&) = delete;
  analisi& operator=(const analisi&) = delete;

  const opzioni_compilazione opzioni;
  const modo_analisi modo;
  compilazione uscita;
  scenario_compilato& compilato = uscita.scenario;
  esito& risultato = uscita.risultato;
  raccolta_diagnostiche problemi;

  // Tunnel limits; index 0 is never used, tunnel n stands at index n.
  std::vector<int32_t> inizio_galleria = std::vector<int32_t>(81, 0);
  std::vector<int32_t> fine_galleria = std::vector<int32_t>(81, 0);
  int32_t numero_gallerie = 0;

  int32_t lunghezza_estesa = 0;
  int32_t ultima_cella = -1;

  // Next free board-text slot, handed from the line half to the train half.
  int32_t posto_cartello = primo_posto_cartello;

  // Where reading stands: the source and the record being applied (nullptr between records).
  std::string sorgente_corrente;
  file_sorgente file_corrente = file_sorgente::linea;
  const record_letto* record_corrente = nullptr;
  lettore_record* lettore = nullptr;  // the source's reader, while one is read
  intervallo_sorgente ultima_chiave;  // where reading stood when the reader last stopped

  // What placed each cell's point feature, cell by cell once the route is sized.
  std::vector<origine_cella> origini;
  // The kilometric progressives as read, by the slot they were read into, for code 2.
  struct progressiva_letta {
    const parola_sorgente* parola = nullptr;
    intervallo_sorgente inizio, fine;
    int32_t valore_inizio = 0, valore_fine = 0;
  };
  std::array<progressiva_letta, 3> progressive_lette{};

  bool raccoglie() const { return modo == modo_analisi::raccogli; }
  bool percorso_creato() const { return !compilato.percorso.empty(); }

  // The record being applied is the origin of cell c's feature.
  void segna_origine(int64_t c, int32_t posizione);
  // The same origin as cell `da`'s (the pass's checks).
  void copia_origine(int64_t c, int64_t da);
  const origine_cella* origine(int64_t c) const;
  // The file name of source f.
  std::string nome_sorgente(file_sorgente f) const;

  // Records a code (the later one replaces the earlier) with its problem; the result's place is
  // the record's keyword field, as the package's own message gives it.
  void registra(int32_t codice, diagnostica d);
  void registra(int32_t codice, int32_t posizione, diagnostica d);
  // A code found after reading (the progressive check, the pass): the package's message gives
  // it no place, though its problem may name the record behind it.
  void registra_senza_luogo(int32_t codice, diagnostica d);
  // A warning: the compile goes on as it would without it.
  void avverti(diagnostica d) {
    d.livello = gravita::avviso;
    problemi.aggiungi(std::move(d));
  }
};

// The record being read, for the words of its problems, while this lives.
class record_in_lettura {
 public:
  record_in_lettura(analisi& m, const record_letto& r) : m_(m), prima_(m.record_corrente) {
    m_.record_corrente = &r;
  }
  ~record_in_lettura() { m_.record_corrente = prima_; }
  record_in_lettura(const record_in_lettura&) = delete;
  record_in_lettura& operator=(const record_in_lettura&) = delete;

 private:
  analisi& m_;
  const record_letto* prima_;
};

// Every step of a compile, on a fresh state.
void esegui_compilazione(const testi_sorgenti& testi, analisi& a);

// Both parsers, with the fault path (code 25) around them.
void memorizza_dati(analisi& m, const testi_sorgenti& testi);

// The post-processing pass over the cells.
void passata_percorso(analisi& a);

// Stamps markers and identity codes: 0, or 1250 / 1251 when a field was already in use.
int32_t timbra_identita(analisi& a);

// Recording procedures of the line description. `memo_indicatori_v_max` returns 0 or 21.
void memo_montagna(analisi& a, int32_t& inizio, int32_t& fine, int32_t& tipo);
int32_t memo_indicatori_v_max(analisi& a, int32_t posizione, const int32_t& vas, const int32_t& vbs,
                              const int32_t& vcs, const int32_t& strisces, const int32_t& vad,
                              const int32_t& vbd, const int32_t& vcd, const int32_t& strisced);
void progressive_ordina(analisi& a);

// Recording procedures of the train service: each returns 0 or the code of its conflict.
struct dati_segnale {
  int32_t posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo;
};
int32_t memo_segnale(analisi& a, dati_segnale& s);
struct dati_rallentamento {
  int32_t x, v, l, f_tt, f_ta, d_v;
};
int32_t memo_rallentamento(analisi& a, const dati_rallentamento& r);

}  // namespace scenario

#endif  // COMPILER_ANALISI_H_
