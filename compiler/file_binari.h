// Byte layouts of the three compiled files (docs/formato_file.md describes them field by
// field). Every number is little-endian on any host; records have no padding.
#ifndef COMPILER_FILE_BINARI_H_
#define COMPILER_FILE_BINARI_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

#include "compiler/compilatore.h"
#include "compiler/formato_celle.h"
#include "compiler/modello.h"
#include "compiler/sorgenti.h"

namespace scenario {

inline constexpr std::size_t byte_cella = 15;
inline constexpr std::size_t byte_voce_fissi = 34;  // a station record is 34 + name length

// Tags of a track-plan element.
inline constexpr int16_t etichetta_vuoto = 0;
inline constexpr int16_t etichetta_intero = 2;
inline constexpr int16_t etichetta_reale = 5;

inline constexpr int16_t etichetta_di(tracciato_compilato::etichetta e) {
  switch (e) {
    case tracciato_compilato::etichetta::intero:
      return etichetta_intero;
    case tracciato_compilato::etichetta::reale:
      return etichetta_reale;
    case tracciato_compilato::etichetta::vuoto:
      break;
  }
  return etichetta_vuoto;
}

using tabella_stazioni = std::array<voce_stazione, numero_voci_stazione>;

// Each writer takes exactly what its file holds. The track plan's points are computed as
// they are written (compiler/punti_tracciato.h), the x half and then the y half.
void scrivi_tracciato(const tracciato_compilato& t, std::ostream& out);
void scrivi_stazioni(const tabella_stazioni& t, std::ostream& out);
void scrivi_percorso(const std::vector<cella>& percorso, std::ostream& out);

// The three files of a compiled scenario, in the package's order: the track plan (only with
// the plan option), the station table, the cells.
void scrivi_compilati(const scenario_compilato& s, const opzioni_compilazione& o,
                      destinazione_file& uscite);

// Size of the track-plan file of a route of lunghezza_estesa E: 2 x (10 E - 18).
inline constexpr std::size_t byte_tracciato(std::size_t e) { return 2 * (10 * e - 18); }

// The largest file of each kind that the layouts allow for the longest line: its cells, its
// track plan of one point per metre with every point a double, and 87 station records with
// names as long as their 16-bit length allows. A reader refuses a larger file before reading
// it, and a track plan with more points in a half.
inline constexpr std::size_t lunghezza_estesa_massima =
    std::size_t{lunghezza_massima} + metri_oltre_la_fine;
inline constexpr std::size_t byte_massimi_percorso =
    (lunghezza_estesa_massima / metri_per_cella + 1) * byte_cella;
inline constexpr std::size_t byte_massimi_stazioni =
    numero_voci_stazione * (byte_voce_fissi + INT16_MAX);
inline constexpr std::size_t punti_massimi_meta = lunghezza_estesa_massima + 1;
inline constexpr std::size_t byte_massimi_tracciato = 2 * 10 * punti_massimi_meta;
static_assert(byte_massimi_percorso == 302'115 && byte_massimi_stazioni == 2'853'687 &&
              byte_massimi_tracciato == 20'140'020);

// Readers: the inverse of the writers. Each throws `formato_non_valido` for bytes that do
// not fit the layout.
class formato_non_valido : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct punto_letto {
  int16_t etichetta = etichetta_vuoto;
  double valore = 0;  // the Integer or the double, as a number
};

std::vector<cella> leggi_percorso(std::string_view byte);
tabella_stazioni leggi_stazioni(std::string_view byte);
// x half then y half, one element per point: any tags in any order, as the layout allows,
// not only the seeds, computed and empty points of a compiled plan.
struct tracciato_letto {
  std::vector<punto_letto> x, y;
};
tracciato_letto leggi_tracciato(std::string_view byte);
// The same bytes back from what `leggi_tracciato` gave.
void scrivi_tracciato(const tracciato_letto& t, std::ostream& out);

// The track plan read as it arrives, a block at a time, so that a reader holds no copy of the
// file: each element goes to `ricevi` with its half (0 the x half, 1 the y half), with the
// checks of `leggi_tracciato`, which reads through it.
class lettore_tracciato {
 public:
  using ricevitore = std::function<void(int meta, const punto_letto& p)>;
  // A file of `dimensione` bytes; an odd size is refused at once.
  lettore_tracciato(std::uint64_t dimensione, ricevitore ricevi);
  // The next bytes of the file.
  void leggi(std::string_view blocco);
  // After the last block: refuses a file cut short or halves of different lengths.
  void fine();

 private:
  void elemento();
  std::uint64_t dimensione_, meta_;
  ricevitore ricevi_;
  std::uint64_t posizione_ = 0;  // where the element in `parziale_` begins
  char parziale_[10] = {};
  std::size_t n_parziale_ = 0;
  std::uint64_t punti_[2] = {0, 0};
};

}  // namespace scenario

#endif  // COMPILER_FILE_BINARI_H_
