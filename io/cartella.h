// The files of one folder as the runs use them: sources read safely (lettura.h), outputs
// replaced one by one or as a set (scrittura.h).
#ifndef IO_CARTELLA_H_
#define IO_CARTELLA_H_

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "compiler/sorgenti.h"
#include "io/scrittura.h"

namespace scenario {

// A folder as the compile of a folder uses it (run/compila_in_cartella.h): its sources read,
// the compiled files written aside and then put in place together, sources removed.
// `cartella_su_disco` is the real one; tests that inject faults or keep files in memory
// stand in for it. Failures raise `errore_io`.
class cartella_file : public destinazione_file {
 public:
  // The whole text of the source `nome`, or nothing when no file has that name.
  virtual std::optional<std::string> leggi(const std::string& nome) = 0;
  // Every file written (`scrivi`) since the last call replaces its old copy; those never
  // confirmed are dropped when the object goes, and the old copies stay.
  virtual void conferma() = 0;
  // Removes the file `nome`, if it can; a file that stays is no failure.
  virtual void rimuovi(const std::string& nome) = 0;
  // Finishes or undoes what killed runs left while writing the files `nomi`, and removes their
  // temporaries (io/scrittura.h).
  virtual void ripara_interrotte(std::span<const std::string> nomi) = 0;
};

// The names of the regular files in `cartella` (a link to one counts) in UTF-8, sorted; none
// when it cannot be listed.
std::vector<std::string> nomi_file_in(const std::filesystem::path& cartella);

class cartella_su_disco : public cartella_file {
 public:
  explicit cartella_su_disco(std::filesystem::path cartella)
      : cartella_(cartella), insieme_(std::move(cartella)) {}
  std::optional<std::string> leggi(const std::string& nome) override;
  void scrivi(const std::string& nome_file, const contenuto_file& contenuto) override {
    insieme_.prepara(nome_file, contenuto);
  }
  void conferma() override { insieme_.conferma(); }
  void rimuovi(const std::string& nome) override;
  void ripara_interrotte(std::span<const std::string> nomi) override {
    ripara_scritture_interrotte(cartella_, nomi);
  }

 private:
  std::filesystem::path cartella_;
  insieme_file insieme_;
};

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

}  // namespace scenario

#endif  // IO_CARTELLA_H_
