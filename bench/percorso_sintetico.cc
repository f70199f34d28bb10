// The synthetic routes as files, for measuring the author's path outside the benchmarks:
//   percorso_sintetico genera METRI CARTELLA   writes SINTETICA_linea.txt and SINTETICA_1-.txt
//   percorso_sintetico compila CARTELLA        compiles them into the three files beside them
//   percorso_sintetico modello CARTELLA        compiles them into the model only, no file
// The second is what peak memory is measured on: the compile alone, with the sources read
// from the folder and the files written there as the package writes them. It prints the
// error state and the process's peak resident memory.
#include <sys/resource.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "bench/generatore.h"
#include "compiler/compilatore.h"
#include "compiler/file_binari.h"
#include "compiler/nomi_file.h"
#include "io/cartella.h"
#include "run/compila_in_cartella.h"

namespace {

const std::string linea = "SINTETICA";
const std::string treno = "1";

bool scrivi(const std::filesystem::path& file, const std::string& testo) {
  std::ofstream out(file, std::ios::binary);
  out.write(testo.data(), static_cast<std::streamsize>(testo.size()));
  out.close();
  if (out) return true;
  std::fprintf(stderr, "percorso_sintetico: impossibile scrivere %s\n", file.c_str());
  return false;
}

int genera(std::string_view arg, const std::filesystem::path& cartella) {
  int32_t metri = 0;
  const auto [fine, esito] = std::from_chars(arg.data(), arg.data() + arg.size(), metri);
  if (esito != std::errc() || fine != arg.data() + arg.size() || metri < 2000 ||
      metri > 1'000'000) {
    std::fprintf(stderr, "percorso_sintetico: METRI va da 2000 a 1000000\n");
    return 2;
  }
  std::error_code ec;
  std::filesystem::create_directories(cartella, ec);
  const auto sorgenti = scenario::banco::genera_sorgenti(metri);
  const bool ok = scrivi(cartella / scenario::nome_testo_linea(linea), sorgenti.linea) &&
                  scrivi(cartella / scenario::nome_testo_treno(linea, treno), sorgenti.treno);
  return ok ? 0 : 1;
}

int compila(const std::filesystem::path& cartella, bool con_file) {
  const scenario::opzioni_compilazione o{linea, treno, true};
  scenario::cartella_su_disco sorgenti(cartella);
  const scenario::compilazione c = scenario::compila(scenario::leggi_testi(sorgenti, o), o);
  const scenario::esito& r = c.risultato;
  if (con_file && !r.identita()) {
    scenario::file_in_cartella uscite(cartella);
    scenario::scrivi_compilati(c.scenario, o, uscite);
  }
  rusage uso{};
  ::getrusage(RUSAGE_SELF, &uso);
  std::printf("codice_errore=%d posizione_errore=%d picco_memoria_kb=%ld\n", r.codice, r.posizione,
              uso.ru_maxrss);
  return !r.identita() && r.codice == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view comando = argc > 1 ? argv[1] : "";
  try {
    if (comando == "genera" && argc == 4) return genera(argv[2], argv[3]);
    if (comando == "compila" && argc == 3) return compila(argv[2], true);
    if (comando == "modello" && argc == 3) return compila(argv[2], false);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "percorso_sintetico: %s\n", e.what());
    return 1;
  }
  std::fprintf(stderr,
               "uso: percorso_sintetico genera METRI CARTELLA\n"
               "     percorso_sintetico compila CARTELLA\n"
               "     percorso_sintetico modello CARTELLA\n");
  return 2;
}
