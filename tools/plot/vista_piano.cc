// The plan view. Points of the track plan far off the line are held to a bounded distance,
// every path is sampled at a bounded number of points, and features closer than a pixel are
// drawn once, so the work grows with the files and never with the values in them.
#include "tools/plot/vista_piano.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace scenario::strumento {
namespace {

constexpr double distanza_massima = 1e8;  // metres from the first point; beyond is not a route
constexpr double punti_per_tratto = 4000;

// The track plan turned onto its chord: u along, v across (left of travel is +v).
class piano {
 public:
  piano(const tracciato_letto& t, double lunghezza_linea) {
    std::size_t n = std::min(t.x.size(), t.y.size());
    while (n > 0 &&
           (t.x[n - 1].etichetta == etichetta_vuoto || t.y[n - 1].etichetta == etichetta_vuoto)) {
      --n;
    }
    if (n == 0) return;
    ultimo_ = static_cast<double>(n - 1);
    const bool con_coda = lunghezza_linea > 0 && lunghezza_linea < ultimo_;
    fine_linea_ = con_coda ? lunghezza_linea : ultimo_;
    fine_vista_ =
        con_coda ? std::min(ultimo_, fine_linea_ + std::max(0.08 * fine_linea_, 400.0)) : ultimo_;
    std::vector<punto> grezzi(n);
    punto prima{0, 0};
    for (std::size_t i = 0; i < n; ++i) {
      const double x = t.x[i].valore - t.x[0].valore, y = t.y[i].valore - t.y[0].valore;
      if (std::isfinite(x) && std::isfinite(y)) {
        prima = {std::clamp(x, -distanza_massima, distanza_massima),
                 std::clamp(y, -distanza_massima, distanza_massima)};
      }
      grezzi[i] = prima;
    }
    const punto corda = grezzi[static_cast<std::size_t>(std::lround(fine_linea_))];
    const double angolo = (corda.x == 0 && corda.y == 0) ? M_PI / 2 : std::atan2(corda.y, corda.x);
    const double c = std::cos(angolo), s = std::sin(angolo);
    punti_.reserve(n);
    for (const punto& p : grezzi) punti_.push_back({p.x * c + p.y * s, -p.x * s + p.y * c});
    for (std::size_t i = 0; i <= static_cast<std::size_t>(fine_vista_); ++i) {
      umin_ = std::min(umin_, punti_[i].x), umax_ = std::max(umax_, punti_[i].x);
      vmin_ = std::min(vmin_, punti_[i].y), vmax_ = std::max(vmax_, punti_[i].y);
    }
  }

  bool vuoto() const { return punti_.empty(); }
  double fine_linea() const { return fine_linea_; }
  double fine_vista() const { return fine_vista_; }
  double ultimo() const { return ultimo_; }
  // The point at a metre of line, held within what is shown.
  punto a(double metri) const {
    const double i = std::isnan(metri) ? 0 : std::clamp(metri, 0.0, fine_vista_);
    return punti_[static_cast<std::size_t>(std::lround(i))];
  }
  double umin_ = 0, umax_ = 0, vmin_ = 0, vmax_ = 0;

 private:
  std::vector<punto> punti_;
  double ultimo_ = 0, fine_linea_ = 0, fine_vista_ = 0;
};

struct etichetta {
  double metri;
  testo_posato testo;
};

class disegno_piano {
 public:
  disegno_piano(tela& t, posatore& posa, const descrizione& d, const piano& p,
                const rettangolo& area, const opzioni_disegno& o)
      : t_(t), posa_(posa), d_(d), p_(p), area_(area), o_(o) {
    const double w = area.larghezza() - 60, h = area.altezza() - 150;
    const double du = std::max(p.umax_ - p.umin_, 1000.0);
    const double dv = std::max(p.vmax_ - p.vmin_, 1.0);
    scala_ = std::min(w / du, h / dv);
    x0_ = area.x0 + 30 + (w - du * scala_) / 2 - p.umin_ * scala_;
    vmedio_ = (p.vmin_ + p.vmax_) / 2;
    ymedio_ = (area.y0 + 30 + area.y1 - 20) / 2;
    interno_ = {area.x0, area.y0 + 25, area.x1, area.y1 - 18};
  }

  void disegna() {
    t_.ritaglia({area_.x0 - 60, area_.y0, area_.x1, area_.y1});
    griglia_km();
    binario();
    gallerie();
    rallentamenti();
    stazioni();
    segnali();
    etichette();
    pietre_chilometriche();
    etichette_segnali();
    t_.fine_ritaglio();
  }

 private:
  punto schermo(const punto& q) const {
    return {x0_ + q.x * scala_, ymedio_ - (q.y - vmedio_) * scala_};
  }
  punto schermo(double metri) const { return schermo(p_.a(metri)); }
  double metri_per_pixel() const { return 1 / scala_; }

  // The line from `da` to `a` at no more than `punti_per_tratto` points.
  std::vector<punto> tratto_di(double da, double a) const {
    da = std::clamp(da, 0.0, p_.fine_vista()), a = std::clamp(a, 0.0, p_.fine_vista());
    if (!(a >= da)) return {};
    // About a point a pixel, never closer than 5 m.
    const double passo = std::max(5.0, metri_per_pixel());
    const double passi = std::clamp(std::ceil((a - da) / passo), 1.0, punti_per_tratto);
    std::vector<punto> r;
    r.reserve(static_cast<std::size_t>(passi) + 1);
    for (int i = 0; i <= static_cast<int>(passi); ++i)
      r.push_back(schermo(da + (a - da) * i / passi));
    return r;
  }

  // Square grid, labelled in km from the first point; the labels are ticks no label covers.
  void griglia_km() {
    const carattere f{11, false};
    etichetta_tacca({area_.x1, area_.y1 - 6}, "km along the chord", allineamento::destra, f);
    t_.testo({area_.x0 - 40, ymedio_}, {"km across", f, grigio, ""}, allineamento::centro,
             -M_PI / 2);
    const double largo = area_.larghezza() / scala_, alto = (area_.y1 - area_.y0) / scala_;
    const double passo = std::max(1000.0, passo_tondo(std::max(largo, alto), 14));
    const double u0 = std::floor((x0_ - area_.x0) / -scala_ / passo) * passo;
    for (int i = 0; i <= 40; ++i) {
      const double u = u0 + i * passo, x = x0_ + u * scala_;
      if (x > area_.x1) break;
      if (x < area_.x0) continue;
      t_.linea({x, area_.y0 + 30}, {x, area_.y1 - 20}, {1, griglia});
      etichetta_tacca({x, area_.y1 - 6}, numero(u / 1000), allineamento::centro, f);
    }
    const double v0 = std::floor((vmedio_ - alto / 2) / passo) * passo;
    for (int i = 0; i <= 40; ++i) {
      const double v = v0 + i * passo, y = ymedio_ - (v - vmedio_) * scala_;
      if (y < area_.y0 + 30) break;
      if (y > area_.y1 - 20) continue;
      t_.linea({area_.x0, y}, {area_.x1, y}, {1, griglia});
      etichetta_tacca({area_.x0 - 6, y + 4}, numero(v / 1000), allineamento::destra, f);
    }
  }

  void etichetta_tacca(punto p, const std::string& testo, allineamento a, const carattere& f) {
    const double w = larghezza_testo(testo, f);
    const double x0 = a == allineamento::centro   ? p.x - w / 2
                      : a == allineamento::destra ? p.x - w
                                                  : p.x;
    const rettangolo r{x0, p.y - f.dimensione, x0 + w, p.y + 2};
    if (!posa_.libero(r, {area_.x0 - 60, area_.y0, area_.x1, area_.y1})) return;
    posa_.occupa(r);
    t_.testo(p, {testo, f, grigio, ""}, a);
  }

  void binario() {
    const std::vector<punto> linea = tratto_di(0, p_.fine_linea());
    t_.spezzata(linea, {2.2, nero});
    for (std::size_t i = 1; i < linea.size(); ++i) posa_.occupa_segmento(linea[i - 1], linea[i]);
    if (p_.fine_vista() <= p_.fine_linea()) return;
    const std::vector<punto> coda = tratto_di(p_.fine_linea(), p_.fine_vista());
    t_.spezzata(coda, {1.5, grigio, true});
    for (std::size_t i = 1; i < coda.size(); ++i) posa_.occupa_segmento(coda[i - 1], coda[i]);
    if (p_.fine_vista() < p_.ultimo()) {
      const std::string testo =
          "run-out " + numero((p_.ultimo() - p_.fine_linea()) / 1000, 1) + " km \u2192";
      etichette_.push_back({p_.fine_vista(), {testo, {10, false}, grigio, ""}});
    }
  }

  // Runs closer than a pixel are drawn as one; each run drawn gets a label.
  template <typename T, typename Da, typename A>
  std::vector<std::pair<double, double>> unisci(const std::vector<T>& v, Da da, A a) const {
    std::vector<std::pair<double, double>> r;
    for (const T& x : v) {
      const double inizio = da(x), fine = std::max(a(x), inizio);
      if (!r.empty() && inizio - r.back().second < metri_per_pixel()) {
        r.back().second = std::max(r.back().second, fine);
      } else {
        r.push_back({inizio, fine});
      }
    }
    return r;
  }

  void gallerie() {
    std::size_t g = 0;
    for (const auto& [da, a] : unisci(
             d_.gallerie,
             [](const galleria_descritta& x) { return metri_strato(x.prima_cella) * 1.0; },
             [](const galleria_descritta& x) { return metri_strato(x.ultima_cella + 1) * 1.0; })) {
      t_.spezzata(tratto_di(da, a), {7, marrone, false, true});
      // Only named tunnels are labelled: the legend already says what the brown band is.
      while (g < d_.gallerie.size() && metri_strato(d_.gallerie[g].prima_cella) < da) ++g;
      if (g < d_.gallerie.size() && !d_.gallerie[g].nome.empty()) {
        const std::string nome = nome_breve_galleria(d_.gallerie[g].nome);
        etichette_.push_back({(da + a) / 2, {nome, {10, false}, marrone, ""}});
      }
    }
  }

  void rallentamenti() {
    for (const rallentamento_descritto& r : d_.rallentamenti) {
      if (r.cella_avviso) {
        const punto w = schermo(metri_elemento(*r.cella_avviso));
        if (!gia_disegnato(w)) t_.cerchio(w, 4, arancio, nero, "warning board");
      }
    }
    for (const auto& [da, a] : unisci(
             d_.rallentamenti,
             [](const rallentamento_descritto& r) { return metri_elemento(r.cella_inizio) * 1.0; },
             [](const rallentamento_descritto& r) { return metri_elemento(r.cella_fine) * 1.0; })) {
      t_.spezzata(tratto_di(da, std::max(a, da + 50)), {9, arancio.con_alfa(0.85)});
    }
    for (const rallentamento_descritto& r : d_.rallentamenti) {
      const double da = metri_elemento(r.cella_inizio), a = metri_elemento(r.cella_fine);
      const std::string testo = "slow order " + std::to_string(r.velocita) + " km/h";
      etichette_.push_back({(da + a) / 2, {testo, {12, true}, arancio, ""}});
      if (etichette_.size() > 2000) break;
    }
  }

  void stazioni() {
    for (const stazione_descritta& s : d_.stazioni) {
      t_.spezzata(tratto_di(s.voce.inizio, s.voce.fine), {5, blu_stazione.con_alfa(0.45)});
    }
    std::vector<etichetta> nomi;
    for (const stazione_descritta& s : d_.stazioni) {
      const std::string nome = compatto(s.nome);
      const std::string titolo = nome + ": km " + numero(s.voce.posizione / 1000.0, 3) + ", area " +
                                 std::to_string(s.voce.inizio) + " to " +
                                 std::to_string(s.voce.fine) + " m" +
                                 (s.voce.orario != 0 ? ", " + ora_di(s.voce.orario) : "");
      t_.cerchio(schermo(s.voce.posizione), 5, blu_stazione, bianco, titolo);
      nomi.push_back(
          {static_cast<double>(s.voce.posizione), {nome, {13, true}, blu_stazione, titolo}});
    }
    etichette_.insert(etichette_.begin(), nomi.begin(), nomi.end());
  }

  bool gia_disegnato(punto p) {
    const bool uguale = ultimo_segno_ && std::abs(ultimo_segno_->x - p.x) < 1 &&
                        std::abs(ultimo_segno_->y - p.y) < 1;
    ultimo_segno_ = p;
    return uguale;
  }

  static std::string titolo_segnale(const elemento_descritto& e) {
    std::string t =
        "signal at " + std::to_string(e.posizione) + " m, cell " + std::to_string(e.cella);
    for (const campo_descritto& c : e.campi) t += " " + c.nome + "=" + std::to_string(c.valore);
    return t;
  }

  void segnali() {
    ultimo_segno_.reset();
    for (const elemento_descritto& e : d_.elementi) {
      if (e.tipo != cella_segnale || gia_disegnato(schermo(e.posizione))) continue;
      t_.cerchio(schermo(e.posizione), 3, rosso_segnale, bianco, titolo_segnale(e));
    }
  }

  void etichette_segnali() {
    if (!o_.etichette_segnali) return;
    ultimo_segno_.reset();
    const carattere f{9, false};
    int tentativi = 0;  // more than a page can hold; the rest would find no room anyway
    for (const elemento_descritto& e : d_.elementi) {
      if (e.tipo != cella_segnale || gia_disegnato(schermo(e.posizione))) continue;
      if (++tentativi > 2000) break;
      posa_etichetta({static_cast<double>(e.posizione),
                      {numero(e.posizione / 1000.0, 2), f, rosso_segnale, titolo_segnale(e)}});
    }
  }

  void pietre_chilometriche() {
    const carattere f{9, false};
    const double passo = std::max(1000.0, passo_tondo(p_.fine_vista(), 7));
    for (int i = 1; i <= 20 && i * passo <= p_.fine_vista(); ++i) {
      const punto q = schermo(i * passo);
      t_.linea({q.x, q.y - 6}, {q.x, q.y + 6}, {1.5, nero});
      const std::string testo = numero(i * passo / 1000) + " km";
      const double w = larghezza_testo(testo, f) + 2;
      if (const auto r = posa_.posa_vicino(q, w, 10, interno_)) {
        t_.testo({(r->x0 + r->x1) / 2, r->y1 - 1}, {testo, f, grigio, ""}, allineamento::centro);
      }
    }
  }

  void etichette() {
    for (const etichetta& e : etichette_) posa_etichetta(e);
  }

  void posa_etichetta(const etichetta& e) {
    const punto p = schermo(e.metri);
    const double w = larghezza_testo(e.testo.testo, e.testo.font), h = e.testo.font.dimensione;
    const auto r = posa_.posa_vicino(p, w, h, interno_);
    if (!r) return;
    const double ay = r->y1 < p.y ? r->y1 + 1 : r->y0 - 1;
    const double ax = std::clamp(p.x, r->x0, r->x1);
    if (std::hypot(ax - p.x, ay - p.y) > 12) {
      t_.linea(p, {ax, ay}, {0.7, e.testo.tinta.con_alfa(0.6)});
    }
    t_.testo({r->x0, r->y1 - 0.2 * h}, e.testo);
  }

  tela& t_;
  posatore& posa_;
  const descrizione& d_;
  const piano& p_;
  rettangolo area_, interno_{};
  const opzioni_disegno& o_;
  std::vector<etichetta> etichette_;
  std::optional<punto> ultimo_segno_;
  double scala_ = 1, x0_ = 0, vmedio_ = 0, ymedio_ = 0;
};

}  // namespace

void disegna_piano(tela& t, posatore& posa, const descrizione& d, const tracciato_letto& tracciato,
                   const rettangolo& area, const opzioni_disegno& o) {
  const piano p(tracciato, d.lunghezza_linea);
  if (!p.vuoto()) disegno_piano(t, posa, d, p, area, o).disegna();
}

}  // namespace scenario::strumento
