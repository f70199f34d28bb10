// scenario-tool export: writes the shipped sources and documents, so that an author can
// start a new route from them.
#include <cstdio>
#include <memory>

#include "driver/esecuzione.h"
#include "driver/file_programma.h"
#include "sources/scrittori.h"
#include "tools/comandi.h"

namespace scenario::strumento {

void registra_export(CLI::App& app, int& stato) {
  auto* comando = app.add_subcommand(
      "export", "Write the shipped line description, train service and documents into DIR");
  auto cartella = std::make_shared<std::string>(".");
  comando->add_option("--dir", *cartella, "Folder to write into")->capture_default_str();
  comando->callback([&stato, cartella] {
    try {
      file_in_cartella uscite(*cartella);
      scrivi_testi(uscite, "ARONA_DOMODOSSOLA", "324");
      stato = uscita_ok;
    } catch (const errore_file& e) {
      std::fprintf(stderr, "%s\n", e.what());
      stato = uscita_file;
    }
  });
}

}  // namespace scenario::strumento
