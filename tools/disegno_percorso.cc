// Drawing of the route picture. The plan is turned so that the chord from the first to the
// last point runs left to right, at one scale on both axes; the profile panels share one
// kilometre axis. Labels are placed where they cover neither other labels nor the track.
#include "tools/disegno_percorso.h"

#include <cairo-svg.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace scenario::strumento {
namespace {

constexpr double larghezza = 1800;
constexpr double altezza = 1230;
constexpr double margine_sx = 95;
constexpr double margine_dx = 60;
constexpr std::size_t righe_stazioni = 4;  // rows of station names above the profile

struct colore {
  double r, g, b, a = 1;
};
constexpr colore nero{0.15, 0.15, 0.15};
constexpr colore grigio{0.55, 0.55, 0.55};
constexpr colore griglia{0.90, 0.90, 0.90};
constexpr colore blu_stazione{0.12, 0.37, 0.75};
constexpr colore rosso_segnale{0.84, 0.15, 0.16};
constexpr colore arancio{1.0, 0.50, 0.05};
constexpr colore marrone{0.45, 0.26, 0.08};
constexpr colore blu_velocita{0.12, 0.47, 0.71};
constexpr colore viola{0.58, 0.40, 0.74};
constexpr colore terra{0.85, 0.78, 0.63, 0.6};
constexpr colore linea_quote_colore{0.35, 0.33, 0.30};

struct rettangolo {
  double x0, y0, x1, y1;
  bool tocca(const rettangolo& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
  bool contiene(double x, double y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

enum class allineamento { sinistra, centro, destra };

// A thin layer over cairo's toy text and path calls.
class tela {
 public:
  explicit tela(cairo_t* cr) : cr_(cr) {
    cairo_select_font_face(cr_, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  }
  cairo_t* cr() const { return cr_; }
  void usa(const colore& c) const { cairo_set_source_rgba(cr_, c.r, c.g, c.b, c.a); }
  void tratto(double spessore, const colore& c, bool tratteggio = false) const {
    usa(c);
    cairo_set_line_width(cr_, spessore);
    const double trattini[] = {5, 4};
    cairo_set_dash(cr_, trattini, tratteggio ? 2 : 0, 0);
    cairo_stroke(cr_);
  }
  void linea(double x0, double y0, double x1, double y1, double spessore, const colore& c,
             bool tratteggio = false) const {
    cairo_move_to(cr_, x0, y0);
    cairo_line_to(cr_, x1, y1);
    tratto(spessore, c, tratteggio);
  }
  void cerchio(double x, double y, double r, const colore& riempi, const colore& bordo) const {
    cairo_new_path(cr_);
    cairo_arc(cr_, x, y, r, 0, 2 * M_PI);
    usa(riempi);
    cairo_fill_preserve(cr_);
    tratto(1, bordo);
  }
  void rettangolo_pieno(const rettangolo& r, const colore& c) const {
    cairo_rectangle(cr_, r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0);
    usa(c);
    cairo_fill(cr_);
  }
  void carattere(double dimensione, bool grassetto = false) const {
    cairo_select_font_face(cr_, "sans-serif", CAIRO_FONT_SLANT_NORMAL,
                           grassetto ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr_, dimensione);
  }
  double larghezza_testo(const std::string& t) const {
    cairo_text_extents_t e;
    cairo_text_extents(cr_, t.c_str(), &e);
    return e.x_advance;
  }
  // x, y is the baseline point given by the alignment.
  void testo(double x, double y, const std::string& t, const colore& c,
             allineamento a = allineamento::sinistra) const {
    const double w = larghezza_testo(t);
    if (a == allineamento::centro) x -= w / 2;
    if (a == allineamento::destra) x -= w;
    usa(c);
    cairo_move_to(cr_, x, y);
    cairo_show_text(cr_, t.c_str());
  }
  void testo_ruotato(double x, double y, double angolo, const std::string& t, const colore& c,
                     allineamento a) const {
    cairo_save(cr_);
    cairo_translate(cr_, x, y);
    cairo_rotate(cr_, angolo);
    testo(0, 0, t, c, a);
    cairo_restore(cr_);
  }

 private:
  cairo_t* cr_;
};

// Names as the picture shows them: runs of blanks made one.
std::string compatto(const std::string& t) {
  std::string r;
  for (char c : t) {
    if (c == ' ' && (r.empty() || r.back() == ' ')) continue;
    r += c;
  }
  while (!r.empty() && r.back() == ' ') r.pop_back();
  return r;
}

// "GALLERIA DI ARONA m 670" -> "ARONA 670 m": the legend already says tunnel.
std::string nome_breve_galleria(const std::string& nome) {
  std::string r = compatto(nome);
  for (const char* testa : {"GALLERIA DI ", "GALLERIA "}) {
    if (r.rfind(testa, 0) == 0) r = r.substr(std::string(testa).size());
  }
  if (const auto m = r.rfind(" m "); m != std::string::npos) {
    r = r.substr(0, m) + " " + r.substr(m + 3) + " m";
  }
  return r;
}

// The smallest of 1, 2, 5 times a power of ten that cuts `intervallo` into at most `parti`.
double passo_tondo(double intervallo, double parti) {
  const double grezzo = std::max(intervallo / parti, 1e-9);
  const double decade = std::pow(10.0, std::floor(std::log10(grezzo)));
  for (double m : {1.0, 2.0, 5.0}) {
    if (m * decade >= grezzo) return m * decade;
  }
  return 10 * decade;
}

// Drawing stays inside a rectangle while this lives.
class ritaglio {
 public:
  ritaglio(const tela& t, const rettangolo& r) : cr_(t.cr()) {
    cairo_save(cr_);
    cairo_rectangle(cr_, r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0);
    cairo_clip(cr_);
  }
  ~ritaglio() { cairo_restore(cr_); }
  ritaglio(const ritaglio&) = delete;
  ritaglio& operator=(const ritaglio&) = delete;

 private:
  cairo_t* cr_;
};

std::string numero(double v, int decimali = 0) {
  char t[32];
  std::snprintf(t, sizeof t, "%.*f", decimali, v);
  return t;
}

// --- Plan view --------------------------------------------------------------------------

// The track plan turned onto its chord: u along, v across (left of travel is +v).
class piano {
 public:
  explicit piano(const tracciato_letto& t) {
    std::size_t n = std::min(t.x.size(), t.y.size());
    while (n > 0 &&
           (t.x[n - 1].etichetta == etichetta_vuoto || t.y[n - 1].etichetta == etichetta_vuoto)) {
      --n;
    }
    if (n == 0) return;
    const double dx = t.x[n - 1].valore - t.x[0].valore;
    const double dy = t.y[n - 1].valore - t.y[0].valore;
    const double angolo = (dx == 0 && dy == 0) ? M_PI / 2 : std::atan2(dy, dx);
    const double c = std::cos(angolo), s = std::sin(angolo);
    punti_.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
      const double x = t.x[i].valore - t.x[0].valore, y = t.y[i].valore - t.y[0].valore;
      punti_.push_back({x * c + y * s, -x * s + y * c});
    }
    for (const auto& p : punti_) {
      umin_ = std::min(umin_, p.u), umax_ = std::max(umax_, p.u);
      vmin_ = std::min(vmin_, p.v), vmax_ = std::max(vmax_, p.v);
    }
  }
  struct punto {
    double u, v;
  };
  bool vuoto() const { return punti_.empty(); }
  // The metre of the last point.
  double ultimo_metro() const { return static_cast<double>(punti_.size()) - 1; }
  // The point at a metre of line, held within the plan.
  punto a(double metri) const {
    const double i = std::clamp(metri, 0.0, static_cast<double>(punti_.size() - 1));
    return punti_[static_cast<std::size_t>(std::lround(i))];
  }
  double umin_ = 1e300, umax_ = -1e300, vmin_ = 1e300, vmax_ = -1e300;

 private:
  std::vector<punto> punti_;
};

// Keeps the boxes of placed labels and the track's screen points, so that a new label goes
// where it covers neither.
class posatore {
 public:
  explicit posatore(rettangolo area) : area_(area) {}
  void ostacolo(double x, double y) { ostacoli_.push_back({x, y}); }
  void occupa(const rettangolo& r) { occupati_.push_back(r); }
  bool libero(const rettangolo& r) const {
    if (r.x0 < area_.x0 || r.x1 > area_.x1 || r.y0 < area_.y0 || r.y1 > area_.y1) return false;
    const rettangolo largo{r.x0 - 3, r.y0 - 3, r.x1 + 3, r.y1 + 3};
    for (const rettangolo& o : occupati_) {
      if (o.tocca(largo)) return false;
    }
    for (const auto& [x, y] : ostacoli_) {
      if (largo.contiene(x, y)) return false;
    }
    return true;
  }
  // The box of a w x h label near (x, y): above or below, further and further away.
  rettangolo posa(double x, double y, double w, double h) {
    for (int passo = 0; passo < 12; ++passo) {
      const double d = 10 + passo * 14.0;
      for (double dx : {-w / 2, -w * 0.15, -w * 0.85}) {
        for (const rettangolo r : {rettangolo{x + dx, y - d - h, x + dx + w, y - d},
                                   rettangolo{x + dx, y + d, x + dx + w, y + d + h}}) {
          if (libero(r)) {
            occupa(r);
            return r;
          }
        }
      }
    }
    const rettangolo r{x - w / 2, y - 10 - h, x + w / 2, y - 10};
    occupa(r);
    return r;
  }

 private:
  rettangolo area_;
  std::vector<rettangolo> occupati_;
  std::vector<std::pair<double, double>> ostacoli_;
};

struct etichetta_piano {
  double metri;
  std::string testo;
  colore tinta;
  double dimensione;
  bool grassetto;
};

class disegno_piano {
 public:
  disegno_piano(const tela& t, const descrizione& d, const piano& p, rettangolo area)
      : t_(t), d_(d), p_(p), area_(area), posa_(area) {
    const double w = area.x1 - area.x0 - 60, h = area.y1 - area.y0 - 150;
    const double du = std::max(p.umax_ - p.umin_, 1000.0), dv = std::max(p.vmax_ - p.vmin_, 1.0);
    scala_ = std::min(w / du, h / dv);
    x0_ = area.x0 + 30 + (w - du * scala_) / 2 - p.umin_ * scala_;
    vmedio_ = (p.vmin_ + p.vmax_) / 2;
    ymedio_ = (area.y0 + 30 + area.y1 - 20) / 2;
  }

  void disegna() {
    const ritaglio dentro(t_, {area_.x0 - 60, area_.y0, area_.x1, area_.y1});
    griglia_km();
    binario();
    gallerie();
    rallentamenti();
    stazioni();
    segnali();
    pietre_chilometriche();
    etichette();
  }

 private:
  double sx(const piano::punto& q) const { return x0_ + q.u * scala_; }
  double sy(const piano::punto& q) const { return ymedio_ - (q.v - vmedio_) * scala_; }
  double sx(double metri) const { return sx(p_.a(metri)); }
  double sy(double metri) const { return sy(p_.a(metri)); }

  void percorri(double da, double a, double passo = 10) const {
    cairo_new_path(t_.cr());
    cairo_move_to(t_.cr(), sx(da), sy(da));
    for (double m = da + passo; m < a; m += passo) cairo_line_to(t_.cr(), sx(m), sy(m));
    cairo_line_to(t_.cr(), sx(a), sy(a));
  }

  // Grid lines every 5 km, labelled in km from the first point.
  void griglia_km() {
    t_.carattere(11);
    const double passo = std::max(1000.0, passo_tondo(p_.umax_ - p_.umin_, 12));
    for (double u = std::floor(p_.umin_ / passo) * passo; u <= p_.umax_ + passo; u += passo) {
      const double x = x0_ + u * scala_;
      if (x < area_.x0 || x > area_.x1) continue;
      t_.linea(x, area_.y0 + 30, x, area_.y1 - 20, 1, griglia);
      t_.testo(x, area_.y1 - 6, numero(u / 1000), grigio, allineamento::centro);
    }
    const double alto = (ymedio_ - area_.y0) / scala_;
    for (double v = std::floor((vmedio_ - alto) / passo) * passo; v <= vmedio_ + alto; v += passo) {
      const double y = ymedio_ - (v - vmedio_) * scala_;
      if (y < area_.y0 + 30 || y > area_.y1 - 20) continue;
      t_.linea(area_.x0, y, area_.x1, y, 1, griglia);
      t_.testo(area_.x0 - 6, y + 4, numero(v / 1000), grigio, allineamento::destra);
    }
    t_.testo(area_.x1, area_.y1 - 6, "km along the chord", grigio, allineamento::destra);
    t_.testo_ruotato(area_.x0 - 40, ymedio_, -M_PI / 2, "km across", grigio, allineamento::centro);
  }

  void binario() {
    const double fine_linea = std::min<double>(d_.lunghezza_linea, p_.ultimo_metro());
    percorri(0, fine_linea, 5);
    t_.tratto(2.2, nero);
    if (fine_linea < p_.ultimo_metro()) {
      percorri(fine_linea, p_.ultimo_metro());
      t_.tratto(1.5, grigio, true);
    }
    for (double m = 0; m <= p_.ultimo_metro(); m += 25) posa_.ostacolo(sx(m), sy(m));
  }

  void gallerie() {
    for (const galleria_descritta& g : d_.gallerie) {
      percorri(metri_strato(g.prima_cella), metri_strato(g.ultima_cella + 1), 5);
      cairo_set_line_cap(t_.cr(), CAIRO_LINE_CAP_BUTT);
      t_.tratto(7, marrone);
      const std::string nome = g.nome.empty() ? "tunnel" : nome_breve_galleria(g.nome);
      etichette_.push_back({(metri_strato(g.prima_cella) + metri_strato(g.ultima_cella + 1)) / 2.0,
                            nome, marrone, 10, false});
    }
  }

  void rallentamenti() {
    for (const rallentamento_descritto& r : d_.rallentamenti) {
      const double da = metri_elemento(r.cella_inizio), a = metri_elemento(r.cella_fine);
      percorri(da, std::max(a, da + 50), 5);
      t_.tratto(9, colore{arancio.r, arancio.g, arancio.b, 0.85});
      if (r.cella_avviso) {
        const double w = metri_elemento(*r.cella_avviso);
        t_.cerchio(sx(w), sy(w), 4, arancio, nero);
      }
      etichette_.push_back(
          {(da + a) / 2, "slow order " + std::to_string(r.velocita) + " km/h", arancio, 12, true});
    }
  }

  void stazioni() {
    for (const stazione_descritta& s : d_.stazioni) {
      percorri(s.voce.inizio, s.voce.fine, 5);
      t_.tratto(5, colore{blu_stazione.r, blu_stazione.g, blu_stazione.b, 0.45});
    }
    for (const stazione_descritta& s : d_.stazioni) {
      t_.cerchio(sx(s.voce.posizione), sy(s.voce.posizione), 5, blu_stazione, colore{1, 1, 1});
      etichette_.insert(etichette_.begin(), {static_cast<double>(s.voce.posizione),
                                             compatto(s.nome), blu_stazione, 13, true});
    }
  }

  void segnali() {
    for (const elemento_descritto& e : d_.elementi) {
      if (e.tipo != cella_segnale) continue;
      t_.cerchio(sx(e.posizione), sy(e.posizione), 3, rosso_segnale, colore{1, 1, 1});
    }
  }

  void pietre_chilometriche() {
    t_.carattere(9);
    const double passo = std::max(1000.0, passo_tondo(p_.ultimo_metro(), 7));
    for (double m = passo; m <= p_.ultimo_metro(); m += passo) {
      const double x = sx(m), y = sy(m);
      t_.linea(x, y - 6, x, y + 6, 1.5, nero);
      const rettangolo r = posa_.posa(x, y, t_.larghezza_testo("00 km") + 2, 10);
      t_.testo((r.x0 + r.x1) / 2, r.y1 - 1, numero(m / 1000) + " km", grigio, allineamento::centro);
    }
  }

  void etichette() {
    for (const etichetta_piano& e : etichette_) {
      t_.carattere(e.dimensione, e.grassetto);
      const double x = sx(e.metri), y = sy(e.metri);
      const double w = t_.larghezza_testo(e.testo), h = e.dimensione;
      const rettangolo r = posa_.posa(x, y, w, h);
      const double ay = r.y1 < y ? r.y1 + 1 : r.y0 - 1;
      const double ax = std::clamp(x, r.x0, r.x1);
      if (std::hypot(ax - x, ay - y) > 12) {
        t_.linea(x, y, ax, ay, 0.7, colore{e.tinta.r, e.tinta.g, e.tinta.b, 0.6});
      }
      t_.testo(r.x0, r.y1 - 0.2 * h, e.testo, e.tinta);
    }
  }

  const tela& t_;
  const descrizione& d_;
  const piano& p_;
  rettangolo area_;
  posatore posa_;
  std::vector<etichetta_piano> etichette_;
  double scala_ = 1, x0_ = 0, vmedio_ = 0, ymedio_ = 0;
};

// --- Profile ----------------------------------------------------------------------------

class disegno_profilo {
 public:
  disegno_profilo(const tela& t, const descrizione& d, const file_letti& f)
      : t_(t), d_(d), quote_(quote_profilo(f.percorso)) {
    metri_max_ = std::max(1000.0, std::ceil(d.celle * 50.0 / 1000) * 1000);
    passo_km_ = std::max(1000.0, passo_tondo(metri_max_, 13));
  }

  void disegna(rettangolo etichette, rettangolo quote, rettangolo velocita) {
    const double y_fine = velocita.y1;
    stazioni(etichette, y_fine);
    pannello_quote(quote);
    pannello_velocita(velocita);
    asse_km(velocita.y1);
  }

 private:
  double px(double metri) const {
    return margine_sx + metri / metri_max_ * (larghezza - margine_sx - margine_dx);
  }

  void cornice(const rettangolo& r, const std::string& titolo) const {
    cairo_rectangle(t_.cr(), r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0);
    t_.tratto(1, grigio);
    t_.carattere(13, true);
    t_.testo(r.x0 + 8, r.y0 + 17, titolo, nero);
  }

  void griglia_km(const rettangolo& r) const {
    for (double m = 0; m <= metri_max_; m += passo_km_ / 5) {
      const bool principale = std::fmod(m, passo_km_) == 0;
      t_.linea(px(m), r.y0, px(m), r.y1, principale ? 1 : 0.5, griglia);
    }
    if (d_.lunghezza_linea > 0 && d_.lunghezza_linea < metri_max_) {
      t_.linea(px(d_.lunghezza_linea), r.y0, px(d_.lunghezza_linea), r.y1, 1, grigio, true);
    }
  }

  void asse_y(const rettangolo& r, double min, double max, double passo,
              const std::string& unita) const {
    t_.carattere(11);
    for (double v = std::ceil(min / passo) * passo; v <= max; v += passo) {
      const double y = r.y1 - (v - min) / (max - min) * (r.y1 - r.y0);
      t_.linea(r.x0, y, r.x1, y, 0.5, griglia);
      t_.linea(r.x0 - 4, y, r.x0, y, 1, grigio);
      t_.testo(r.x0 - 7, y + 4, numero(v), nero, allineamento::destra);
    }
    t_.testo_ruotato(r.x0 - 55, (r.y0 + r.y1) / 2, -M_PI / 2, unita, nero, allineamento::centro);
  }

  void stazioni(const rettangolo& fascia, double y_fine) const {
    std::vector<double> fine_riga;
    for (const stazione_descritta& s : d_.stazioni) {
      const double x = px(std::max(0, s.voce.posizione));
      std::string testo = compatto(s.nome);
      if (s.voce.orario != 0) testo += " " + ora_di(s.voce.orario).substr(0, 5);
      t_.carattere(12, true);
      const double w = t_.larghezza_testo(testo);
      std::size_t riga = 0;
      while (riga < fine_riga.size() && fine_riga[riga] > x - 4) ++riga;
      if (riga == righe_stazioni) {
        riga = static_cast<std::size_t>(std::min_element(fine_riga.begin(), fine_riga.end()) -
                                        fine_riga.begin());
      }
      if (riga == fine_riga.size()) fine_riga.push_back(0);
      fine_riga[riga] = x + w;
      const double y = fascia.y1 - 4 - static_cast<double>(riga) * 15;
      t_.linea(x, y + 3, x, y_fine, 0.8,
               colore{blu_stazione.r, blu_stazione.g, blu_stazione.b, 0.5}, true);
      t_.testo(x + 2, y, testo, blu_stazione);
    }
  }

  void pannello_quote(const rettangolo& r) const {
    double min = 0, max = 1;
    for (double q : quote_) min = std::min(min, q), max = std::max(max, q);
    const double passo = passo_tondo(max - min, 6);
    min = std::floor(min / passo) * passo - passo, max = std::ceil(max / passo) * passo + passo;
    griglia_km(r);
    asse_y(r, min, max, passo, "height, m (relative to km 0)");
    auto y = [&](double q) { return r.y1 - (q - min) / (max - min) * (r.y1 - r.y0); };
    {
      const ritaglio dentro(t_, r);
      terreno(r, y);
      gallerie_nel_profilo(y);
      pendenze(r);
    }
    cornice(r, "Line profile: height from the gradients");
  }

  // The height line over a filled ground.
  template <typename Y>
  void terreno(const rettangolo& r, Y y) const {
    if (quote_.size() < 2) return;
    cairo_new_path(t_.cr());
    cairo_move_to(t_.cr(), px(0), r.y1);
    linea_quote(y);
    cairo_line_to(t_.cr(), px(metri_strato(static_cast<int32_t>(quote_.size()) - 1)), r.y1);
    cairo_close_path(t_.cr());
    t_.usa(terra);
    cairo_fill(t_.cr());
    cairo_new_path(t_.cr());
    linea_quote(y);
    t_.tratto(1.8, linea_quote_colore);
  }

  template <typename Y>
  void linea_quote(Y y) const {
    for (std::size_t c = 0; c < quote_.size(); ++c) {
      cairo_line_to(t_.cr(), px(metri_strato(static_cast<int32_t>(c))), y(quote_[c]));
    }
  }

  template <typename Y>
  void gallerie_nel_profilo(Y y) const {
    for (const galleria_descritta& g : d_.gallerie) {
      cairo_new_path(t_.cr());
      for (int32_t c = g.prima_cella; c <= g.ultima_cella + 1; ++c) {
        const double q =
            c < static_cast<int32_t>(quote_.size()) ? quote_[static_cast<std::size_t>(c)] : 0;
        cairo_line_to(t_.cr(), px(c * 50.0), y(q));
      }
      cairo_set_line_cap(t_.cr(), CAIRO_LINE_CAP_BUTT);
      t_.tratto(7, marrone);
    }
  }

  // Each gradient run's value in per mille, where there is room for it.
  void pendenze(const rettangolo& r) const {
    t_.carattere(10);
    for (const tratto_strato& s : d_.strati.pendenza) {
      if (!s.valore) continue;
      const double x0 = px(metri_strato(s.prima_cella)), x1 = px(metri_strato(s.ultima_cella + 1));
      t_.linea(x0, r.y1 - 14, x0, r.y1, 0.8, grigio);
      const std::string testo = (*s.valore > 0 ? "+" : "") + std::to_string(*s.valore) + "\u2030";
      if (x1 - x0 > t_.larghezza_testo(testo) + 6) {
        t_.testo((x0 + x1) / 2, r.y1 - 4, testo, nero, allineamento::centro);
      }
    }
  }

  double velocita_massima() const {
    double v = 100;
    for (const tratto_strato& s : d_.strati.velocita) v = std::max(v, s.valore.value_or(0) * 1.0);
    for (const elemento_descritto& e : d_.elementi) {
      if (e.tipo == cella_controllo_velocita)
        v = std::max(v, static_cast<double>(e.campi[0].valore));
    }
    for (const rallentamento_descritto& r : d_.rallentamenti) v = std::max(v, r.velocita * 1.0);
    return std::ceil((v + 10) / 20) * 20;
  }

  void pannello_velocita(const rettangolo& r) const {
    const double max = velocita_massima();
    griglia_km(r);
    asse_y(r, 0, max, passo_tondo(max, 10), "speed, km/h");
    auto y = [&](double v) { return r.y1 - v / max * (r.y1 - r.y0); };
    {
      const ritaglio dentro(t_, r);
      for (const rallentamento_descritto& s : d_.rallentamenti) rallentamento(s, r, y);
      cairo_new_path(t_.cr());
      for (const tratto_strato& s : d_.strati.velocita) {
        if (!s.valore) continue;
        cairo_line_to(t_.cr(), px(metri_strato(s.prima_cella)), y(*s.valore));
        cairo_line_to(t_.cr(), px(metri_strato(s.ultima_cella + 1)), y(*s.valore));
      }
      t_.tratto(2.2, blu_velocita);
      punti_velocita(r, y);
    }
    cornice(r, "Speed limit, slow orders, signals and speed checks");
  }

  template <typename Y>
  void rallentamento(const rallentamento_descritto& s, const rettangolo& r, Y y) const {
    const double x0 = px(metri_elemento(s.cella_inizio));
    const double x1 = std::max(px(metri_elemento(s.cella_fine)), x0 + 2);
    t_.rettangolo_pieno({x0, y(s.velocita), x1, r.y1},
                        colore{arancio.r, arancio.g, arancio.b, 0.5});
    t_.linea(x0, y(s.velocita), x1, y(s.velocita), 2.5, arancio);
    t_.carattere(11, true);
    t_.testo(x1 + 4, y(s.velocita) - 4, "slow order " + std::to_string(s.velocita) + " km/h",
             arancio);
    if (s.cella_avviso) {
      const double xa = px(metri_elemento(*s.cella_avviso));
      t_.linea(xa, y(s.velocita), xa, r.y1, 1.2, arancio, true);
      t_.carattere(10);
      t_.testo(xa - 3, y(s.velocita) - 4, "warning", arancio, allineamento::destra);
    }
  }

  template <typename Y>
  void punti_velocita(const rettangolo& r, Y y) const {
    for (const elemento_descritto& e : d_.elementi) {
      const double x = px(e.posizione);
      if (e.tipo == cella_segnale) {
        t_.linea(x, r.y1, x, r.y1 - 12, 1.2, rosso_segnale);
        t_.cerchio(x, r.y1 - 14, 3, rosso_segnale, colore{1, 1, 1});
      } else if (e.tipo == cella_controllo_velocita) {
        const double yv = y(static_cast<double>(e.campi[0].valore));
        cairo_new_path(t_.cr());
        cairo_move_to(t_.cr(), x, yv - 5);
        cairo_line_to(t_.cr(), x + 4, yv);
        cairo_line_to(t_.cr(), x, yv + 5);
        cairo_line_to(t_.cr(), x - 4, yv);
        cairo_close_path(t_.cr());
        t_.usa(viola);
        cairo_fill(t_.cr());
      }
    }
  }

  void asse_km(double y) const {
    t_.carattere(11);
    for (double m = 0; m <= metri_max_; m += passo_km_) {
      t_.linea(px(m), y, px(m), y + 5, 1, nero);
      t_.testo(px(m), y + 18, numero(m / 1000), nero, allineamento::centro);
    }
    t_.testo((margine_sx + larghezza - margine_dx) / 2, y + 36, "km from the start of the line",
             nero, allineamento::centro);
    if (d_.lunghezza_linea > 0 && d_.lunghezza_linea < metri_max_) {
      t_.testo(px(d_.lunghezza_linea) + 4, y - 4, "end of line", grigio);
    }
  }

  const tela& t_;
  const descrizione& d_;
  std::vector<double> quote_;
  double metri_max_ = 1000;
  double passo_km_ = 1000;
};

// --- Page -------------------------------------------------------------------------------

void voce_legenda(const tela& t, double& x, double y, const colore& c, const std::string& nome,
                  int forma) {
  if (forma == 0) t.linea(x, y - 4, x + 22, y - 4, 2.2, c);
  if (forma == 1) t.linea(x, y - 4, x + 22, y - 4, 7, c);
  if (forma == 2) t.cerchio(x + 11, y - 4, 4, c, colore{1, 1, 1});
  t.carattere(12);
  t.testo(x + 28, y, nome, nero);
  x += 40 + t.larghezza_testo(nome);
}

void legenda(const tela& t, double y) {
  double x = margine_sx;
  voce_legenda(t, x, y, nero, "track", 0);
  voce_legenda(t, x, y, marrone, "tunnel", 1);
  voce_legenda(t, x, y, blu_stazione, "station", 2);
  voce_legenda(t, x, y, colore{blu_stazione.r, blu_stazione.g, blu_stazione.b, 0.45},
               "station area", 1);
  voce_legenda(t, x, y, rosso_segnale, "signal", 2);
  voce_legenda(t, x, y, arancio, "slow order", 1);
  voce_legenda(t, x, y, blu_velocita, "speed limit", 0);
  voce_legenda(t, x, y, viola, "speed check", 2);
  voce_legenda(t, x, y, linea_quote_colore, "height", 0);
}

void pagina(cairo_t* cr, const descrizione& d, const file_letti& f) {
  const tela t(cr);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  t.carattere(22, true);
  t.testo(margine_sx, 38, d.linea + "  \u2014  train " + d.treno, nero);
  t.carattere(13);
  t.testo(larghezza - margine_dx, 38,
          std::to_string(d.numeri.stazioni) + " stations, " + std::to_string(d.numeri.segnali) +
              " signals, " + std::to_string(d.numeri.gallerie) + " tunnels, line " +
              numero(d.lunghezza_linea / 1000.0, 1) + " km",
          grigio, allineamento::destra);
  const rettangolo area_piano{margine_sx, 55, larghezza - margine_dx, 500};
  t.carattere(13, true);
  t.testo(area_piano.x0 + 8, area_piano.y0 + 17,
          "Plan view of the track plan (turned: start on the left)", nero);
  if (f.tracciato) {
    const piano p(*f.tracciato);
    if (!p.vuoto()) disegno_piano(t, d, p, area_piano).disegna();
  } else {
    t.carattere(14);
    t.testo((area_piano.x0 + area_piano.x1) / 2, (area_piano.y0 + area_piano.y1) / 2,
            "no track plan: " + d.linea + "_linea.dat is absent", grigio, allineamento::centro);
  }
  disegno_profilo(t, d, f).disegna({margine_sx, 510, larghezza - margine_dx, 580},
                                   {margine_sx, 585, larghezza - margine_dx, 865},
                                   {margine_sx, 885, larghezza - margine_dx, 1135});
  legenda(t, altezza - 22);
}

std::string stato_cairo(cairo_status_t s) {
  return s == CAIRO_STATUS_SUCCESS ? "" : cairo_status_to_string(s);
}

std::string disegna_in_file(const descrizione& d, const file_letti& f, const std::string& file,
                            formato_immagine formato) {
  cairo_surface_t* s =
      formato == formato_immagine::svg
          ? cairo_svg_surface_create(file.c_str(), larghezza, altezza)
          : cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(larghezza),
                                       static_cast<int>(altezza));
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> superficie(
      s, cairo_surface_destroy);
  if (auto e = stato_cairo(cairo_surface_status(s)); !e.empty()) return e;
  cairo_t* cr = cairo_create(s);
  pagina(cr, d, f);
  std::string errore = stato_cairo(cairo_status(cr));
  cairo_destroy(cr);
  if (errore.empty() && formato == formato_immagine::png) {
    errore = stato_cairo(cairo_surface_write_to_png(s, file.c_str()));
  }
  cairo_surface_finish(s);
  if (errore.empty()) errore = stato_cairo(cairo_surface_status(s));
  return errore;
}

}  // namespace

std::string disegna_percorso(const descrizione& d, const file_letti& f, const std::string& file,
                             formato_immagine formato) {
  const std::string errore = disegna_in_file(d, f, file, formato);
  // The fonts that cairo and fontconfig keep for the life of the process are handed back, so
  // that a leak checker sees only what the drawing itself leaves behind.
  cairo_debug_reset_static_data();
  FcFini();
  return errore;
}

}  // namespace scenario::strumento
