// Modification times only: nothing here reads a file.
#include "tools/dump/sorgenti_piu_recenti.h"

#include <filesystem>
#include <optional>

#include "compiler/nomi_file.h"
#include "io/elenco.h"
#include "tools/cli/lettura_comando.h"
#include "tools/cli/resa_diagnostiche.h"

namespace scenario::strumento {

void avvisa_sorgenti_piu_recenti(const std::string& cartella, const std::string& linea,
                                 const std::string& treno) {
  const std::filesystem::path c(cartella);
  std::optional<std::filesystem::file_time_type> piu_vecchio;
  std::string compilato;
  for (const std::string& nome :
       {nome_percorso(linea, treno), nome_stazioni(linea, treno), nome_tracciato(linea)}) {
    const auto t = ultima_modifica(c / nome);
    if (t && (!piu_vecchio || *t < *piu_vecchio)) {
      piu_vecchio = t;
      compilato = nome;
    }
  }
  if (!piu_vecchio) return;
  for (const std::string& nome : {nome_testo_linea(linea), nome_testo_treno(linea, treno)}) {
    const auto t = ultima_modifica(c / nome);
    if (!t || *t <= *piu_vecchio) continue;
    stampa_errore("warning: " + percorso_mostrato(cartella, nome) + " was changed after " +
                  percorso_mostrato(cartella, compilato) +
                  " was written, so this does not show the change; compile again");
  }
}

}  // namespace scenario::strumento
