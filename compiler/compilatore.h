// The compiler's procedures. `memorizza_percorso` is the compile driver: it prepares the
// model, parses both sources, runs the post-processing pass, stamps the identity and writes
// the three binary files. The other procedures are its steps, public for tests and tools.
#ifndef COMPILER_COMPILATORE_H_
#define COMPILER_COMPILATORE_H_

#include <cstdint>

#include "compiler/modello.h"
#include "compiler/sorgenti.h"

namespace scenario {

// Compiles the sources into `m` and writes the files (the track plan only when j is not 0).
// Returns 0, or the identity error 1250 or 1251: then no file has been written and the
// caller reports the error through `errore`.
int32_t memorizza_percorso(modello& m, int32_t j, archivio_sorgenti& sorgenti,
                           destinazione_file& uscite);

// Steps 1 to 5 of the driver, without writing: returns 0, 1250 or 1251.
int32_t compila_modello(modello& m, int32_t j, archivio_sorgenti& sorgenti);

// Both parsers, with the general failure path (code 25) around them.
void memorizza_dati(modello& m, archivio_sorgenti& sorgenti);

// The post-processing pass over the cells.
void passata_percorso(modello& m);

// Stamps markers and identity codes: 0, or 1250 / 1251 when a field was already in use.
int32_t timbra_identita(modello& m);
int32_t codice_gara_st(modello& m);
int16_t codice_gara_og(modello& m);

// Recording procedures of the line description.
void memo_montagna(modello& m, int32_t& inizio, int32_t& fine, int32_t& tipo);
void memo_indicatori_v_max(modello& m, int32_t posizione, const int32_t& vas, const int32_t& vbs,
                           const int32_t& vcs, const int32_t& strisces, const int32_t& vad,
                           const int32_t& vbd, const int32_t& vcd, const int32_t& strisced);
void progressive_ordina(modello& m);

// Recording procedures of the train service.
struct dati_segnale {
  int32_t posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo;
};
void memo_segnale(modello& m, dati_segnale& s);
struct dati_rallentamento {
  int32_t x, v, l, f_tt, f_ta, d_v;
};
void memo_rallentamento(modello& m, const dati_rallentamento& r);

}  // namespace scenario

#endif  // COMPILER_COMPILATORE_H_
