// What the package's run needs of a window system: the progress window and the error message
// box. The run sequence (run/esecuzione.h) speaks only to this; the package picks a real
// window (driver/interfaccia.h) or the headless one below.
#ifndef RUN_INTERFACCIA_UTENTE_H_
#define RUN_INTERFACCIA_UTENTE_H_

#include <string>

namespace scenario {

class interfaccia_utente {
 public:
  virtual ~interfaccia_utente() = default;
  // Shows the progress window without waiting and paints it completely once.
  virtual void mostra_avanzamento(const std::string& titolo) = 0;
  // Shows " Errore n. " followed by `a` and returns when the user has closed the message.
  virtual void errore(const std::string& a) = 0;
};

// The text of the error message box, which scenario-tool compile prints too.
inline std::string testo_errore(const std::string& a) { return " Errore n. " + a; }

// No window: the error text goes to standard error.
class interfaccia_senza_finestra : public interfaccia_utente {
 public:
  void mostra_avanzamento(const std::string&) override {}
  void errore(const std::string& a) override;
};

}  // namespace scenario

#endif  // RUN_INTERFACCIA_UTENTE_H_
