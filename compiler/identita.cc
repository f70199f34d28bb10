// The scenario identity: two fixed markers and two codes summed from the train number, the
// route identifier and a padding text. The simulator checks them against its scenario list.
#include <string>

#include "compiler/compilatore.h"

namespace scenario {
namespace {

constexpr int32_t marcatore_voce = 610;
constexpr int16_t marcatore_cella = 5121;
constexpr std::size_t caratteri_contati = 25;

char minuscola(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Train number, then route identifier, in lower case, then the padding text.
const std::string& chiave(modello& m) {
  std::string k = m.tabella_stazioni[voce_treno].nome + m.tabella_stazioni[voce_linea].nome;
  for (char& c : k) c = minuscola(c);
  m.riga = k + "qqwweerrttyyuuiiooppaassdd";
  return m.riga;
}

}  // namespace

int32_t codice_gara_st(modello& m) {
  const std::string& k = chiave(m);
  int32_t somma = 0;
  for (std::size_t i = 0; i < caratteri_contati; ++i) {
    somma += static_cast<int32_t>(static_cast<unsigned char>(k[i]) * (i + 1));
  }
  return somma;
}

int16_t codice_gara_og(modello& m) {
  const std::string& k = chiave(m);
  int32_t somma = 0;
  for (std::size_t i = 0; i < caratteri_contati; ++i) somma += static_cast<unsigned char>(k[i]);
  return static_cast<int16_t>(somma);
}

int32_t timbra_identita(modello& m) {
  voce_stazione& linea = m.tabella_stazioni[voce_linea];
  // Without a route there is no cell 1: it reads as an empty cell and nothing is stamped.
  cella vuota;
  cella& prima = m.percorso.size() > 1 ? m.percorso[1] : vuota;
  if (linea.intero_1 != 0 || prima.dato_1 != 0) return 1250;
  linea.intero_1 = marcatore_voce;
  prima.dato_1 = marcatore_cella;
  if (linea.orario != 0 || prima.dato_2 != 0) return 1251;
  linea.orario = codice_gara_st(m);
  prima.dato_2 = codice_gara_og(m);
  return 0;
}

}  // namespace scenario
