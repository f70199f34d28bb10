// Finding a line by the reader's line ends and cutting it around a column.
#include "io/estratto_sorgente.h"

#include <algorithm>

#include "compiler/codici_errore.h"

namespace scenario {
namespace {

bool a_capo(char c) { return c == '\r' || c == '\n'; }

// The line from `inizio`, without its line end.
std::string_view riga_da(std::string_view testo, std::size_t inizio) {
  std::size_t fine = inizio;
  while (fine < testo.size() && !a_capo(testo[fine])) ++fine;
  return testo.substr(inizio, fine - inizio);
}

// Where line `riga` starts, or npos when the text has fewer lines.
std::size_t inizio_riga(std::string_view testo, std::int64_t riga) {
  std::size_t p = 0;
  for (std::int64_t r = 1; r < riga; ++r) {
    while (p < testo.size() && !a_capo(testo[p])) ++p;
    if (p >= testo.size()) return std::string_view::npos;
    if (testo[p] == '\r' && p + 1 < testo.size() && testo[p + 1] == '\n') ++p;
    ++p;
  }
  return p <= testo.size() ? p : std::string_view::npos;
}

}  // namespace

estratto_riga estrai_riga(std::string_view testo, std::int64_t riga, std::int32_t colonna) {
  const std::size_t inizio = riga >= 1 ? inizio_riga(testo, riga) : std::string_view::npos;
  if (inizio == std::string_view::npos || inizio == testo.size()) return {"", 0};
  const std::string_view linea = riga_da(testo, inizio);
  if (linea.size() <= larghezza_estratto) return {std::string(linea), colonna};
  const std::size_t centro = colonna > 0 ? static_cast<std::size_t>(colonna) - 1 : 0;
  const std::size_t da =
      std::min(centro > larghezza_estratto / 2 ? centro - larghezza_estratto / 2 : 0,
               linea.size() - larghezza_estratto);
  std::string t = da > 0 ? "..." : "";
  t += linea.substr(da, larghezza_estratto);
  if (da + larghezza_estratto < linea.size()) t += "...";
  const std::int32_t spostata =
      colonna > 0 ? static_cast<std::int32_t>(centro - da + 1 + (da > 0 ? 3 : 0)) : 0;
  return {t, spostata};
}

std::string messaggio_con_sorgente(const esito& r, std::string_view testo) {
  const estratto_riga e =
      testo.empty() ? estratto_riga{"", 0} : estrai_riga(testo, r.riga, r.colonna);
  return messaggio_autore(r, e.testo, e.colonna);
}

}  // namespace scenario
