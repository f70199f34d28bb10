// Meanings of the recorded codes, and the messages built from them.
#include "compiler/codici_errore.h"

#include <algorithm>
#include <iterator>

namespace scenario {
namespace {

constexpr codice_errore_noto tabella[] = {
    {1, "lunghezza della linea oltre 1.000.000 m", false, true, "line length over 1,000,000 m"},
    {2, "progressiva chilometrica non multipla di 50", false, false,
     "a kilometric progressive is not a multiple of 50"},
    {3, "inizio della ripetizione segnali non multiplo di 50", false, true,
     "signal repetition start is not a multiple of 50"},
    {4, "fine della ripetizione segnali non multipla di 50", false, true,
     "signal repetition end is not a multiple of 50"},
    {5, "ripetizione segnali senza \"4\" ne' \"9\"", false, true,
     "signal repetition keyword holds neither \"4\" nor \"9\""},
    {6, "cartello indicatore su una cella gia' occupata", true, true,
     "signboard on a cell already occupied"},
    {7, "abbattimento su una cella gia' occupata", true, true,
     "\"abbattimento\" on a cell already occupied"},
    {8, "posizione della stazione non multipla di 50", true, true,
     "station position is not a multiple of 50"},
    {9, "lunghezza della stazione non multipla di 100", true, true,
     "station length is not a multiple of 100"},
    {10, "nessuna voce libera per la stazione sotto i testi dei cartelli", false, true,
     "no station slot left below the signboard texts"},
    {11, "nessuna cella libera per il controllo davanti al segnale dopo l'avviso", true, false,
     "no free cell for the check in front of the signal after a warning board"},
    {12, "nessuna cella libera per un controllo prima dell'inizio del rallentamento", true, false,
     "no free cell for a check before the start of a slow order"},
    {13, "nessuna cella libera per un controllo nel rallentamento o dopo la sua fine", true, false,
     "no free cell for a check inside a slow order or after its end"},
    {15, "posizione oltre la fine del percorso", true, true,
     "position beyond the end of the route"},
    {16, "segnale su una cella gia' occupata", true, true, "signal on a cell already occupied"},
    {17, "avviso del rallentamento su una cella gia' occupata", true, true,
     "slow-order warning board on a cell already occupied"},
    {18, "inizio del rallentamento su una cella gia' occupata", true, true,
     "slow-order start on a cell already occupied"},
    {19, "fine del rallentamento su una cella gia' occupata", true, true,
     "slow-order end on a cell already occupied"},
    {20, "una delle quattro celle prima dell'avviso e' gia' occupata", true, true,
     "one of the four cells before the warning board is already occupied"},
    {21, "cartello indicatore di velocita' su una cella gia' occupata", true, true,
     "speed-indicator board on a cell already occupied"},
    {22, "stazione a meno di 350 m dalla precedente", true, true,
     "station less than 350 m after the previous one"},
    {24, "stazione con la fermata nella cella 1 o prima", false, true,
     "station with its stop marker in cell 1 or before"},
    {25, "errore di lettura dei sorgenti (file mancante, record incompleto o valore non valido)",
     false, true, "the sources cannot be read (missing file, incomplete record or invalid value)"},
    {101, "manca la descrizione della linea", false, false, "the line description is missing"},
    {102, "la descrizione della linea finisce prima di \"[generale]\"", false, true,
     "the line description ends before \"[generale]\""},
    {103, "classe di curva mancante o tracciato oltre 1.000.000 punti", false, true,
     "curve class missing, or track plan over 1,000,000 points"},
    {1250, "campo del marcatore di identita' gia' occupato", false, false,
     "identity marker field already in use"},
    {1251, "campo del codice di identita' gia' occupato", false, false,
     "identity code field already in use"},
};

}  // namespace

std::optional<codice_errore_noto> cerca_codice(int32_t codice) {
  const auto it = std::find_if(std::begin(tabella), std::end(tabella),
                               [&](const codice_errore_noto& c) { return c.codice == codice; });
  if (it == std::end(tabella)) return std::nullopt;
  return *it;
}

std::string messaggio_errore(int32_t codice, int32_t posizione, std::string_view file,
                             int32_t riga) {
  const auto noto = cerca_codice(codice);
  std::string m;
  if (noto && noto->dal_sorgente && !file.empty() && riga > 0) {
    m += std::string(file) + ":" + std::to_string(riga) + ": ";
  }
  m += "errore " + std::to_string(codice) + ": ";
  m += noto ? noto->significato : "codice sconosciuto";
  if (noto && noto->con_posizione) m += " (posizione " + std::to_string(posizione) + " m)";
  return m;
}

}  // namespace scenario
