// What `scenario-tool dump` and `plot` show of a compiled scenario: the three files read back
// and decoded into named values (stations, line-wide slots, identity, point features, layers
// as runs). Decoding lives here, printing and drawing in the subcommands.
#ifndef TOOLS_DUMP_DESCRIZIONE_SCENARIO_H_
#define TOOLS_DUMP_DESCRIZIONE_SCENARIO_H_

#include <array>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/file_binari.h"
#include "compiler/formato_celle.h"
#include "compiler/identita.h"
#include "compiler/modello.h"
#include "compiler/testo_1252.h"

namespace scenario::strumento {

// What the track plan holds: points per half and elements of each kind in both halves.
struct tracciato_descritto {
  bool presente = false;
  std::size_t punti = 0;
  std::size_t interi = 0;
  std::size_t reali = 0;
  std::size_t vuoti = 0;
};

// The compiled files as read back; the track plan may be missing. Its summary is made as it is
// read, and its points are kept only when asked for: the picture needs them, the description
// does not.
struct file_letti {
  std::vector<cella> percorso;
  std::array<voce_stazione, numero_voci_stazione> stazioni{};
  tracciato_descritto piano;                 // `presente` false without the file
  std::optional<tracciato_letto> tracciato;  // the points, when kept
};

// Adds an element of the half `meta` (0 x, 1 y) to the summary of a track plan.
void conta_punto(tracciato_descritto& t, int meta, const punto_letto& p);
// A track plan already in memory given to `f`, its points kept, with its summary.
void metti_tracciato(file_letti& f, tracciato_letto t);

// Reads ROUTE_TRAIN.dat, ROUTE_TRAIN.sim and, when it exists, ROUTE_linea.dat, each refused
// before it is read when it is larger than a compile can make it; the track plan is read a
// block at a time, and its points are kept only `con_punti`. A file that is missing,
// unreadable or damaged gives nothing after "scenario-tool: FILE: REASON" on standard error:
// dump and plot then end with uscita_compilato_danneggiato.
std::optional<file_letti> leggi_compilati(const std::filesystem::path& cartella,
                                          const std::string& linea, const std::string& treno,
                                          bool con_punti = false);

// "hh:mm:ss" of a time in seconds since midnight.
std::string ora_di(int32_t secondi);

// The most cells a route file may hold here: every metre of every cell, and of the cell after
// the last, fits 32 bits. No compiled route comes near (a 57 km line has 1281 cells).
inline constexpr int32_t celle_massime = INT32_MAX / metri_per_cella;

// The metre where a point feature of cell c stands, and where a layer cell c begins, for the
// cells of a file that was read.
inline int32_t metri_elemento(int32_t c) {
  return static_cast<int32_t>(scenario::metri_elemento(c));
}
inline int32_t metri_strato(int32_t c) { return static_cast<int32_t>(scenario::metri_strato(c)); }

struct campo_descritto {
  std::string nome;
  int64_t valore = 0;
};

struct stazione_descritta {
  int slot = 0;
  std::string nome;  // UTF-8
  voce_stazione voce;
  std::optional<int32_t> cella_fermata;  // the kind-10 cell that names this slot
};

struct valore_voce {
  std::string campo;  // field of voce_stazione
  int64_t valore = 0;
  std::string significato;
};

// One of the line-wide slots 81 to 86.
struct voce_linea_descritta {
  int slot = 0;
  std::string significato;
  std::string nome;  // UTF-8
  std::vector<valore_voce> valori;
};

struct identita_descritta {
  std::string linea_nel_file;  // slot 85 nome
  std::string treno_nel_file;  // slot 86 nome
  int32_t marcatore_voce = 0;  // slot 85 intero_1
  int32_t codice_pesato = 0;   // slot 85 orario
  bool cella_1_presente = false;
  int32_t marcatore_cella = 0;  // cell 1 dato_1
  int32_t codice_semplice = 0;  // cell 1 dato_2
  codici_identita attesi;       // from the route and train asked for
  bool marcatori_validi = false;
  bool codici_corrispondono = false;
  bool nomi_corrispondono = false;
  bool corrisponde() const {
    return marcatori_validi && codici_corrispondono && nomi_corrispondono;
  }
};

// A cell with a point feature, its kind named and its values unpacked.
struct elemento_descritto {
  int32_t cella = 0;
  int32_t posizione = 0;  // metres
  uint8_t tipo = 0;
  std::string genere;  // the kind's name ("segnale", "cartello", ...)
  std::vector<campo_descritto> campi;
  std::string testo;   // station name or board text, UTF-8
  std::string avviso;  // set when a value points outside the station table
};

// Start, end and warning board of one slow order.
struct rallentamento_descritto {
  int32_t cella_inizio = 0;
  int32_t cella_fine = 0;  // equal to the start when no end cell follows
  int32_t velocita = 0;    // km/h
  int32_t d_v = 0;
  int32_t f_tt = 0;
  std::optional<int32_t> cella_avviso;
  int celle_prima_avviso = 0;
};

// Equal bytes of one layer over consecutive cells.
struct tratto_strato {
  int32_t prima_cella = 0;
  int32_t ultima_cella = 0;
  int32_t byte = 0;
  std::optional<int32_t> valore;  // km/h, per mille, adhesion or tunnel type; none if unset
};

struct strati_descritti {
  std::vector<tratto_strato> velocita;
  std::vector<tratto_strato> pendenza;
  std::vector<tratto_strato> aderenza;
  std::vector<tratto_strato> galleria;  // only the runs inside tunnels
};

struct galleria_descritta {
  int32_t prima_cella = 0;
  int32_t ultima_cella = 0;
  int tipo = 0;
  int lampade = 0;
  std::string nome;  // the signboard that announces it, when there is one
};

// One curve as the track plan turns: the points of a run that each turn the line by the same
// class, the same way. Two curves of one class and one direction that touch are one run.
struct curva_descritta {
  int64_t inizio = 0;     // metre of the last point before the turn: the record's start
  int64_t lunghezza = 0;  // points that turn: the record's length
  int classe = 0;         // 1 to 6; 0 for a turn of none of the classes
  bool sinistra = false;  // `curvas`; otherwise `curvad`, to the right
  double curvatura = 0;   // radians per metre: the class's, or the first point's for class 0
};

// "curvad4", "curvas1"; "" for class 0.
std::string parola_curva(const curva_descritta& c);
// Metres, about 1 / curvature, rounded.
int64_t raggio_curva(const curva_descritta& c);

// Calls fai(c) for each curve of the plan, in order along the line.
void per_ogni_curva(const tracciato_letto& t,
                    const std::function<void(const curva_descritta&)>& fai);

struct conteggi {
  int stazioni = 0;
  int segnali = 0;
  int rallentamenti = 0;
  int indicatori_velocita = 0;
  int cartelli = 0;
  int gallerie = 0;
  int curve = 0;
  int controlli_velocita = 0;
  int lampade = 0;
};

struct descrizione {
  std::string linea;  // route and train asked for
  std::string treno;
  int32_t celle = 0;
  int32_t lunghezza_linea = 0;  // slot 84 fine
  std::vector<stazione_descritta> stazioni;
  std::vector<voce_linea_descritta> voci_linea;
  identita_descritta identita;
  std::size_t numero_elementi = 0;
  std::vector<elemento_descritto> elementi;  // empty unless asked for
  std::vector<rallentamento_descritto> rallentamenti;
  std::vector<galleria_descritta> gallerie;  // empty unless asked for
  strati_descritti strati;                   // empty unless asked for
  tracciato_descritto tracciato;
  conteggi numeri;
};

// The point features, layer runs and tunnels are many on a long route; `dump` leaves them out
// and asks for them one at a time instead.
descrizione descrivi(const file_letti& f, const std::string& linea, const std::string& treno,
                     bool con_elementi = true);

enum class strato { velocita, pendenza, aderenza, galleria };

// Calls fai(t) for each run of equal bytes of a layer in cell order; for the tunnel layer,
// only the runs inside tunnels.
void per_ogni_tratto(const std::vector<cella>& p, strato s,
                     const std::function<void(const tratto_strato&)>& fai);

// Calls fai(g) for each tunnel in cell order, named and with its lamps counted.
void per_ogni_galleria(const file_letti& f,
                       const std::function<void(const galleria_descritta&)>& fai);

// The point feature of cell c (its kind not 0).
elemento_descritto descrivi_elemento(const file_letti& f, int32_t c);

// Calls fai(e) for each point feature in cell order.
template <typename F>
void per_ogni_elemento(const file_letti& f, F fai) {
  for (std::size_t i = 0; i < f.percorso.size(); ++i) {
    if (f.percorso[i].tipo != cella_libera) fai(descrivi_elemento(f, static_cast<int32_t>(i)));
  }
}

// A signboard's text as one line: "(GALLERIA DI)(ARONA      )(m 670      )" gives
// "GALLERIA DI ARONA m 670".
std::string testo_cartello(const std::string& t);
// Whether a signboard's text announces a tunnel: it holds "GALLERIA", any case.
bool annuncia_galleria(const std::string& t);

// Height in metres at the start of each cell, from 0 at cell 0, adding each cell's gradient
// over its 50 m. The profile ends after the last cell with a gradient; unset cells are flat.
std::vector<double> quote_profilo(const std::vector<cella>& percorso);

}  // namespace scenario::strumento

#endif  // TOOLS_DUMP_DESCRIZIONE_SCENARIO_H_
