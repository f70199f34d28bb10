// The compiler's sources and destinations as files of one folder: sources read safely
// (lettura.h), outputs replaced one by one or as a set (scrittura.h).
#ifndef IO_CARTELLA_H_
#define IO_CARTELLA_H_

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/compilatore.h"
#include "compiler/nomi_file.h"
#include "compiler/sorgenti.h"
#include "io/errore_file.h"
#include "io/scrittura.h"

namespace scenario {

// The two text sources of a route and train in `cartella` (io/lettura.h): a missing file is
// nothing; one that exists but cannot be read raises `errore_file`.
testi_sorgenti leggi_testi(const std::filesystem::path& cartella, const opzioni_compilazione& o);

// The names of the regular files in `cartella` (a link to one counts) in UTF-8, sorted; none
// when it cannot be listed.
std::vector<std::string> nomi_file_in(const std::filesystem::path& cartella);

// The text of the source named `file` (as messages name it), or nothing.
inline std::string_view testo_sorgente(const testi_sorgenti& t, const opzioni_compilazione& o,
                                       const std::string& file) {
  const std::optional<std::string>* testo = nullptr;
  if (file == nome_testo_linea(o.nome_linea)) testo = &t.linea;
  if (file == nome_testo_treno(o.nome_linea, o.numero_treno)) testo = &t.treno;
  return testo != nullptr && *testo ? std::string_view(**testo) : std::string_view();
}

// A file's name as the author can open it from where a command was started: joined to the
// folder as it was given, alone when that folder is the current one.
inline std::string percorso_mostrato(const std::string& cartella, const std::string& nome) {
  if (cartella.empty() || cartella == ".") return nome;
  return cartella.back() == '/' ? cartella + nome : cartella + "/" + nome;
}

// Each file replaced on its own as soon as it is written.
class file_in_cartella : public destinazione_file {
 public:
  explicit file_in_cartella(std::filesystem::path cartella) : cartella_(std::move(cartella)) {}
  void scrivi(const std::string& nome_file, const contenuto_file& contenuto) override {
    sostituisci_file(cartella_ / nome_file, contenuto);
  }

 private:
  std::filesystem::path cartella_;
};

// As `file_in_cartella`, for a run that writes its own sources: those of `sorgenti` that it
// wrote are removed again if the object goes before `concludi`, so that a run ending in a
// failure leaves none of them behind.
class testi_scritti_in_cartella : public destinazione_file {
 public:
  testi_scritti_in_cartella(std::filesystem::path cartella, std::vector<std::string> sorgenti)
      : cartella_(std::move(cartella)), sorgenti_(std::move(sorgenti)) {}
  ~testi_scritti_in_cartella() override;
  testi_scritti_in_cartella(const testi_scritti_in_cartella&) = delete;
  testi_scritti_in_cartella& operator=(const testi_scritti_in_cartella&) = delete;

  void scrivi(const std::string& nome_file, const contenuto_file& contenuto) override;
  void concludi() { scritte_.clear(); }

 private:
  std::filesystem::path cartella_;
  std::vector<std::string> sorgenti_;
  std::vector<std::string> scritte_;
};

// The files written, each in full, to temporaries; they replace the old ones together on
// `conferma`, and not at all if it is never called.
class insieme_in_cartella : public destinazione_file {
 public:
  explicit insieme_in_cartella(std::filesystem::path cartella) : insieme_(std::move(cartella)) {}
  void scrivi(const std::string& nome_file, const contenuto_file& contenuto) override {
    insieme_.prepara(nome_file, contenuto);
  }
  void conferma() { insieme_.conferma(); }

 private:
  insieme_file insieme_;
};

}  // namespace scenario

#endif  // IO_CARTELLA_H_
