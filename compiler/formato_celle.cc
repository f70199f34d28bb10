#include "compiler/formato_celle.h"

#include "compiler/modello.h"

namespace scenario {
namespace {

struct genere {
  uint8_t tipo;
  const char* nome;
  const char* descrizione;
};

constexpr genere generi[] = {
    {cella_segnale, "segnale", "signal"},
    {cella_fine_rallentamento, "fine_rallentamento", "slow order end"},
    {cella_inizio_rallentamento, "inizio_rallentamento", "slow order start"},
    {cella_avviso_rallentamento, "avviso_rallentamento", "slow order warning board"},
    {cella_prima_avviso, "prima_avviso", "before warning board"},
    {cella_indicatore_velocita, "indicatore_velocita", "speed-indicator board"},
    {cella_fermata, "fermata", "station stop"},
    {cella_lampada, "lampada", "tunnel lamp"},
    {cella_controllo_velocita, "controllo_velocita", "speed check"},
    {cella_abbattimento_nullo, "abbattimento_nullo", "abbattimento 0"},
    {cella_cartello, "cartello", "signboard"},
};

const genere* cerca(uint8_t tipo) {
  for (const genere& g : generi) {
    if (g.tipo == tipo) return &g;
  }
  return nullptr;
}

}  // namespace

const char* nome_genere(uint8_t tipo) {
  const genere* g = cerca(tipo);
  return g != nullptr ? g->nome : "sconosciuto";
}

std::string descrizione_genere(uint8_t tipo) {
  const genere* g = cerca(tipo);
  return g != nullptr ? g->descrizione : "unknown kind " + std::to_string(tipo);
}

}  // namespace scenario
