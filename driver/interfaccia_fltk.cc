// The window module: the progress window and the error message box with FLTK on X11, built as
// a shared object that the package loads only when a display is named.
#include <X11/Xlib.h>

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>

#include "driver/interfaccia.h"
#include "driver/modulo_finestra.h"

namespace scenario {
namespace {

// Sizes are given in pixels at 15 twips a pixel, that is 96 pixels an inch.
constexpr int pixel_per_pollice = 96;
constexpr int punti_per_pollice = 72;

// The progress window and its one label.
constexpr int larghezza_avanzamento = 280, altezza_avanzamento = 179;
constexpr int x_etichetta = 64, y_etichetta = 64, larghezza_etichetta = 177, altezza_etichetta = 53;
constexpr int punti_etichetta = 24;
// Bold "MS Sans Serif": fontconfig names it as a sans-serif alias and picks the nearest face
// the system has. The leading "B" asks FLTK for the bold weight.
constexpr Fl_Font carattere_etichetta = FL_FREE_FONT;
constexpr const char* nome_carattere_etichetta = "BMS Sans Serif";

// A window mapped on a hidden desktop may never be exposed: the first paint is awaited this
// long at most, so that the run never hangs on it.
constexpr auto attesa_massima_disegno = std::chrono::seconds(5);

// The progress window notes when it has been drawn completely once.
class finestra_avanzamento : public Fl_Window {
 public:
  explicit finestra_avanzamento(const std::string& titolo)
      : Fl_Window(larghezza_avanzamento, altezza_avanzamento) {
    copy_label(titolo.c_str());
    auto* etichetta = new Fl_Box(x_etichetta, y_etichetta, larghezza_etichetta, altezza_etichetta,
                                 testo_attendere);
    etichetta->labelfont(carattere_etichetta);
    etichetta->labelsize(punti_etichetta * pixel_per_pollice / punti_per_pollice);
    // Not clipped: the nearest face may be wider than "MS Sans Serif", and the text had
    // better run a few pixels past the label's right edge, where the window has room, than
    // lose its last letter.
    etichetta->align(FL_ALIGN_INSIDE | FL_ALIGN_TOP_LEFT);
    end();
    position((Fl::w() - w()) / 2, (Fl::h() - h()) / 2);
  }
  bool disegnata() const { return disegnata_; }

 protected:
  void draw() override {
    Fl_Window::draw();
    disegnata_ = true;
  }

 private:
  bool disegnata_ = false;
};

// Shows the window and returns once it has been painted and the server has drawn it.
void mostra_e_dipingi(finestra_avanzamento& finestra) {
  finestra.show();
  const auto limite = std::chrono::steady_clock::now() + attesa_massima_disegno;
  while (!finestra.disegnata() && std::chrono::steady_clock::now() < limite) Fl::wait(0.05);
  Fl::flush();
  XSync(fl_display, False);
}

// The message box: the text, one OK button, no title of its own.
class finestra_errore : public Fl_Window {
 public:
  explicit finestra_errore(const std::string& testo) : Fl_Window(1, 1) {
    constexpr int margine = 20, larghezza_bottone = 80, altezza_bottone = 25;
    fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
    int larghezza_testo = 0, altezza_testo = 0;
    fl_measure(testo.c_str(), larghezza_testo, altezza_testo, 0);
    const int larghezza = std::max(larghezza_testo, 2 * larghezza_bottone) + 2 * margine;
    auto* messaggio = new Fl_Box(margine, margine, larghezza - 2 * margine, altezza_testo);
    messaggio->copy_label(testo.c_str());
    messaggio->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT);
    const int y_bottone = margine + altezza_testo + margine;
    auto* ok = new Fl_Return_Button((larghezza - larghezza_bottone) / 2, y_bottone,
                                    larghezza_bottone, altezza_bottone, "OK");
    ok->callback([](Fl_Widget* b, void*) { b->window()->hide(); });
    end();
    size(larghezza, y_bottone + altezza_bottone + margine / 2);
    position((Fl::w() - w()) / 2, (Fl::h() - h()) / 2);
    set_modal();
  }
};

std::unique_ptr<finestra_avanzamento> avanzamento;

}  // namespace
}  // namespace scenario

using namespace scenario;

#define ESPORTATA extern "C" __attribute__((visibility("default")))

ESPORTATA int scenario_apri_display(const char* nome) {
  // FLTK ends the process when it cannot open the display itself, so the display is opened
  // here first and handed over.
  Display* display = XOpenDisplay(nome);
  if (display == nullptr) return 0;
  fl_open_display(display);
  Fl::set_font(carattere_etichetta, nome_carattere_etichetta);
  return 1;
}

ESPORTATA void scenario_mostra_avanzamento(const char* titolo) {
  avanzamento = std::make_unique<finestra_avanzamento>(titolo);
  mostra_e_dipingi(*avanzamento);
}

ESPORTATA void scenario_mostra_errore(const char* testo) {
  finestra_errore messaggio(testo);
  messaggio.show();
  while (messaggio.shown()) Fl::wait();
}

ESPORTATA void scenario_chiudi_finestra() { avanzamento.reset(); }
