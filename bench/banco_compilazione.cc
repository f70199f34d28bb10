// Compile times: the shipped scenario and synthetic routes of 10, 100 and 1000 km, in memory
// (parse, pass and identity, no file work) and with the compiled files written into a
// temporary folder; and the package's whole sequence in-process. Every run checks that the
// compilation ended without error, so a timing never stands for a failed compile.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "bench/generatore.h"
#include "compiler/compilatore.h"
#include "compiler/file_binari.h"
#include "compiler/sorgenti.h"
#include "io/cartella.h"
#include "run/esecuzione.h"
#include "run/interfaccia_utente.h"
#include "sources/carico_spedito.h"
#include "sources/contenuti.h"

namespace scenario::banco {
namespace {

std::string con_crlf(const std::vector<std::string_view>& righe) {
  std::string t;
  for (const auto r : righe) (t += r) += "\r\n";
  return t;
}

const sorgenti_generate& spedite() {
  static const sorgenti_generate s{con_crlf(righe_linea), con_crlf(righe_treno)};
  return s;
}

// Generated once per length, outside the timed loops.
const sorgenti_generate& sintetiche(int64_t lunghezza) {
  static std::vector<std::pair<int64_t, sorgenti_generate>> fatte;
  for (const auto& [l, s] : fatte) {
    if (l == lunghezza) return s;
  }
  fatte.emplace_back(lunghezza, genera_sorgenti(static_cast<int32_t>(lunghezza)));
  return fatte.back().second;
}

// A folder of its own under the system's temporary folder, removed at the end.
class cartella_temporanea {
 public:
  cartella_temporanea()
      : percorso_(std::filesystem::temp_directory_path() /
                  ("banco_compilazione_" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(percorso_);
  }
  ~cartella_temporanea() {
    std::error_code ec;
    std::filesystem::remove_all(percorso_, ec);
  }
  const std::filesystem::path& percorso() const { return percorso_; }

 private:
  std::filesystem::path percorso_;
};

// One compilation; false (and the benchmark marked as failed) unless it ended with code 0.
bool compila(benchmark::State& stato, const sorgenti_generate& testi, destinazione_file* uscite) {
  const opzioni_compilazione o;
  const compilazione c = scenario::compila(testi_sorgenti{testi.linea, testi.treno}, o);
  if (uscite != nullptr && !c.risultato.identita()) scrivi_compilati(c.scenario, o, *uscite);
  benchmark::DoNotOptimize(c.scenario.percorso.data());
  if (!c.risultato.identita() && c.risultato.codice == 0) return true;
  stato.SkipWithError(("codice_errore " + std::to_string(c.risultato.codice) + ", identita' " +
                       std::to_string(c.risultato.errore_identita))
                          .c_str());
  return false;
}

void misura(benchmark::State& stato, const sorgenti_generate& testi, bool con_file) {
  cartella_temporanea cartella;
  file_in_cartella uscite(cartella.percorso());
  for (auto _ : stato) {
    if (!compila(stato, testi, con_file ? &uscite : nullptr)) break;
  }
  stato.counters["byte_sorgenti"] = static_cast<double>(testi.linea.size() + testi.treno.size());
}

void spedito_in_memoria(benchmark::State& stato) { misura(stato, spedite(), false); }
void spedito_in_cartella(benchmark::State& stato) { misura(stato, spedite(), true); }

// The package's sequence without the process: texts written, read back, compiled, written.
void pacchetto_in_cartella(benchmark::State& stato) {
  cartella_temporanea cartella;
  interfaccia_senza_finestra interfaccia;
  const carico c = carico_spedito();
  for (auto _ : stato) {
    if (const int esito = esegui_pacchetto(cartella.percorso(), c, interfaccia); esito != 0) {
      stato.SkipWithError(("uscita " + std::to_string(esito)).c_str());
      break;
    }
  }
}

void sintetico(benchmark::State& stato, bool con_file) {
  misura(stato, sintetiche(stato.range(0)), con_file);
  stato.SetComplexityN(stato.range(0));
}
void sintetico_in_memoria(benchmark::State& stato) { sintetico(stato, false); }
void sintetico_in_cartella(benchmark::State& stato) { sintetico(stato, true); }

BENCHMARK(spedito_in_memoria)->Unit(benchmark::kMicrosecond);
BENCHMARK(spedito_in_cartella)->Unit(benchmark::kMicrosecond);
BENCHMARK(pacchetto_in_cartella)->Unit(benchmark::kMicrosecond);
BENCHMARK(sintetico_in_memoria)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(sintetico_in_cartella)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
}  // namespace scenario::banco

BENCHMARK_MAIN();
