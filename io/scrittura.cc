// Atomic replacement of output files, alone or as a set, over the system calls of sistema.h.
#include "io/scrittura.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <streambuf>
#include <string_view>
#include <system_error>

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

// A temporary name of this run alone: the process and a counter, so that two runs in one
// folder never write into the same temporary.
std::filesystem::path nome_temporaneo(const std::filesystem::path& destinazione) {
  static std::atomic<unsigned> contatore{0};
  std::filesystem::path tmp = destinazione;
  tmp += "." + std::to_string(io::id_processo()) + "." + std::to_string(contatore++) + ".tmp";
  return tmp;
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

// NAME.PROCESS.COUNTER.tmp, as `nome_temporaneo` forms it.
bool temporaneo_di(std::string_view candidato, std::string_view nome_file) {
  if (!candidato.starts_with(nome_file) || !candidato.ends_with(".tmp")) return false;
  candidato.remove_prefix(nome_file.size());
  candidato.remove_suffix(4);
  if (!candidato.starts_with('.')) return false;
  candidato.remove_prefix(1);
  const std::size_t punto = candidato.find('.');
  return punto != std::string_view::npos && solo_cifre(candidato.substr(0, punto)) &&
         solo_cifre(candidato.substr(punto + 1));
}

}  // namespace

void rimuovi_temporanei_orfani(const std::filesystem::path& cartella,
                               std::span<const std::string> nomi_file) {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(cartella, ec), fine; !ec && it != fine;
       it.increment(ec)) {
    const std::string candidato = it->path().filename().string();
    const bool di_uno = std::any_of(nomi_file.begin(), nomi_file.end(), [&](const std::string& n) {
      return temporaneo_di(candidato, n);
    });
    if (di_uno && it->symlink_status(ec).type() == std::filesystem::file_type::regular) {
      io::rimuovi(it->path());
    }
  }
}

insieme_file::~insieme_file() {
  for (const pronto& p : pronti_) io::rimuovi(p.temporaneo);
}

void insieme_file::prepara(const std::filesystem::path& nome_file, const contenuto_file& contenuto,
                           bool eseguibile) {
  const std::filesystem::path destinazione = cartella_ / nome_file;
  controlla_destinazione(destinazione);
  const std::filesystem::path tmp = nome_temporaneo(destinazione);
  const io::maniglia h = crea_temporaneo(destinazione, tmp, eseguibile);
  if (const codice_sistema errore = scrivi_e_chiudi(h, tmp, contenuto); errore != 0) {
    io::rimuovi(tmp);
    fallisci(destinazione, {"scrittura", "writing"}, errore);
  }
  pronti_.push_back({tmp, destinazione});
}

void insieme_file::conferma() {
  std::size_t fatti = 0;
  for (; fatti < pronti_.size(); ++fatti) {
    const pronto& p = pronti_[fatti];
    if (const codice_sistema c = io::rinomina(p.temporaneo, p.destinazione); c != 0) {
      const std::filesystem::path destinazione = p.destinazione;
      pronti_.erase(pronti_.begin(), pronti_.begin() + static_cast<std::ptrdiff_t>(fatti));
      fallisci(destinazione, {"sostituzione", "replacing"}, c);
    }
  }
  pronti_.clear();
}

void sostituisci_file(const std::filesystem::path& destinazione, const contenuto_file& contenuto,
                      bool eseguibile) {
  insieme_file uno(destinazione.parent_path());
  uno.prepara(destinazione.filename(), contenuto, eseguibile);
  uno.conferma();
}

}  // namespace scenario
