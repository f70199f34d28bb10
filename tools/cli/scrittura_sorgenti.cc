// An author's edited sources and documents are never replaced by surprise, nor while another
// run works in the folder.
#include "tools/cli/scrittura_sorgenti.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "io/blocco.h"
#include "io/errore_io.h"
#include "io/lettura.h"
#include "io/scrittura.h"
#include "io/sistema.h"
#include "run/stati_uscita.h"
#include "tools/cli/lettura_comando.h"

namespace scenario::strumento {
namespace {

// A document is edited when the file at its name is anything but its own bytes.
bool modificato(const std::filesystem::path& p, const std::string& byte) {
  const lettura_limitata r = leggi_limitato(p, byte.size());
  return r.stato != stato_lettura::assente && (r.stato != stato_lettura::letto || r.testo != byte);
}

// The files `scrivi` wrote: the sources first, in their order, then the documents.
std::vector<std::string> in_ordine(const std::vector<std::string>& sorgenti,
                                   const file_in_memoria& testi) {
  std::vector<std::string> nomi;
  for (const std::string& nome : sorgenti) {
    if (testi.file.contains(nome)) nomi.push_back(nome);
  }
  for (const auto& [nome, byte] : testi.file) {
    if (std::find(sorgenti.begin(), sorgenti.end(), nome) == sorgenti.end()) nomi.push_back(nome);
  }
  return nomi;
}

// Names every file that stands in the way: a source that exists, a document edited.
bool rifiutati(const std::filesystem::path& cartella, const std::vector<std::string>& sorgenti,
               const std::vector<std::string>& nomi, const file_in_memoria& testi) {
  bool rifiuto = false;
  for (const std::string& nome : nomi) {
    const std::filesystem::path p = cartella / nome;
    std::error_code e;
    if (std::find(sorgenti.begin(), sorgenti.end(), nome) != sorgenti.end()) {
      if (std::filesystem::symlink_status(p, e).type() == std::filesystem::file_type::not_found) {
        continue;
      }
      stampa_errore(io::nome_di(p) + " already exists; --force replaces it");
    } else if (modificato(p, testi.file.at(nome))) {
      stampa_errore(io::nome_di(p) + " already exists with other content; --force replaces it");
    } else {
      continue;
    }
    rifiuto = true;
  }
  return rifiuto;
}

// Under the folder's lock: what killed runs left, the refusal, then the files.
int scrivi_sotto_blocco(const std::filesystem::path& cartella,
                        const std::vector<std::string>& sorgenti, bool forza,
                        const file_in_memoria& testi) {
  const std::vector<std::string> nomi = in_ordine(sorgenti, testi);
  ripara_scritture_interrotte(cartella, nomi);
  if (!forza && rifiutati(cartella, sorgenti, nomi, testi)) return uscita_sorgente_esistente;
  for (const std::string& nome : nomi) {
    const std::string& byte = testi.file.at(nome);
    sostituisci_file(cartella / nome, [&byte](std::ostream& out) {
      out.write(byte.data(), static_cast<std::streamsize>(byte.size()));
    });
  }
  return uscita_ok;
}

}  // namespace

bool crea_cartella(const std::filesystem::path& cartella) {
  std::error_code e;
  std::filesystem::create_directories(cartella, e);
  if (!e) return true;
  stampa_errore("the folder " + io::nome_di(cartella) + " cannot be created: " + e.message());
  return false;
}

int scrivi_in_cartella(const std::filesystem::path& cartella,
                       const std::vector<std::string>& sorgenti, bool forza,
                       const std::function<void(destinazione_file&)>& scrivi) {
  if (!crea_cartella(cartella)) return uscita_file;
  // What the command writes, small texts, known before the folder is touched.
  file_in_memoria testi;
  scrivi(testi);
  try {
    const blocco_cartella blocco(cartella);
    return scrivi_sotto_blocco(cartella, sorgenti, forza, testi);
  } catch (const errore_io& x) {
    stampa_errore(x.inglese());
    return stato_di(x);
  }
}

}  // namespace scenario::strumento
