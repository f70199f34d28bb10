// scenario-tool export: writes the shipped sources and documents, so that an author can
// start a new route from them.
#include <memory>
#include <string>

#include "compiler/nomi_file.h"
#include "compiler/sorgenti.h"
#include "sources/scrittori.h"
#include "tools/cli/comandi.h"
#include "tools/cli/scrittura_sorgenti.h"

namespace scenario::strumento {

void registra_export(CLI::App& app) {
  auto* comando = app.add_subcommand(
      "export", "Write the shipped line description, train service and documents into DIR");
  struct opzioni {
    std::string cartella = ".";
    bool forza = false;
  };
  auto o = std::make_shared<opzioni>();
  comando->add_option("--dir", o->cartella, "Folder to write into (created when missing)")
      ->capture_default_str()
      ->type_name("DIR");
  comando->add_flag("--force", o->forza,
                    "Replace sources, and documents edited, that already exist");
  comando->callback([o] {
    const std::string linea = "ARONA_DOMODOSSOLA", treno = "324";
    concludi(scrivi_in_cartella(
        o->cartella, {nome_testo_linea(linea), nome_testo_treno(linea, treno)}, o->forza,
        [&](destinazione_file& uscite) { scrivi_testi(uscite, linea, treno); }));
  });
}

}  // namespace scenario::strumento
