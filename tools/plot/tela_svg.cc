// The SVG side of the drawing layer, written as text rather than through cairo, whose SVG
// surface turns every letter into a glyph outline: here labels stay <text> elements that a
// viewer can search and select, with <title> tooltips.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "tools/plot/tela.h"

namespace scenario::strumento {
namespace {

std::string numero_svg(double v) {
  char t[32];
  std::snprintf(t, sizeof t, "%.2f", coordinata_disegnabile(v));
  std::string s = t;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}

// ` fill="#rrggbb"` or ` stroke=...`, with its opacity when the colour is see-through.
std::string attributo_colore(const char* nome, const colore& c) {
  char t[16];
  auto b = [](double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
  std::snprintf(t, sizeof t, "#%02x%02x%02x", b(c.r), b(c.g), b(c.b));
  std::string s = std::string(" ") + nome + "=\"" + t + "\"";
  if (c.a < 1) s += std::string(" ") + nome + "-opacity=\"" + numero_svg(c.a) + "\"";
  return s;
}

std::string tratto_svg(const tratto& t) {
  std::string s = " fill=\"none\"" + attributo_colore("stroke", t.tinta);
  s += " stroke-width=\"" + numero_svg(t.spessore) + "\" stroke-linejoin=\"round\"";
  s += t.punta_piatta ? " stroke-linecap=\"butt\"" : " stroke-linecap=\"round\"";
  if (t.tratteggio) s += " stroke-dasharray=\"5 4\"";
  return s;
}

// Text as XML character data: markup characters escaped, and the control characters XML
// cannot carry shown as U+FFFD.
std::string testo_xml(const std::string& t) {
  std::string r;
  for (char c : t) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '&') {
      r += "&amp;";
    } else if (c == '<') {
      r += "&lt;";
    } else if (c == '>') {
      r += "&gt;";
    } else if (c == '"') {
      r += "&quot;";
    } else if (b < 0x20 && c != '\t' && c != '\n') {
      r += "\xEF\xBF\xBD";
    } else {
      r += c;
    }
  }
  return r;
}

class tela_testuale : public tela {
 public:
  tela_testuale(int larghezza, int altezza) {
    const std::string w = std::to_string(larghezza), h = std::to_string(altezza);
    svg_ =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "width=\"" +
        w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h +
        "\" font-family=\"sans-serif\" xml:space=\"preserve\">\n<rect width=\"100%\" "
        "height=\"100%\" fill=\"#fff\"/>\n";
  }

  void spezzata(const std::vector<punto>& p, const tratto& t) override {
    if (p.size() < 2) return;
    svg_ += "<polyline points=\"" + punti(p) + "\"" + tratto_svg(t) + "/>\n";
  }
  void poligono(const std::vector<punto>& p, const colore& riempi) override {
    if (p.size() < 3) return;
    svg_ += "<polygon points=\"" + punti(p) + "\"" + attributo_colore("fill", riempi) + "/>\n";
  }
  void cerchio(punto c, double raggio, const colore& riempi, const colore& bordo,
               const std::string& titolo) override {
    svg_ += "<circle cx=\"" + numero_svg(c.x) + "\" cy=\"" + numero_svg(c.y) + "\" r=\"" +
            numero_svg(raggio) + "\"" + attributo_colore("fill", riempi) +
            attributo_colore("stroke", bordo);
    if (titolo.empty()) {
      svg_ += "/>\n";
    } else {
      svg_ += "><title>" + testo_xml(titolo) + "</title></circle>\n";
    }
  }
  void rettangolo_pieno(const rettangolo& r, const colore& c) override {
    svg_ += "<rect x=\"" + numero_svg(r.x0) + "\" y=\"" + numero_svg(r.y0) + "\" width=\"" +
            numero_svg(r.larghezza()) + "\" height=\"" + numero_svg(r.altezza()) + "\"" +
            attributo_colore("fill", c) + "/>\n";
  }
  void testo(punto p, const testo_posato& t, allineamento a, double angolo) override {
    svg_ += "<text x=\"" + numero_svg(p.x) + "\" y=\"" + numero_svg(p.y) + "\" font-size=\"" +
            numero_svg(t.font.dimensione) + "\"" + attributo_colore("fill", t.tinta);
    if (t.font.grassetto) svg_ += " font-weight=\"bold\"";
    if (a == allineamento::centro) svg_ += " text-anchor=\"middle\"";
    if (a == allineamento::destra) svg_ += " text-anchor=\"end\"";
    if (angolo != 0) {
      svg_ += " transform=\"rotate(" + numero_svg(angolo * 180 / M_PI) + " " + numero_svg(p.x) +
              " " + numero_svg(p.y) + ")\"";
    }
    svg_ += ">";
    if (!t.titolo.empty()) svg_ += "<title>" + testo_xml(t.titolo) + "</title>";
    svg_ += testo_xml(t.testo) + "</text>\n";
  }
  void ritaglia(const rettangolo& r) override {
    const std::string id = "r" + std::to_string(++ritagli_);
    svg_ += "<clipPath id=\"" + id + "\"><rect x=\"" + numero_svg(r.x0) + "\" y=\"" +
            numero_svg(r.y0) + "\" width=\"" + numero_svg(r.larghezza()) + "\" height=\"" +
            numero_svg(r.altezza()) + "\"/></clipPath>\n<g clip-path=\"url(#" + id + ")\">\n";
  }
  void fine_ritaglio() override { svg_ += "</g>\n"; }

  std::string contenuto(std::string&) override { return svg_ + "</svg>\n"; }

 private:
  static std::string punti(const std::vector<punto>& p) {
    std::string s;
    for (const punto& q : p) {
      if (!s.empty()) s += ' ';
      s += numero_svg(q.x) + "," + numero_svg(q.y);
    }
    return s;
  }

  std::string svg_;
  int ritagli_ = 0;
};

}  // namespace

std::unique_ptr<tela> tela_svg(int larghezza, int altezza) {
  return std::make_unique<tela_testuale>(larghezza, altezza);
}

}  // namespace scenario::strumento
