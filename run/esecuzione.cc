// The run sequence of the package, from the progress window to the last compiled file.
#include "run/esecuzione.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "compiler/codici_errore.h"
#include "compiler/nomi_file.h"
#include "compiler/sorgenti.h"
#include "io/cartella.h"
#include "io/errore_io.h"
#include "io/lettura.h"
#include "io/scrittura.h"
#include "io/sistema.h"
#include "run/compila_in_cartella.h"
#include "run/stati_uscita.h"

namespace scenario {
namespace {

// The package's own words for how the compile ended.
int riporta(const compilazione_in_cartella& r, interfaccia_utente& interfaccia) {
  const esito& e = r.c.risultato;
  switch (r.stato) {
    case uscita_file:
      std::fprintf(stderr, "%s\n", r.errore->what());
      break;
    case uscita_identita:
      interfaccia.errore(std::to_string(e.errore_identita));
      break;
    case uscita_codice_registrato:
      std::fprintf(
          stderr, "%s\n",
          messaggio_errore(e.codice, e.posizione, e.file, static_cast<int32_t>(e.riga)).c_str());
      break;
    default:
      break;
  }
  return r.stato;
}

void scrivi_testo(destinazione_file& uscite, const std::string& nome, const std::string& testo) {
  uscite.scrivi(nome, [&](std::ostream& out) {
    out.write(testo.data(), static_cast<std::streamsize>(testo.size()));
  });
}

// What killed runs left while writing the sources and the documents: under the lock, no
// other run is writing them (the compile of the folder does the same for the compiled files).
void ripara_file_del_carico(const std::filesystem::path& cartella, const carico& c) {
  std::vector<std::string> nomi = {nome_testo_linea(c.linea), nome_testo_treno(c.linea, c.treno)};
  for (const char* coda : code_documenti) nomi.push_back(nome_documento(c.linea, c.treno, coda));
  ripara_scritture_interrotte(cartella, nomi);
}

// The two sources, then the documents the payload holds, in the order of their writers.
void scrivi_carico(destinazione_file& uscite, const carico& c) {
  scrivi_testo(uscite, nome_testo_linea(c.linea), c.testo_linea);
  scrivi_testo(uscite, nome_testo_treno(c.linea, c.treno), c.testo_treno);
  for (std::size_t i = 0; i < code_documenti.size(); ++i) {
    if (c.documenti[i]) {
      scrivi_testo(uscite, nome_documento(c.linea, c.treno, code_documenti[i]), *c.documenti[i]);
    }
  }
}

// The first source name that holds a file with other bytes than this run would write there,
// or nothing. Such a file is an author's own (a package run in its route folder): the run
// would write over it and then delete it. A copy a killed run left is byte for byte the
// payload's and is no reason to stop; a folder or a link at the name is refused by the
// writing, as before, and one that cannot be read is not taken for the package's.
std::optional<std::filesystem::path> sorgente_altrui(const std::filesystem::path& cartella,
                                                     const carico& c) {
  const std::pair<std::string, const std::string*> sorgenti[] = {
      {nome_testo_linea(c.linea), &c.testo_linea},
      {nome_testo_treno(c.linea, c.treno), &c.testo_treno}};
  for (const auto& [nome, testo] : sorgenti) {
    io::tipo_voce tipo{};
    if (io::tipo_di(cartella / nome, tipo) != 0 || tipo != io::tipo_voce::file) continue;
    const lettura_limitata r = leggi_limitato(cartella / nome, testo->size());
    if (r.stato == stato_lettura::assente ||
        (r.stato == stato_lettura::letto && r.testo == *testo)) {
      continue;
    }
    return cartella / nome;
  }
  return std::nullopt;
}

}  // namespace

int esegui_pacchetto(const std::filesystem::path& cartella, const carico& c,
                     interfaccia_utente& interfaccia, std::chrono::milliseconds attesa) {
  opzioni_compilazione o{c.linea, c.treno, true};
  o.con_avvisi = false;
  interfaccia.mostra_avanzamento(o.nome_linea + " - treno " + o.numero_treno);
  try {
    const blocco_cartella blocco(cartella, attesa);
    ripara_file_del_carico(cartella, c);
    if (const auto altrui = sorgente_altrui(cartella, c)) {
      std::fprintf(stderr,
                   "il file %s non e' stato scritto da questo pacchetto: nulla e' stato scritto "
                   "ne' cancellato; eseguire il pacchetto in una cartella propria\n",
                   io::nome_di(*altrui).c_str());
      return uscita_file_altrui;
    }
    // The two sources this run writes go again if it ends in a file failure.
    testi_scritti_in_cartella testi(
        cartella, {nome_testo_linea(o.nome_linea), nome_testo_treno(o.nome_linea, o.numero_treno)});
    scrivi_carico(testi, c);
    cartella_su_disco file(cartella);
    const compilazione_in_cartella r = compila_in_cartella(file, o, true);
    if (r.stato != uscita_file) testi.concludi();
    return riporta(r, interfaccia);
  } catch (const errore_io& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return stato_di(e);
  }
}

}  // namespace scenario
