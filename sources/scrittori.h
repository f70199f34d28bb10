// The five writers of the scenario's texts. Each fills its line list and writes it through
// the shared output loop: every entry followed by CR LF, up to the end marker.
#ifndef SOURCES_SCRITTORI_H_
#define SOURCES_SCRITTORI_H_

#include <array>
#include <string>
#include <string_view>

#include "compiler/sorgenti.h"

namespace scenario {

inline constexpr std::string_view fine_lista = "riferimento fine del file";

// Entries 0 to 1000; an entry the writer leaves alone is empty.
using lista_righe = std::array<std::string, 1001>;

// The output loop: stops at the end marker, and never reads past entry 1000.
std::string testo_da_lista(const lista_righe& lista);

void dati_linea(destinazione_file& uscite, const std::string& nome_linea);
void dati_treno(destinazione_file& uscite, const std::string& nome_linea,
                const std::string& numero_treno);
void dati_note(destinazione_file& uscite, const std::string& nome_linea,
               const std::string& numero_treno);
void dati_rallentamenti(destinazione_file& uscite, const std::string& nome_linea,
                        const std::string& numero_treno);
void dati_scheda(destinazione_file& uscite, const std::string& nome_linea,
                 const std::string& numero_treno);

// All five, in the run's order.
void scrivi_testi(destinazione_file& uscite, const std::string& nome_linea,
                  const std::string& numero_treno);

}  // namespace scenario

#endif  // SOURCES_SCRITTORI_H_
