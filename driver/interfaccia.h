// What the run needs of a window system: the progress window and the error message box.
// The compiler never sees it; the run driver picks a real window or the headless variant.
#ifndef DRIVER_INTERFACCIA_H_
#define DRIVER_INTERFACCIA_H_

#include <memory>
#include <string>

namespace scenario {

inline constexpr const char* testo_attendere = "Attendere";

class interfaccia_utente {
 public:
  virtual ~interfaccia_utente() = default;
  // Shows the progress window without waiting and paints it completely once.
  virtual void mostra_avanzamento(const std::string& titolo) = 0;
  // Shows " Errore n. " followed by `a` and returns when the user has closed the message.
  virtual void errore(const std::string& a) = 0;
};

// The text of the error message box.
inline std::string testo_errore(const std::string& a) { return " Errore n. " + a; }

// No window: the error text goes to standard error.
class interfaccia_senza_finestra : public interfaccia_utente {
 public:
  void mostra_avanzamento(const std::string&) override {}
  void errore(const std::string& a) override;
};

// The window system's interface when a display can be opened, otherwise the headless one.
std::unique_ptr<interfaccia_utente> crea_interfaccia();

}  // namespace scenario

#endif  // DRIVER_INTERFACCIA_H_
