// Build step: the shipped package, ARONA_DOMODOSSOLA_324, made of the package runtime and
// the shipped route's payload, the same way `scenario-tool package` makes an author's.
//   pacchetto-spedito RUNTIME OUT
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

#include "sources/carico.h"
#include "sources/carico_spedito.h"

namespace {

namespace fs = std::filesystem;

int fallisci(const std::string& messaggio) {
  std::fprintf(stderr, "pacchetto-spedito: %s\n", messaggio.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return fallisci("usage: pacchetto-spedito RUNTIME OUT");
  std::ifstream in(argv[1], std::ios::binary);
  std::ostringstream letto;
  letto << in.rdbuf();
  if (!in || !letto) return fallisci(std::string("cannot read ") + argv[1]);
  const std::string runtime = std::move(letto).str();
  const auto pacchetto = scenario::unisci_carico(runtime, scenario::carico_spedito());
  if (!pacchetto) {
    return fallisci(std::string(argv[1]) + " " + scenario::trova_carico(runtime).perche);
  }
  // Written beside the output and renamed over it, so that a failed step leaves no half
  // package for the next build to take as done.
  const fs::path uscita = argv[2];
  fs::path tmp = uscita;
  tmp += ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    out.write(pacchetto->data(), static_cast<std::streamsize>(pacchetto->size()));
    out.close();
    if (!out) return fallisci("cannot write " + tmp.string());
  }
  std::error_code e;
  fs::permissions(tmp, fs::perms(0755), e);
  if (!e) fs::rename(tmp, uscita, e);
  if (e) return fallisci("cannot write " + uscita.string() + ": " + e.message());
  return 0;
}
