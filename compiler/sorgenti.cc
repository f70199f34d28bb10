// Compiled files kept in memory.
#include "compiler/sorgenti.h"

#include <sstream>

namespace scenario {

void file_in_memoria::scrivi(const std::string& nome_file,
                             const std::function<void(std::ostream&)>& contenuto) {
  std::ostringstream out(std::ios::binary);
  contenuto(out);
  file[nome_file] = std::move(out).str();
}

}  // namespace scenario
