// scenario-tool export: writes the shipped sources and documents, so that an author can
// start a new route from them.
#include <memory>
#include <string>

#include "compiler/nomi_file.h"
#include "compiler/sorgenti.h"
#include "sources/scrittori.h"
#include "tools/cli/comandi.h"
#include "tools/cli/lettura_comando.h"
#include "tools/cli/resa_diagnostiche.h"
#include "tools/cli/scrittura_sorgenti.h"

namespace scenario::strumento {

void registra_export(CLI::App& app) {
  auto* comando = app.add_subcommand(
      "export",
      "Write the shipped route's line description, train service and documents into DIR, under "
      "the shipped names: route ARONA_DOMODOSSOLA, train 324");
  struct opzioni {
    std::string cartella = ".";
    bool forza = false;
    bool zitto = false;
  };
  auto o = std::make_shared<opzioni>();
  comando->add_option("--dir", o->cartella, "Folder to write into (created when missing)")
      ->capture_default_str()
      ->type_name("DIR");
  comando->add_flag("--force", o->forza,
                    "Replace sources, and documents edited, that already exist");
  opzione_silenzio(*comando, o->zitto);
  comando->callback([o] {
    const std::string linea = "ARONA_DOMODOSSOLA", treno = "324";
    const std::string testo_linea = nome_testo_linea(linea);
    const std::string testo_treno = nome_testo_treno(linea, treno);
    concludi(
        scrivi_in_cartella(o->cartella, {testo_linea, testo_treno}, o->forza,
                           [&](destinazione_file& uscite) { scrivi_testi(uscite, linea, treno); }));
    concludi(riassunto_successo("wrote the shipped route " + linea + ", train " + treno + ": " +
                                    percorso_mostrato(o->cartella, testo_linea) + ", " +
                                    percorso_mostrato(o->cartella, testo_treno) +
                                    " and the driver's three documents",
                                o->zitto));
  });
}

}  // namespace scenario::strumento
