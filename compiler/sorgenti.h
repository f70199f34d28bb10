// Where written files go: a name and a procedure that writes the bytes. The package and
// scenario-tool replace files in a folder (io/cartella.h); `file_in_memoria` keeps them in
// memory, for tests, fuzzers and a command that looks at what it would write first.
#ifndef COMPILER_SORGENTI_H_
#define COMPILER_SORGENTI_H_

#include <functional>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>

namespace scenario {

// Receives each compiled file: a name and a procedure that writes its bytes.
class destinazione_file {
 public:
  virtual ~destinazione_file() = default;
  virtual void scrivi(const std::string& nome_file,
                      const std::function<void(std::ostream&)>& contenuto) = 0;
};

// The files written, by name, with their bytes.
class file_in_memoria : public destinazione_file {
 public:
  std::map<std::string, std::string> file;
  void scrivi(const std::string& nome_file,
              const std::function<void(std::ostream&)>& contenuto) override {
    std::ostringstream out(std::ios::binary);
    contenuto(out);
    file[nome_file] = std::move(out).str();
  }
};

}  // namespace scenario

#endif  // COMPILER_SORGENTI_H_
