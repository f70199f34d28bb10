// Atomic replacement of output files, alone or as a set, over the system calls of sistema.h.
#include "io/scrittura.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <optional>
#include <set>
#include <streambuf>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "io/sistema.h"

namespace scenario {
namespace {

using io::codice_sistema;

// `cosa` is the step that failed.
[[noreturn]] void fallisci(const std::filesystem::path& file, const parole_in_due_lingue& cosa,
                           codice_sistema codice) {
  const std::string nome = io::nome_di(file);
  const std::string ragione = io::ragione(codice);
  throw errore_io(tipo_errore_io::file,
                  {"impossibile scrivere " + nome + ": " + cosa.pacchetto + ": " + ragione,
                   "cannot write " + nome + ": " + cosa.inglese + ": " + ragione});
}

// A stream buffer over an open file that remembers the first write error.
class buffer_file : public std::streambuf {
 public:
  static constexpr std::size_t dimensione = std::size_t{1} << 16;

  explicit buffer_file(io::maniglia h) : h_(h), spazio_(new char[dimensione]) { riparti(); }
  codice_sistema errore() const { return errore_; }
  int sync() override { return svuota() ? 0 : -1; }

 protected:
  int_type overflow(int_type c) override {
    if (!svuota()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }

  // Blocks of half the buffer or more, such as those of the compiled files' writers, go
  // straight to the file: copying them through this buffer would save no write call.
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    const auto quanti = static_cast<std::size_t>(n);
    if (quanti >= dimensione / 2) return svuota() && scrivi(s, quanti) ? n : 0;
    if (quanti > static_cast<std::size_t>(epptr() - pptr()) && !svuota()) return 0;
    std::memcpy(pptr(), s, quanti);
    pbump(static_cast<int>(quanti));
    return n;
  }

 private:
  void riparti() { setp(spazio_.get(), spazio_.get() + dimensione); }
  bool scrivi(const char* p, std::size_t n) {
    while (n > 0 && errore_ == 0) {
      std::size_t scritti = 0;
      errore_ = io::scrivi(h_, p, n, scritti);
      p += scritti;
      n -= scritti;
    }
    return errore_ == 0;
  }
  bool svuota() {
    const bool riuscita = scrivi(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    riparti();
    return riuscita;
  }

  io::maniglia h_;
  codice_sistema errore_ = 0;
  // Not zeroed: a short text touches only the pages it fills.
  std::unique_ptr<char[]> spazio_;
};

// Only a regular file (or nothing) may stand where an output goes.
void controlla_destinazione(const std::filesystem::path& destinazione) {
  io::tipo_voce tipo{};
  if (const codice_sistema c = io::tipo_di(destinazione, tipo); c != 0) {
    fallisci(destinazione, {"stato del file", "file status"}, c);
  }
  if (tipo == io::tipo_voce::collegamento) {
    fallisci(destinazione,
             {std::string("al suo posto c'e' un ") + io::nome_collegamento,
              std::string("a ") + io::nome_collegamento_inglese + " stands in its place"},
             io::codice_collegamento);
  }
  if (tipo != io::tipo_voce::assente && tipo != io::tipo_voce::file) {
    fallisci(destinazione,
             {"al suo posto c'e' un elemento che non e' un file",
              "something that is not a file stands in its place"},
             io::codice_non_file);
  }
}

// What a run leaves beside a file it replaces, NAME.PROCESS.SET followed by its ending.
enum class resto { temporaneo, vecchio, assenza };

std::string_view coda_di(resto r) {
  switch (r) {
    case resto::vecchio:
      return ".old";
    case resto::assenza:
      return ".absent";
    default:
      return ".tmp";
  }
}

std::filesystem::path nome_di_resto(const std::filesystem::path& destinazione,
                                    const std::string& insieme, resto r) {
  std::filesystem::path p = destinazione;
  p += "." + insieme;
  p += coda_di(r);
  return p;
}

// A regular file already at the temporary name (left by a killed run whose process number
// came round again) is removed first; anything else there is refused.
io::maniglia crea_temporaneo(const std::filesystem::path& destinazione,
                             const std::filesystem::path& tmp, bool eseguibile) {
  const std::string nome_tmp = io::nome_di(tmp.filename());
  const parole_in_due_lingue creazione{"creazione di " + nome_tmp, "creating " + nome_tmp};
  codice_sistema c = 0;
  for (int tentativo = 0; tentativo < 2; ++tentativo) {
    io::maniglia h{};
    c = io::crea_esclusivo(tmp, h, eseguibile);
    if (c == 0) return h;
    if (!io::esiste_gia(c)) fallisci(destinazione, creazione, c);
    io::tipo_voce tipo{};
    if (io::tipo_di(tmp, tipo) != 0 || tipo != io::tipo_voce::file) {
      fallisci(destinazione,
               {"il nome temporaneo " + nome_tmp + " e' occupato",
                "the temporary name " + nome_tmp + " is taken"},
               c);
    }
    io::rimuovi(tmp);
  }
  fallisci(destinazione, creazione, c);
}

// Writes the content through `h` and closes it; the first error code, or 0.
codice_sistema scrivi_e_chiudi(io::maniglia h, const std::filesystem::path& tmp,
                               const contenuto_file& contenuto) {
  codice_sistema errore = 0;
  {
    buffer_file buf(h);
    std::ostream out(&buf);
    try {
      contenuto(out);
    } catch (...) {
      io::chiudi(h);
      io::rimuovi(tmp);
      throw;
    }
    out.flush();
    errore = buf.errore();
    if (errore == 0 && !out) errore = io::codice_scrittura;
  }
  const codice_sistema chiusura = io::chiudi(h);
  return errore != 0 ? errore : chiusura;
}

bool solo_cifre(std::string_view t) {
  return !t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The set (PROCESS.SET) and kind of `candidato` when it is NAME.PROCESS.SET.tmp, .old or
// .absent of the file `nome_file`, as `nome_di_resto` forms them.
std::optional<std::pair<std::string, resto>> resto_di(std::string_view candidato,
                                                      std::string_view nome_file) {
  if (!candidato.starts_with(nome_file)) return std::nullopt;
  candidato.remove_prefix(nome_file.size());
  for (const resto r : {resto::temporaneo, resto::vecchio, resto::assenza}) {
    std::string_view t = candidato;
    // The ending alone (NAME.tmp) holds no set: its dot is the ending's own.
    if (t.size() <= coda_di(r).size() || !t.ends_with(coda_di(r)) || !t.starts_with('.')) {
      continue;
    }
    t.remove_suffix(coda_di(r).size());
    t.remove_prefix(1);
    const std::size_t punto = t.find('.');
    if (punto != std::string_view::npos && solo_cifre(t.substr(0, punto)) &&
        solo_cifre(t.substr(punto + 1))) {
      return std::pair{std::string(t), r};
    }
  }
  return std::nullopt;
}

// An old file (or the mark of none) back in place of the new one, or dropped once the new
// one stands. A step that fails leaves the file for the next run under the lock to finish.
void chiudi_resto(const std::filesystem::path& destinazione, const std::filesystem::path& p,
                  resto r, bool rimetti) {
  if (rimetti && r == resto::vecchio) {
    io::rinomina(p, destinazione);
    return;
  }
  if (rimetti) io::rimuovi(destinazione);
  io::rimuovi(p);
}

struct messo_da_parte {
  std::filesystem::path percorso;
  resto tipo;
};

// The old file moved off its name, or, where there is none, an empty mark of its absence.
messo_da_parte metti_da_parte(const std::filesystem::path& destinazione,
                              const std::string& insieme) {
  io::tipo_voce tipo{};
  if (const codice_sistema c = io::tipo_di(destinazione, tipo); c != 0) {
    fallisci(destinazione, {"stato del file", "file status"}, c);
  }
  if (tipo == io::tipo_voce::assente) {
    const std::filesystem::path segno = nome_di_resto(destinazione, insieme, resto::assenza);
    io::chiudi(crea_temporaneo(destinazione, segno, false));
    return {segno, resto::assenza};
  }
  const std::filesystem::path vecchio = nome_di_resto(destinazione, insieme, resto::vecchio);
  if (const codice_sistema c = io::rinomina(destinazione, vecchio); c != 0) {
    fallisci(destinazione, {"messa da parte della copia vecchia", "moving the old copy aside"}, c);
  }
  return {vecchio, resto::vecchio};
}

}  // namespace

void ripara_scritture_interrotte(const std::filesystem::path& cartella,
                                 std::span<const std::string> nomi_file) {
  struct trovato {
    std::string nome;
    std::filesystem::path percorso;
    std::string insieme;
    resto tipo;
  };
  std::vector<trovato> trovati;
  std::set<std::string> incompiuti;  // sets with a temporary left: never put in place whole
  std::error_code ec;
  for (std::filesystem::directory_iterator it(cartella, ec), fine; !ec && it != fine;
       it.increment(ec)) {
    const std::string candidato = it->path().filename().string();
    for (const std::string& nome : nomi_file) {
      const auto r = resto_di(candidato, nome);
      if (!r || it->symlink_status(ec).type() != std::filesystem::file_type::regular) continue;
      trovati.push_back({nome, it->path(), r->first, r->second});
      if (r->second == resto::temporaneo) incompiuti.insert(r->first);
    }
  }
  for (const trovato& t : trovati) {
    if (t.tipo != resto::temporaneo) {
      chiudi_resto(cartella / t.nome, t.percorso, t.tipo, incompiuti.contains(t.insieme));
    }
  }
  for (const trovato& t : trovati) {
    if (t.tipo == resto::temporaneo) io::rimuovi(t.percorso);
  }
}

insieme_file::insieme_file(std::filesystem::path cartella) : cartella_(std::move(cartella)) {
  // The process and a counter: two runs in one folder never share a name.
  static std::atomic<unsigned> contatore{0};
  insieme_ = std::to_string(io::id_processo()) + "." + std::to_string(contatore++);
}

insieme_file::~insieme_file() {
  for (const pronto& p : pronti_) io::rimuovi(p.temporaneo);
}

void insieme_file::prepara(const std::filesystem::path& nome_file, const contenuto_file& contenuto,
                           bool eseguibile) {
  const std::filesystem::path destinazione = cartella_ / nome_file;
  controlla_destinazione(destinazione);
  const std::filesystem::path tmp = nome_di_resto(destinazione, insieme_, resto::temporaneo);
  const io::maniglia h = crea_temporaneo(destinazione, tmp, eseguibile);
  if (const codice_sistema errore = scrivi_e_chiudi(h, tmp, contenuto); errore != 0) {
    io::rimuovi(tmp);
    fallisci(destinazione, {"scrittura", "writing"}, errore);
  }
  pronti_.push_back({tmp, destinazione});
}

// Whether any file of the set is already there: only then can a kill leave a mixed set.
bool insieme_file::sostituisce() const {
  for (const pronto& p : pronti_) {
    io::tipo_voce tipo{};
    if (io::tipo_di(p.destinazione, tipo) != 0 || tipo != io::tipo_voce::assente) return true;
  }
  return false;
}

void insieme_file::conferma() {
  // A first set, or a single file, is renamed into place with nothing to put aside.
  if (pronti_.size() > 1 && sostituisce()) return conferma_insieme();
  for (const pronto& p : pronti_) {
    if (const codice_sistema c = io::rinomina(p.temporaneo, p.destinazione); c != 0) {
      fallisci(p.destinazione, {"sostituzione", "replacing"}, c);
    }
  }
  pronti_.clear();
}

void insieme_file::conferma_insieme() {
  std::vector<messo_da_parte> da_parte;
  try {
    for (const pronto& p : pronti_) da_parte.push_back(metti_da_parte(p.destinazione, insieme_));
    for (const pronto& p : pronti_) {
      if (const codice_sistema c = io::rinomina(p.temporaneo, p.destinazione); c != 0) {
        fallisci(p.destinazione, {"sostituzione", "replacing"}, c);
      }
    }
  } catch (const errore_io&) {
    for (std::size_t i = 0; i < da_parte.size(); ++i) {
      chiudi_resto(pronti_[i].destinazione, da_parte[i].percorso, da_parte[i].tipo, true);
    }
    throw;
  }
  pronti_.clear();
  for (const messo_da_parte& m : da_parte) io::rimuovi(m.percorso);
}

void sostituisci_file(const std::filesystem::path& destinazione, const contenuto_file& contenuto,
                      bool eseguibile) {
  insieme_file uno(destinazione.parent_path());
  uno.prepara(destinazione.filename(), contenuto, eseguibile);
  uno.conferma();
}

}  // namespace scenario
