// scenario-tool package: an author's route made into a package for drivers, one program that
// writes the route's sources and documents beside itself and compiles them as the shipped
// package does. The package is the package runtime followed by the route's payload
// (sources/carico.h); the sources are checked first, as `check` checks them.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "compiler/compilatore.h"
#include "compiler/nomi_file.h"
#include "io/errore_io.h"
#include "io/lettura.h"
#include "io/scrittura.h"
#include "io/sistema.h"
#include "run/stati_uscita.h"
#include "sources/carico.h"
#include "tools/check/comando_check.h"
#include "tools/cli/comandi.h"
#include "tools/cli/lettura_comando.h"
#include "tools/cli/programmi_accanto.h"
#include "tools/cli/resa_diagnostiche.h"
#include "tools/cli/scrittura_sorgenti.h"

namespace scenario::strumento {
namespace {

namespace fs = std::filesystem;

// The Windows build makes Windows packages without being asked.
#ifdef _WIN32
constexpr bool windows_di_base = true;
#else
constexpr bool windows_di_base = false;
#endif

struct opzioni_package {
  scenario_scelto scenario;
  std::string uscita;   // empty: DIR/dist/ROUTE_TRAIN, with .exe for Windows
  std::string runtime;  // empty: found beside scenario-tool
  bool windows = windows_di_base;
  bool forza = false;
  bool zitto = false;
};

struct piattaforma {
  bool windows;
  const char* nome;
  const char* runtime;     // the runtime's file name
  const char* suffisso;    // of the package's name
  std::string_view firma;  // how its programs begin
};

constexpr piattaforma linux_ = {false, "Linux", "scenario-runtime", "", "\177ELF"};
constexpr piattaforma windows_ = {true, "Windows", "scenario-runtime.exe", ".exe", "MZ"};

// Where the runtime was looked for and, for the Windows one on Linux, how to build it.
std::string runtime_mancante(const piattaforma& p) {
  std::string t = std::string("package needs ") + p.runtime + ": " + dove_cercato(p.runtime) +
                  "; or give --runtime FILE";
  if (p.windows && !windows_di_base) {
    t += "\n  the Windows build makes it: `bash scripts/windows.sh` in the source folder writes "
         "build-windows/" +
         std::string(p.runtime);
  }
  return t;
}

// The sources checked: errors refuse the package unless --force; everything found is shown.
int controlla_prima(const opzioni_package& o, carico& c) {
  testi_sorgenti t;
  raccolta_diagnostiche problemi;
  if (const int stato = leggi_e_controlla(o.scenario, 100, t, problemi); stato != uscita_ok) {
    return stato;
  }
  const opzioni_compilazione oc{o.scenario.linea, o.scenario.treno, true};
  const contesto_resa resa{t, oc, o.scenario.cartella, colore_su(stderr)};
  std::fputs(testo_diagnostiche(problemi, resa).c_str(), stderr);
  if (problemi.errori() > 0) {
    if (!o.forza) {
      stampa_errore("not packaged: " + riassunto(problemi) +
                    " (--force packages the sources anyway)");
      return uscita_codice_registrato;
    }
    stampa_errore("packaged in spite of " + riassunto(problemi) + ", as --force asks");
  }
  c.linea = o.scenario.linea;
  c.treno = o.scenario.treno;
  c.testo_linea = std::move(*t.linea);
  c.testo_treno = std::move(*t.treno);
  return uscita_ok;
}

// The documents the folder holds, each optional, taken byte for byte.
void leggi_documenti(const opzioni_package& o, carico& c) {
  for (std::size_t i = 0; i < code_documenti.size(); ++i) {
    c.documenti[i] = leggi_sorgente(fs::path(o.scenario.cartella) /
                                    nome_documento(c.linea, c.treno, code_documenti[i]));
  }
}

struct runtime_letto {
  std::string file;
  std::string byte;
};

// The runtime and its bytes; one that is missing or is no program of the platform ends the
// subcommand after the message.
runtime_letto leggi_runtime(const opzioni_package& o, const piattaforma& p) {
  const std::string file = o.runtime.empty() ? programma_accanto(p.runtime, false) : o.runtime;
  if (file.empty()) {
    stampa_errore(runtime_mancante(p));
    termina(uscita_file);
  }
  // The runtime is a program the author names or the one installed, perhaps through a link.
  std::optional<std::string> runtime = leggi_sorgente(file, collegamenti::seguiti);
  if (!runtime) {
    stampa_errore("no runtime at " + io::nome_di(file));
    termina(uscita_file);
  }
  if (!runtime->starts_with(p.firma)) {
    stampa_errore(io::nome_di(file) + " is not a " + p.nome + " program" +
                  (p.windows ? "" : " (--windows makes a Windows package)"));
    termina(uscita_uso);
  }
  return {file, std::move(*runtime)};
}

std::string riassunto_documenti(const carico& c) {
  std::string t;
  for (std::size_t i = 0; i < code_documenti.size(); ++i) {
    if (!c.documenti[i]) continue;
    t += (t.empty() ? "" : ", ") + nome_documento(c.linea, c.treno, code_documenti[i]);
  }
  return t.empty() ? "none" : t;
}

// Where the package goes: DIR/dist/ROUTE_TRAIN unless --out says. Run in the folder that holds
// it, a package writes its sources there and deletes them, so --out in the route folder itself
// is refused unless --force; empty then, after the message.
std::optional<fs::path> uscita_di(const opzioni_package& o, const piattaforma& p) {
  const fs::path cartella(o.scenario.cartella);
  const std::string nome = o.scenario.linea + "_" + o.scenario.treno + p.suffisso;
  if (o.uscita.empty()) return cartella / "dist" / nome;
  const fs::path uscita(o.uscita);
  std::error_code e;
  const fs::path dove = uscita.has_parent_path() ? uscita.parent_path() : fs::path(".");
  if (o.forza || !fs::equivalent(dove, cartella, e)) return uscita;
  stampa_errore("--out " + o.uscita + " is in the route folder " + o.scenario.cartella +
                ", whose sources the package would write over and delete when run there; " +
                "the default is " + (cartella / "dist" / nome).string() +
                ", and --force writes it there anyway");
  return std::nullopt;
}

int esegui_package(const opzioni_package& o) {
  const piattaforma& p = o.windows ? windows_ : linux_;
  const std::optional<fs::path> destinazione = uscita_di(o, p);
  if (!destinazione) return uscita_uso;
  const fs::path& uscita = *destinazione;
  carico c;
  if (const int stato = controlla_prima(o, c); stato != uscita_ok) return stato;
  try {
    leggi_documenti(o, c);
    const runtime_letto runtime = leggi_runtime(o, p);
    const std::optional<std::string> pacchetto = unisci_carico(runtime.byte, c);
    if (!pacchetto) {
      stampa_errore(io::nome_di(runtime.file) + " " + trova_carico(runtime.byte).perche);
      return uscita_file;
    }
    if (uscita.has_parent_path() && !crea_cartella(uscita.parent_path())) return uscita_file;
    sostituisci_file(
        uscita,
        [&](std::ostream& out) {
          out.write(pacchetto->data(), static_cast<std::streamsize>(pacchetto->size()));
        },
        true);
    return riassunto_successo(uscita.string() + ": the " + p.nome + " package of route " + c.linea +
                                  ", train " + c.treno + " (" + std::to_string(pacchetto->size()) +
                                  " bytes), documents: " + riassunto_documenti(c),
                              o.zitto);
  } catch (const errore_io& e) {
    stampa_errore(e.inglese());
    return uscita_file;
  }
}

}  // namespace

void registra_package(CLI::App& app) {
  const auto [comando, o] = sottocomando_su_scenario<opzioni_package>(
      app, "package",
      "Join the package runtime with DIR's sources and documents (ROUTE_TRAIN_note.txt, "
      "_rallentamenti.txt, _scheda_treno.txt, each if present) into one program that, run in a "
      "folder, writes them there and compiles the route, as the shipped package does",
      esegui_package);
  comando
      ->add_option("--out", o->uscita,
                   "The package to write (its folder is created); left out, DIR/dist/ROUTE_TRAIN "
                   "(ROUTE_TRAIN.exe for Windows). Not in DIR itself, where a run would write "
                   "over the sources, unless --force")
      ->type_name("FILE");
  comando->add_flag("--windows", o->windows,
                    windows_di_base
                        ? "Make a Windows package from scenario-runtime.exe (always, in this build)"
                        : "Make a Windows package from scenario-runtime.exe, of the Windows build");
  comando->add_flag("--force", o->forza,
                    "Package sources that have errors, or write the package into DIR itself");
  comando
      ->add_option("--runtime", o->runtime,
                   std::string("The package runtime to use; left out, the one ") + dove_programmi)
      ->type_name("FILE");
  opzione_silenzio(*comando, o->zitto);
}

}  // namespace scenario::strumento
