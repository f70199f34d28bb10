// Where written files go: a name and a procedure that writes the bytes. The package and
// scenario-tool replace files in a folder; tests and fuzzers keep them in memory.
#ifndef COMPILER_SORGENTI_H_
#define COMPILER_SORGENTI_H_

#include <functional>
#include <map>
#include <ostream>
#include <string>

namespace scenario {

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
