// The scenario identity: two fixed markers and two codes summed from the train number, the
// route identifier and a padding text. The simulator checks them against its scenario list.
#include "compiler/identita.h"

#include <string>

#include "compiler/analisi.h"
#include "compiler/lettore_campi.h"

namespace scenario {
namespace {

constexpr int32_t marcatore_voce = marcatore_identita_voce;
constexpr int16_t marcatore_cella = marcatore_identita_cella;
constexpr std::size_t caratteri_contati = 25;

// Train number, then route identifier, in lower case, then the padding text.
std::string chiave_di(const std::string& linea, const std::string& treno) {
  return minuscole(treno + linea) + "qqwweerrttyyuuiiooppaassdd";
}

int32_t somma_pesata(const std::string& k) {
  int32_t somma = 0;
  for (std::size_t i = 0; i < caratteri_contati; ++i) {
    somma += static_cast<int32_t>(static_cast<unsigned char>(k[i]) * (i + 1));
  }
  return somma;
}

int16_t somma_semplice(const std::string& k) {
  int32_t somma = 0;
  for (std::size_t i = 0; i < caratteri_contati; ++i) somma += static_cast<unsigned char>(k[i]);
  return static_cast<int16_t>(somma);
}

}  // namespace

codici_identita calcola_codici_identita(const std::string& linea, const std::string& treno) {
  const std::string k = chiave_di(linea, treno);
  return {somma_pesata(k), somma_semplice(k)};
}

int32_t timbra_identita(analisi& m) {
  voce_stazione& linea = m.compilato.tabella_stazioni[voce_linea];
  // Without a route there is no cell 1: it reads as an empty cell and nothing is stamped.
  cella vuota;
  cella& prima = m.compilato.percorso.size() > 1 ? m.compilato.percorso[1] : vuota;
  if (linea.intero_1 != 0 || prima.dato_1 != 0) return 1250;
  linea.intero_1 = marcatore_voce;
  prima.dato_1 = marcatore_cella;
  if (linea.orario != 0 || prima.dato_2 != 0) return 1251;
  // The codes come from the slot names as they stand when the stamping runs.
  const auto& t = m.compilato.tabella_stazioni;
  const codici_identita codici = calcola_codici_identita(t[voce_linea].nome, t[voce_treno].nome);
  linea.orario = codici.pesato;
  prima.dato_2 = codici.semplice;
  return 0;
}

}  // namespace scenario
