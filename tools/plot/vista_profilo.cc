// The profile. Lines along the cells are reduced to what each pixel column shows and runs
// closer than a pixel are drawn once, so that a file of any size draws in time linear in it;
// every label goes through the placer, so none covers another or a tick label.
#include "tools/plot/vista_profilo.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace scenario::strumento {
namespace {

constexpr double quota_coda = 0.06;  // width share of the run-out when it would take more

// Metres to x: the line over most of the width, the run-out after it in a strip of its own
// when at the line's scale it would take more than that strip.
class asse_metri {
 public:
  asse_metri(double fine, double fine_linea, double x0, double x1) : x0_(x0), x1_(x1) {
    fine_ = std::max(1000.0, fine);
    fine_linea_ = fine_linea > 0 && fine_linea < fine_ ? fine_linea : fine_;
    const double quota = (fine_ - fine_linea_) / fine_;
    x_linea_ =
        quota > quota_coda ? x1 - quota_coda * (x1 - x0) : x0 + fine_linea_ / fine_ * (x1 - x0);
  }
  double x(double m) const {
    // Past the end without a run-out, the line's scale goes on (off the panel).
    if (m <= fine_linea_ || !con_coda()) return x0_ + m / fine_linea_ * (x_linea_ - x0_);
    return x_linea_ + (m - fine_linea_) / (fine_ - fine_linea_) * (x1_ - x_linea_);
  }
  double fine() const { return fine_; }
  double fine_linea() const { return fine_linea_; }
  bool con_coda() const { return fine_linea_ < fine_; }
  bool compattata() const { return con_coda() && (fine_ - fine_linea_) / fine_ > quota_coda; }
  double x_linea() const { return x_linea_; }
  double x1() const { return x1_; }

 private:
  double x0_, x1_, fine_ = 1000, fine_linea_ = 1000, x_linea_ = 0;
};

// Values to y in a panel.
struct asse_valori {
  rettangolo r;
  double min, max;
  double y(double v) const { return r.y1 - (v - min) / (max - min) * r.altezza(); }
};

class disegno_profilo {
 public:
  disegno_profilo(tela& t, posatore& posa, const descrizione& d, const file_letti& f)
      : t_(t),
        posa_(posa),
        d_(d),
        quote_(quote_profilo(f.percorso)),
        asse_(std::ceil(d.celle * 50.0 / 1000) * 1000, d.lunghezza_linea, margine_sx,
              larghezza_pagina - margine_dx) {
    passo_km_ = std::max(1000.0, passo_tondo(asse_.fine_linea(), 13));
  }

  disegnato_nel_profilo disegna(const aree_profilo& a) {
    etichette_asse_km(a.velocita.y1);
    stazioni(a.nomi, a.velocita.y1);
    pannello_quote(a.quote);
    pannello_velocita(a.velocita);
    return fatto_;
  }

 private:
  double px(double metri) const { return asse_.x(metri); }

  // A label placed in `area` at the first free of the baseline points given.
  bool etichetta(const std::vector<punto>& basi, const testo_posato& t, const rettangolo& area,
                 allineamento a = allineamento::sinistra) {
    const double w = larghezza_testo(t.testo, t.font), h = t.font.dimensione;
    for (const punto& p : basi) {
      const double x0 = a == allineamento::centro   ? p.x - w / 2
                        : a == allineamento::destra ? p.x - w
                                                    : p.x;
      const rettangolo r{x0, p.y - h * 0.8, x0 + w, p.y + h * 0.25};
      if (posa_.libero(r, area)) {
        posa_.occupa(r);
        t_.testo(p, t, a);
        return true;
      }
    }
    return false;
  }

  rettangolo pagina() const { return {0, 0, larghezza_pagina, altezza_pagina}; }

  void cornice(const rettangolo& r, const std::string& titolo) {
    t_.spezzata({{r.x0, r.y0}, {r.x1, r.y0}, {r.x1, r.y1}, {r.x0, r.y1}, {r.x0, r.y0}},
                {1, grigio});
    etichetta({{r.x0 + 8, r.y0 + 17}}, {titolo, {13, true}, nero, ""}, r);
  }

  void griglia_km(const rettangolo& r) {
    for (int i = 0; i <= 5 * 14; ++i) {
      const double m = i * passo_km_ / 5;
      if (m > asse_.fine_linea()) break;
      t_.linea({px(m), r.y0}, {px(m), r.y1}, {i % 5 == 0 ? 1.0 : 0.5, griglia});
    }
    if (asse_.con_coda()) {
      if (asse_.compattata()) {
        t_.rettangolo_pieno({asse_.x_linea(), r.y0, asse_.x1(), r.y1}, griglia.con_alfa(0.5));
      }
      t_.linea({asse_.x_linea(), r.y0}, {asse_.x_linea(), r.y1}, {1, grigio, true});
    }
  }

  void asse_y(const asse_valori& a, double passo, const std::string& unita) {
    const carattere f{11, false};
    for (int i = 0; i <= 60; ++i) {
      const double v = std::ceil(a.min / passo) * passo + i * passo;
      if (v > a.max + passo * 1e-6) break;
      const double y = a.y(v);
      t_.linea({a.r.x0, y}, {a.r.x1, y}, {0.5, griglia});
      t_.linea({a.r.x0 - 4, y}, {a.r.x0, y}, {1, grigio});
      etichetta({{a.r.x0 - 7, y + 4}}, {numero(v), f, nero, ""}, pagina(), allineamento::destra);
    }
    t_.testo({a.r.x0 - 55, (a.r.y0 + a.r.y1) / 2}, {unita, f, nero, ""}, allineamento::centro,
             -M_PI / 2);
  }

  // Ticks and numbers under the speed panel, placed first: no later label covers them.
  void etichette_asse_km(double y) {
    const carattere f{11, false};
    for (int i = 0; i <= 14; ++i) {
      const double m = i * passo_km_;
      if (m > asse_.fine_linea() + 1e-6) break;
      t_.linea({px(m), y}, {px(m), y + 5}, {1, nero});
      etichetta({{px(m), y + 18}}, {numero(m / 1000), f, nero, ""}, pagina(), allineamento::centro);
    }
    if (asse_.con_coda()) {
      t_.linea({px(asse_.fine()), y}, {px(asse_.fine()), y + 5}, {1, nero});
      etichetta({{px(asse_.fine()), y + 18}}, {numero(asse_.fine() / 1000), f, nero, ""}, pagina(),
                allineamento::centro);
      if (asse_.compattata()) {
        // The break in the axis: the run-out is not at the line's scale.
        const double x = asse_.x_linea();
        t_.linea({x - 5, y + 5}, {x - 1, y - 5}, {1.2, nero});
        t_.linea({x + 1, y + 5}, {x + 5, y - 5}, {1.2, nero});
      }
    }
    etichetta({{(margine_sx + larghezza_pagina - margine_dx) / 2, y + 36}},
              {"km from the start of the line", f, nero, ""}, pagina(), allineamento::centro);
  }

  // Station names in rows above the panels, each beside its dashed line.
  void stazioni(const rettangolo& fascia, double y_fine) {
    const carattere f{12, true};
    const rettangolo area{fascia.x0 - 40, fascia.y0, larghezza_pagina - 4, fascia.y1};
    for (const stazione_descritta& s : d_.stazioni) {
      const double x = px(std::max(0, s.voce.posizione));
      if (!(x <= larghezza_pagina)) continue;
      const std::string nome = compatto(s.nome);
      const std::string titolo = nome + ": km " + numero(s.voce.posizione / 1000.0, 3) +
                                 (s.voce.orario != 0 ? ", " + ora_di(s.voce.orario) : "");
      double y_nome = fascia.y0;
      for (const std::string& testo :
           {s.voce.orario != 0 ? nome + " " + ora_di(s.voce.orario).substr(0, 5) : nome, nome}) {
        std::vector<punto> basi;
        for (int riga = 0; riga < 4; ++riga) basi.push_back({x + 2, fascia.y1 - 4 - riga * 15.0});
        for (int riga = 0; riga < 4; ++riga) basi.push_back({x - 2, fascia.y1 - 4 - riga * 15.0});
        const double w = larghezza_testo(testo, f);
        std::optional<punto> posto;
        for (const punto& b : basi) {
          const bool a_sinistra = b.x < x;
          const rettangolo r{a_sinistra ? b.x - w : b.x, b.y - 10, a_sinistra ? b.x : b.x + w,
                             b.y + 3};
          if (posa_.libero(r, area)) {
            posa_.occupa(r);
            t_.testo(b, {testo, f, blu_stazione, titolo},
                     a_sinistra ? allineamento::destra : allineamento::sinistra);
            posto = b;
            break;
          }
        }
        if (posto) {
          y_nome = posto->y;
          break;
        }
      }
      t_.linea({x, y_nome + 3}, {x, y_fine}, {0.8, blu_stazione.con_alfa(0.5), true});
    }
  }

  void pannello_quote(const rettangolo& r) {
    double min = 0, max = 1;
    for (double q : quote_) min = std::min(min, q), max = std::max(max, q);
    const double passo = passo_tondo(max - min, 6);
    min = std::floor(min / passo) * passo - passo, max = std::ceil(max / passo) * passo + passo;
    const asse_valori a{r, min, max};
    griglia_km(r);
    asse_y(a, passo, "height, m (relative to km 0)");
    t_.ritaglia(r);
    terreno(a);
    gallerie(a);
    pendenze(r);
    t_.fine_ritaglio();
    cornice(r, "Line profile: height from the gradients");
  }

  // The height line from cell `da` to cell `a` (both included), a few points per column.
  std::vector<punto> linea_quote(const asse_valori& v, std::size_t da, std::size_t a) const {
    std::vector<punto> p;
    for (std::size_t c = da; c <= a && c < quote_.size(); ++c) {
      p.push_back({px(metri_strato(static_cast<int32_t>(c))), v.y(quote_[c])});
    }
    return per_colonne(p);
  }

  void terreno(const asse_valori& v) {
    if (quote_.size() < 2) return;
    std::vector<punto> linea = linea_quote(v, 0, quote_.size() - 1);
    std::vector<punto> area = linea;
    area.insert(area.begin(), {linea.front().x, v.r.y1});
    area.push_back({linea.back().x, v.r.y1});
    t_.poligono(area, terra);
    t_.spezzata(linea, {1.8, colore_quote});
  }

  void gallerie(const asse_valori& v) {
    std::vector<std::pair<int32_t, int32_t>> tratti;
    for (const galleria_descritta& g : d_.gallerie) {
      const int32_t fine = std::max(g.prima_cella, g.ultima_cella) + 1;
      if (!tratti.empty() &&
          px(metri_strato(g.prima_cella)) - px(metri_strato(tratti.back().second)) < 1) {
        tratti.back().second = std::max(tratti.back().second, fine);
      } else {
        tratti.push_back({g.prima_cella, fine});
      }
    }
    for (const auto& [da, a] : tratti) {
      if (da < 0 || quote_.empty()) continue;
      const auto fine = std::min<std::size_t>(static_cast<std::size_t>(a), quote_.size() - 1);
      std::vector<punto> p = linea_quote(v, static_cast<std::size_t>(da), fine);
      if (p.size() == 1) p.push_back({p[0].x + 1, p[0].y});
      t_.spezzata(p, {7, marrone, false, true});
    }
  }

  // Each gradient run's value in per mille, where there is room for it.
  void pendenze(const rettangolo& r) {
    const carattere f{10, false};
    double ultima_x = -1;
    for (const tratto_strato& s : d_.strati.pendenza) {
      if (!s.valore) continue;
      const double x0 = px(metri_strato(s.prima_cella)), x1 = px(metri_strato(s.ultima_cella + 1));
      if (x0 - ultima_x < 1) continue;
      ultima_x = x0;
      t_.linea({x0, r.y1 - 14}, {x0, r.y1}, {0.8, grigio});
      const std::string testo = (*s.valore > 0 ? "+" : "") + std::to_string(*s.valore) + "\u2030";
      const double w = larghezza_testo(testo, f);
      if (x1 - x0 > w + 6) {
        etichetta({{(x0 + x1) / 2, r.y1 - 4}}, {testo, f, nero, ""}, r, allineamento::centro);
      }
    }
  }

  // The top of the speed axis: the limits and slow orders fit under it with some room.
  double velocita_massima() const {
    double v = 0;
    for (const tratto_strato& s : d_.strati.velocita) v = std::max(v, s.valore.value_or(0) * 1.0);
    for (const rallentamento_descritto& r : d_.rallentamenti) v = std::max(v, r.velocita * 1.0);
    if (v <= 0) v = 100;
    return std::ceil((v * 1.1 + 5) / 20) * 20;
  }

  void pannello_velocita(const rettangolo& r) {
    const double max = velocita_massima();
    const asse_valori a{r, 0, max};
    griglia_km(r);
    asse_y(a, passo_tondo(max, 8), "speed, km/h");
    t_.ritaglia(r);
    rallentamenti(a);
    std::vector<punto> limite;
    for (const tratto_strato& s : d_.strati.velocita) {
      if (!s.valore) continue;
      limite.push_back({px(metri_strato(s.prima_cella)), a.y(*s.valore)});
      limite.push_back({px(metri_strato(s.ultima_cella + 1)), a.y(*s.valore)});
    }
    t_.spezzata(per_colonne(limite), {2.2, blu_velocita});
    punti_velocita(a);
    t_.fine_ritaglio();
    etichette_rallentamenti(a);
    if (asse_.con_coda()) {
      etichetta({{asse_.x_linea() + 4, r.y0 + 36}, {asse_.x_linea() - 4, r.y0 + 36}},
                {"end of line", {11, false}, grigio, ""}, r);
    }
    cornice(r, "Speed limit, slow orders, signals and speed checks");
  }

  // Slow orders closer than a pixel are shaded as one, at the lowest of their speeds.
  void rallentamenti(const asse_valori& a) {
    struct tratto_lento {
      double x0, x1, v;
    };
    std::vector<tratto_lento> tratti;
    for (const rallentamento_descritto& s : d_.rallentamenti) {
      const double x0 = px(metri_elemento(s.cella_inizio));
      const double x1 = std::max(px(metri_elemento(s.cella_fine)), x0 + 2);
      if (!tratti.empty() && x0 - tratti.back().x1 < 1) {
        tratti.back().x1 = std::max(tratti.back().x1, x1);
        tratti.back().v = std::min(tratti.back().v, s.velocita * 1.0);
      } else {
        tratti.push_back({x0, x1, s.velocita * 1.0});
      }
    }
    for (const tratto_lento& s : tratti) {
      t_.rettangolo_pieno({s.x0, a.y(s.v), s.x1, a.r.y1}, arancio.con_alfa(0.5));
      t_.linea({s.x0, a.y(s.v)}, {s.x1, a.y(s.v)}, {2.5, arancio});
    }
    double ultima_x = -1;
    for (const rallentamento_descritto& s : d_.rallentamenti) {
      if (!s.cella_avviso) continue;
      const double xa = px(metri_elemento(*s.cella_avviso));
      if (std::abs(xa - ultima_x) < 1) continue;
      ultima_x = xa;
      t_.linea({xa, a.y(s.velocita)}, {xa, a.r.y1}, {1.2, arancio, true});
    }
  }

  void etichette_rallentamenti(const asse_valori& a) {
    int tentativi = 0;
    for (const rallentamento_descritto& s : d_.rallentamenti) {
      if (++tentativi > 500) break;
      const double x0 = px(metri_elemento(s.cella_inizio));
      const double x1 = std::max(px(metri_elemento(s.cella_fine)), x0 + 2);
      const double y = std::max(a.y(s.velocita) - 4, a.r.y0 + 30);
      etichetta({{x1 + 4, y}, {x0 - 4, y}, {x1 + 4, y - 14}, {x0 - 4, y - 14}},
                {"slow order " + std::to_string(s.velocita) + " km/h", {11, true}, arancio, ""},
                a.r, allineamento::sinistra);
      if (s.cella_avviso) {
        const double xa = px(metri_elemento(*s.cella_avviso));
        etichetta({{xa - 3, y}, {xa + 3, y - 14}}, {"warning", {10, false}, arancio, ""}, a.r,
                  allineamento::destra);
      }
    }
  }

  void punti_velocita(const asse_valori& a) {
    double ultimo_segnale = -1;
    std::optional<punto> ultimo_controllo;
    for (const elemento_descritto& e : d_.elementi) {
      const double x = px(e.posizione);
      if (e.tipo == cella_segnale && std::abs(x - ultimo_segnale) >= 1) {
        ultimo_segnale = x;
        t_.linea({x, a.r.y1}, {x, a.r.y1 - 12}, {1.2, rosso_segnale});
        t_.cerchio({x, a.r.y1 - 14}, 3, rosso_segnale, bianco);
      } else if (e.tipo == cella_controllo_velocita && !e.campi.empty()) {
        const double v = static_cast<double>(e.campi[0].valore);
        const bool sopra = v > a.max;
        const punto p{x, sopra ? a.r.y0 + 6 : a.y(v)};
        if (ultimo_controllo && std::abs(ultimo_controllo->x - p.x) < 1 &&
            std::abs(ultimo_controllo->y - p.y) < 1) {
          continue;
        }
        ultimo_controllo = p;
        fatto_.controlli_sopra_scala |= sopra;
        t_.poligono(
            sopra ? std::vector<punto>{{x, p.y - 5}, {x + 4, p.y + 3}, {x - 4, p.y + 3}}
                  : std::vector<punto>{{x, p.y - 5}, {x + 4, p.y}, {x, p.y + 5}, {x - 4, p.y}},
            viola);
      }
    }
  }

  tela& t_;
  posatore& posa_;
  const descrizione& d_;
  std::vector<double> quote_;
  asse_metri asse_;
  double passo_km_ = 1000;
  disegnato_nel_profilo fatto_;
};

}  // namespace

disegnato_nel_profilo disegna_profilo(tela& t, posatore& posa, const descrizione& d,
                                      const file_letti& f, const aree_profilo& aree) {
  return disegno_profilo(t, posa, d, f).disegna(aree);
}

}  // namespace scenario::strumento
