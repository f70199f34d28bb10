// Where written files go: a name and a procedure that writes the bytes. The package and
// scenario-tool replace files in a folder (io/cartella.h); tests and fuzzers keep them in
// memory (tests/file_in_memoria.h).
#ifndef COMPILER_SORGENTI_H_
#define COMPILER_SORGENTI_H_

#include <functional>
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

}  // namespace scenario

#endif  // COMPILER_SORGENTI_H_
