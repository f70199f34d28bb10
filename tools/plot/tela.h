// The drawing layer of `plot`: lines, shapes and text on a page, in page pixels, with one
// implementation that paints a PNG through cairo and one that writes the SVG text itself, so
// that an SVG keeps its words as text. Every coordinate is held to a range both can draw.
#ifndef TOOLS_PLOT_TELA_H_
#define TOOLS_PLOT_TELA_H_

#include <memory>
#include <string>
#include <vector>

namespace scenario::strumento {

struct colore {
  double r, g, b, a = 1;
  colore con_alfa(double alfa) const { return {r, g, b, alfa}; }
};

struct punto {
  double x, y;
};

struct rettangolo {
  double x0, y0, x1, y1;
  bool tocca(const rettangolo& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
  double larghezza() const { return x1 - x0; }
  double altezza() const { return y1 - y0; }
};

enum class allineamento { sinistra, centro, destra };

struct tratto {
  double spessore = 1;
  colore tinta{0, 0, 0};
  bool tratteggio = false;
  bool punta_piatta = false;  // butt ends instead of round ones
};

struct carattere {
  double dimensione = 12;
  bool grassetto = false;
};

// A label: its words, font and colour, and the tooltip an SVG shows over it.
struct testo_posato {
  std::string testo;
  carattere font;
  colore tinta{0, 0, 0};
  std::string titolo;  // the SVG tooltip; empty for none
};

class tela {
 public:
  virtual ~tela() = default;

  virtual void spezzata(const std::vector<punto>& p, const tratto& t) = 0;
  virtual void poligono(const std::vector<punto>& p, const colore& riempi) = 0;
  virtual void cerchio(punto c, double raggio, const colore& riempi, const colore& bordo,
                       const std::string& titolo = "") = 0;
  virtual void rettangolo_pieno(const rettangolo& r, const colore& c) = 0;
  // (x, y) is the baseline point the alignment names; `angolo` turns the text about it.
  virtual void testo(punto p, const testo_posato& t, allineamento a = allineamento::sinistra,
                     double angolo = 0) = 0;
  // Drawing stays inside `r` until the matching `fine_ritaglio`.
  virtual void ritaglia(const rettangolo& r) = 0;
  virtual void fine_ritaglio() = 0;
  // The file's bytes; empty with `errore` set when they cannot be made.
  virtual std::string contenuto(std::string& errore) = 0;

  void linea(punto a, punto b, const tratto& t) { spezzata({a, b}, t); }
};

// The width of `t` in pixels: the same measure for both outputs, so that one layout serves both.
double larghezza_testo(const std::string& t, const carattere& f);

std::unique_ptr<tela> tela_png(int larghezza, int altezza);
std::unique_ptr<tela> tela_svg(int larghezza, int altezza);

// Held to what a cairo surface and an SVG viewer draw exactly: far beyond the page is clipped
// anyway, and NaN becomes 0.
double coordinata_disegnabile(double v);

// The points of an x-ordered line reduced to at most four per pixel column (first, lowest,
// highest, last), which draws the same.
std::vector<punto> per_colonne(const std::vector<punto>& p);

// Releases what cairo and fontconfig keep for the life of the process.
void libera_caratteri();

}  // namespace scenario::strumento

#endif  // TOOLS_PLOT_TELA_H_
