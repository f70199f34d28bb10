// Line lists of the five texts and their output loop.
#include "sources/scrittori.h"

#include <memory>
#include <vector>

#include "compiler/nomi_file.h"
#include "sources/contenuti.h"

namespace scenario {
namespace {

// Lines at entries 0 onward, the end marker right after them.
std::unique_ptr<lista_righe> lista_con(const std::vector<std::string_view>& righe,
                                       std::size_t posto_fine) {
  auto lista = std::make_unique<lista_righe>();
  for (std::size_t i = 0; i < righe.size(); ++i) (*lista)[i] = righe[i];
  (*lista)[posto_fine] = fine_lista;
  return lista;
}

void scrivi_lista(destinazione_file& uscite, const std::string& nome, const lista_righe& lista) {
  const std::string testo = testo_da_lista(lista);
  uscite.scrivi(nome, [&](std::ostream& out) {
    out.write(testo.data(), static_cast<std::streamsize>(testo.size()));
  });
}

}  // namespace

std::string testo_da_lista(const lista_righe& lista) {
  std::string testo;
  for (const std::string& voce : lista) {
    if (voce == fine_lista) break;
    testo += voce;
    testo += "\r\n";
  }
  return testo;
}

void dati_linea(destinazione_file& uscite, const std::string& nome_linea) {
  scrivi_lista(uscite, nome_testo_linea(nome_linea), *lista_con(righe_linea, 99));
}

void dati_treno(destinazione_file& uscite, const std::string& nome_linea,
                const std::string& numero_treno) {
  scrivi_lista(uscite, nome_testo_treno(nome_linea, numero_treno), *lista_con(righe_treno, 65));
}

// The notes document is 46 empty lines: only the end marker is filled.
void dati_note(destinazione_file& uscite, const std::string& nome_linea,
               const std::string& numero_treno) {
  scrivi_lista(uscite, nome_documento(nome_linea, numero_treno, "note.txt"), *lista_con({}, 46));
}

void dati_rallentamenti(destinazione_file& uscite, const std::string& nome_linea,
                        const std::string& numero_treno) {
  scrivi_lista(uscite, nome_documento(nome_linea, numero_treno, "rallentamenti.txt"),
               *lista_con(righe_rallentamenti, 46));
}

void dati_scheda(destinazione_file& uscite, const std::string& nome_linea,
                 const std::string& numero_treno) {
  scrivi_lista(uscite, nome_documento(nome_linea, numero_treno, "scheda_treno.txt"),
               *lista_con(righe_scheda, 50));
}

void scrivi_testi(destinazione_file& uscite, const std::string& nome_linea,
                  const std::string& numero_treno) {
  dati_linea(uscite, nome_linea);
  dati_treno(uscite, nome_linea, numero_treno);
  dati_note(uscite, nome_linea, numero_treno);
  dati_rallentamenti(uscite, nome_linea, numero_treno);
  dati_scheda(uscite, nome_linea, numero_treno);
}

}  // namespace scenario
