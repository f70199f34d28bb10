// The folder of a compile kept in memory, by name: the tests' stand-in for a folder
// (io/cartella.h), over the files in memory of compiler/sorgenti.h.
#ifndef TESTS_FILE_IN_MEMORIA_H_
#define TESTS_FILE_IN_MEMORIA_H_

#include <map>
#include <optional>
#include <span>
#include <string>

#include "compiler/sorgenti.h"
#include "io/cartella.h"

namespace scenario {

// The folder of a compile: the sources it may read and remove, and the files it confirmed.
class cartella_in_memoria : public cartella_file {
 public:
  std::map<std::string, std::string> sorgenti;
  file_in_memoria scritti;

  std::optional<std::string> leggi(const std::string& nome) override {
    const auto trovato = sorgenti.find(nome);
    if (trovato == sorgenti.end()) return std::nullopt;
    return trovato->second;
  }
  void scrivi(const std::string& nome_file, const contenuto_file& contenuto) override {
    pronti_.scrivi(nome_file, contenuto);
  }
  void conferma() override {
    for (auto& [nome, byte] : pronti_.file) scritti.file[nome] = std::move(byte);
    pronti_.file.clear();
  }
  void rimuovi(const std::string& nome) override { sorgenti.erase(nome); }
  void ripara_interrotte(std::span<const std::string>) override {}

 private:
  file_in_memoria pronti_;
};

}  // namespace scenario

#endif  // TESTS_FILE_IN_MEMORIA_H_
