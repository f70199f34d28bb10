// The parse state of one compile, private to the compiler: the scenario being built, the
// options, the tunnel tables, the field last read and where reading stands, and the result
// being recorded. `esegui_compilazione` runs every step on it; tests look inside through it.
#ifndef COMPILER_ANALISI_H_
#define COMPILER_ANALISI_H_

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/compilatore.h"

namespace scenario {

struct analisi {
  explicit analisi(opzioni_compilazione o) : opzioni(std::move(o)) {}
  analisi(const analisi&) = delete;
  analisi& operator=(const analisi&) = delete;

  const opzioni_compilazione opzioni;
  compilazione uscita;
  scenario_compilato& compilato = uscita.scenario;
  esito& risultato = uscita.risultato;

  // Tunnel limits; index 0 is never used, tunnel n stands at index n.
  std::vector<int32_t> inizio_galleria = std::vector<int32_t>(81, 0);
  std::vector<int32_t> fine_galleria = std::vector<int32_t>(81, 0);
  int32_t numero_gallerie = 0;

  int32_t lunghezza_estesa = 0;
  int32_t ultima_cella = -1;
  std::string riga;  // the keyword field last read

  // Next free board-text slot, handed from the line half to the train half.
  int32_t posto_cartello = primo_posto_cartello;

  // Where reading stands: source, line and column of the last keyword field read.
  std::string sorgente_corrente;
  int32_t riga_sorgente = 0;
  int32_t colonna_sorgente = 0;

  bool percorso_creato() const { return !compilato.percorso.empty(); }

  // Records a code (the later one replaces the earlier) where reading stands.
  void registra(int32_t codice) {
    risultato.codice = codice;
    risultato.file = sorgente_corrente;
    risultato.riga = riga_sorgente;
    risultato.colonna = colonna_sorgente;
    risultato.motivo.clear();
  }
  void registra(int32_t codice, int32_t posizione) {
    registra(codice);
    risultato.posizione = posizione;
  }
  // A code found after reading (the progressive check, the pass): no place in a source.
  void registra_senza_luogo(int32_t codice) {
    risultato = esito{codice, risultato.posizione, "", 0, 0, "", 0};
  }
};

// Every step of a compile, on a fresh state.
void esegui_compilazione(const testi_sorgenti& testi, analisi& a);

// Both parsers, with the fault path (code 25) around them.
void memorizza_dati(analisi& a, const testi_sorgenti& testi);

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
