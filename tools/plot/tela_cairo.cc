// The PNG side of the drawing layer: cairo's image surface and toy text API. Text is measured
// here for both outputs, with the same font the PNG is painted with.
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "tools/plot/tela.h"

namespace scenario::strumento {
namespace {

using superficie_cairo = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using contesto_cairo = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

void scegli_carattere(cairo_t* cr, const carattere& f) {
  cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL,
                         f.grassetto ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, f.dimensione);
}

double avanzamento(cairo_t* cr, const std::string& t) {
  cairo_text_extents_t e;
  cairo_text_extents(cr, t.c_str(), &e);
  return e.x_advance;
}

cairo_status_t aggiungi(void* chiusura, const unsigned char* dati, unsigned int n) {
  static_cast<std::string*>(chiusura)->append(reinterpret_cast<const char*>(dati), n);
  return CAIRO_STATUS_SUCCESS;
}

class tela_cairo : public tela {
 public:
  tela_cairo(int larghezza, int altezza)
      : superficie_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, larghezza, altezza),
                    cairo_surface_destroy),
        cr_(cairo_create(superficie_.get()), cairo_destroy) {
    cairo_set_source_rgb(cr_.get(), 1, 1, 1);
    cairo_paint(cr_.get());
    cairo_set_line_join(cr_.get(), CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr_.get(), CAIRO_LINE_CAP_ROUND);
  }

  void spezzata(const std::vector<punto>& p, const tratto& t) override {
    if (p.size() < 2) return;
    percorso(p);
    usa(t.tinta);
    cairo_set_line_width(cr_.get(), t.spessore);
    const double trattini[] = {5, 4};
    cairo_set_dash(cr_.get(), trattini, t.tratteggio ? 2 : 0, 0);
    cairo_set_line_cap(cr_.get(), t.punta_piatta ? CAIRO_LINE_CAP_BUTT : CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr_.get());
  }
  void poligono(const std::vector<punto>& p, const colore& riempi) override {
    if (p.size() < 3) return;
    percorso(p);
    cairo_close_path(cr_.get());
    usa(riempi);
    cairo_fill(cr_.get());
  }
  void cerchio(punto c, double raggio, const colore& riempi, const colore& bordo,
               const std::string&) override {
    cairo_new_path(cr_.get());
    cairo_arc(cr_.get(), coordinata_disegnabile(c.x), coordinata_disegnabile(c.y), raggio, 0,
              2 * M_PI);
    usa(riempi);
    cairo_fill_preserve(cr_.get());
    usa(bordo);
    cairo_set_line_width(cr_.get(), 1);
    cairo_set_dash(cr_.get(), nullptr, 0, 0);
    cairo_stroke(cr_.get());
  }
  void rettangolo_pieno(const rettangolo& r, const colore& c) override {
    poligono({{r.x0, r.y0}, {r.x1, r.y0}, {r.x1, r.y1}, {r.x0, r.y1}}, c);
  }
  void testo(punto p, const testo_posato& t, allineamento a, double angolo) override {
    scegli_carattere(cr_.get(), t.font);
    const double w = avanzamento(cr_.get(), t.testo);
    const double dx = a == allineamento::centro ? -w / 2 : a == allineamento::destra ? -w : 0;
    cairo_save(cr_.get());
    cairo_translate(cr_.get(), coordinata_disegnabile(p.x), coordinata_disegnabile(p.y));
    cairo_rotate(cr_.get(), angolo);
    usa(t.tinta);
    cairo_move_to(cr_.get(), dx, 0);
    cairo_show_text(cr_.get(), t.testo.c_str());
    cairo_restore(cr_.get());
  }
  void ritaglia(const rettangolo& r) override {
    cairo_save(cr_.get());
    cairo_rectangle(cr_.get(), r.x0, r.y0, r.larghezza(), r.altezza());
    cairo_clip(cr_.get());
  }
  void fine_ritaglio() override { cairo_restore(cr_.get()); }

  std::string contenuto(std::string& errore) override {
    std::string byte;
    cairo_status_t s = cairo_status(cr_.get());
    if (s == CAIRO_STATUS_SUCCESS) {
      cairo_surface_flush(superficie_.get());
      s = cairo_surface_write_to_png_stream(superficie_.get(), aggiungi, &byte);
    }
    if (s == CAIRO_STATUS_SUCCESS) return byte;
    errore = cairo_status_to_string(s);
    return "";
  }

 private:
  void usa(const colore& c) { cairo_set_source_rgba(cr_.get(), c.r, c.g, c.b, c.a); }
  void percorso(const std::vector<punto>& p) {
    cairo_new_path(cr_.get());
    for (const punto& q : p) {
      cairo_line_to(cr_.get(), coordinata_disegnabile(q.x), coordinata_disegnabile(q.y));
    }
  }

  superficie_cairo superficie_;
  contesto_cairo cr_;
};

// A one-pixel surface kept for measuring text until the fonts are released.
struct misura {
  cairo_surface_t* superficie = nullptr;
  cairo_t* cr = nullptr;
};

misura& misura_comune() {
  static misura m;
  return m;
}

cairo_t* misuratore() {
  misura& m = misura_comune();
  if (m.cr == nullptr) {
    m.superficie = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
    m.cr = cairo_create(m.superficie);
  }
  return m.cr;
}

}  // namespace

double larghezza_testo(const std::string& t, const carattere& f) {
  cairo_t* cr = misuratore();
  scegli_carattere(cr, f);
  return avanzamento(cr, t);
}

std::unique_ptr<tela> tela_png(int larghezza, int altezza) {
  return std::make_unique<tela_cairo>(larghezza, altezza);
}

void libera_caratteri() {
  misura& m = misura_comune();
  if (m.cr != nullptr) {
    cairo_destroy(m.cr);
    cairo_surface_destroy(m.superficie);
    m = {};
  }
  cairo_debug_reset_static_data();
  FcFini();
}

}  // namespace scenario::strumento
