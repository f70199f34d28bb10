// The entry points of the window module, the FLTK window built as a shared object that the
// package carries inside itself and loads only when a display is named. Plain C, so that the
// package and the module, each with its own C++ runtime, share nothing but these calls.
#ifndef DRIVER_MODULO_FINESTRA_H_
#define DRIVER_MODULO_FINESTRA_H_

extern "C" {

// Opens the display named `nome`; 0 when it cannot be opened.
int scenario_apri_display(const char* nome);
// Shows the progress window titled `titolo` and returns once it has been painted.
void scenario_mostra_avanzamento(const char* titolo);
// Shows the message box with `testo` and returns when the user has closed it.
void scenario_mostra_errore(const char* testo);
// Closes the progress window.
void scenario_chiudi_finestra();

}  // extern "C"

namespace scenario {

// The names looked up in the loaded module.
inline constexpr const char* simbolo_apri_display = "scenario_apri_display";
inline constexpr const char* simbolo_mostra_avanzamento = "scenario_mostra_avanzamento";
inline constexpr const char* simbolo_mostra_errore = "scenario_mostra_errore";
inline constexpr const char* simbolo_chiudi_finestra = "scenario_chiudi_finestra";

}  // namespace scenario

#endif  // DRIVER_MODULO_FINESTRA_H_
