// Where the compiler finds its two text sources and where its files go. Folders are io/'s
// (io/cartella.h); tests and fuzzers hand them over in memory.
#ifndef COMPILER_SORGENTI_H_
#define COMPILER_SORGENTI_H_

#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>

namespace scenario {

enum class sorgente { linea, treno };

class archivio_sorgenti {
 public:
  virtual ~archivio_sorgenti() = default;
  // The whole text, or nothing when the source does not exist. A source that exists but
  // cannot be read raises `guasto`.
  virtual std::optional<std::string> leggi(sorgente s) = 0;
  // Deletes the source if it exists and the caller asked for it.
  virtual void cancella(sorgente s) = 0;
  // The source's file name, for messages.
  virtual std::string nome(sorgente s) const = 0;
};

// Sources held in memory; a missing entry is a missing file.
class sorgenti_in_memoria : public archivio_sorgenti {
 public:
  std::optional<std::string> linea;
  std::optional<std::string> treno;
  int cancellazioni = 0;

  std::optional<std::string> leggi(sorgente s) override {
    return s == sorgente::linea ? linea : treno;
  }
  void cancella(sorgente s) override {
    auto& t = s == sorgente::linea ? linea : treno;
    if (t) ++cancellazioni;
    t.reset();
  }
  std::string nome(sorgente s) const override {
    return s == sorgente::linea ? "linea.txt" : "treno.txt";
  }
};

// Receives each compiled file: a name and a procedure that writes its bytes.
class destinazione_file {
 public:
  virtual ~destinazione_file() = default;
  virtual void scrivi(const std::string& nome_file,
                      const std::function<void(std::ostream&)>& contenuto) = 0;
};

// Keeps the written files in memory, by name.
class file_in_memoria : public destinazione_file {
 public:
  std::map<std::string, std::string> file;
  void scrivi(const std::string& nome_file,
              const std::function<void(std::ostream&)>& contenuto) override;
};

}  // namespace scenario

#endif  // COMPILER_SORGENTI_H_
