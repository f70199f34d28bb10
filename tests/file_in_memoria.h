// A destination that keeps the written files in memory, by name: the tests' and the fuzzers'
// stand-in for a folder.
#ifndef TESTS_FILE_IN_MEMORIA_H_
#define TESTS_FILE_IN_MEMORIA_H_

#include <map>
#include <sstream>
#include <string>

#include "compiler/sorgenti.h"

namespace scenario {

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

#endif  // TESTS_FILE_IN_MEMORIA_H_
