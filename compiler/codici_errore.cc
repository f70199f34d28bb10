// Meanings of the recorded codes.
#include "compiler/codici_errore.h"

#include <algorithm>
#include <iterator>

namespace scenario {
namespace {

constexpr codice_errore_noto tabella[] = {
    {1, "lunghezza della linea oltre 1.000.000 m", false, true},
    {2, "progressiva chilometrica non multipla di 50", false, false},
    {3, "inizio della ripetizione segnali non multiplo di 50", false, true},
    {4, "fine della ripetizione segnali non multipla di 50", false, true},
    {5, "ripetizione segnali senza \"4\" ne' \"9\"", false, true},
    {6, "cartello indicatore su una cella gia' occupata", true, true},
    {7, "abbattimento su una cella gia' occupata", true, true},
    {8, "posizione della stazione non multipla di 50", true, true},
    {9, "lunghezza della stazione non multipla di 100", true, true},
    {10, "nessuna voce libera per la stazione sotto i testi dei cartelli", false, true},
    {11, "nessuna cella libera per il controllo davanti al segnale dopo l'avviso", true, false},
    {12, "nessuna cella libera per un controllo prima dell'inizio del rallentamento", true, false},
    {13, "nessuna cella libera per un controllo nel rallentamento o dopo la sua fine", true, false},
    {15, "posizione oltre la fine del percorso", true, true},
    {16, "segnale su una cella gia' occupata", true, true},
    {17, "avviso del rallentamento su una cella gia' occupata", true, true},
    {18, "inizio del rallentamento su una cella gia' occupata", true, true},
    {19, "fine del rallentamento su una cella gia' occupata", true, true},
    {20, "una delle quattro celle prima dell'avviso e' gia' occupata", true, true},
    {21, "cartello indicatore di velocita' su una cella gia' occupata", true, true},
    {22, "stazione a meno di 350 m dalla precedente", true, true},
    {24, "stazione con la fermata nella cella 1 o prima", false, true},
    {25, "errore di lettura dei sorgenti (file mancante, record incompleto o valore non valido)",
     false, true},
    {101, "manca la descrizione della linea", false, false},
    {102, "la descrizione della linea finisce prima di \"[generale]\"", false, true},
    {103, "classe di curva mancante o tracciato oltre 1.000.000 punti", false, true},
    {1250, "campo del marcatore di identita' gia' occupato", false, false},
    {1251, "campo del codice di identita' gia' occupato", false, false},
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
