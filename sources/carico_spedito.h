// The payload of the shipped package: route ARONA_DOMODOSSOLA, train 324, and the five texts
// exactly as their writers produce them.
#ifndef SOURCES_CARICO_SPEDITO_H_
#define SOURCES_CARICO_SPEDITO_H_

#include "sources/carico.h"

namespace scenario {

inline constexpr const char* nome_linea_spedita = "ARONA_DOMODOSSOLA";
inline constexpr const char* numero_treno_spedito = "324";

carico carico_spedito();

}  // namespace scenario

#endif  // SOURCES_CARICO_SPEDITO_H_
