// Route and train names become file names: the one rule for which names may, shared by
// scenario-tool, which refuses the others, and the package, which finds them in its payload.
#ifndef SOURCES_NOME_VALIDO_H_
#define SOURCES_NOME_VALIDO_H_

#include <string>

namespace scenario {

// Empty when `nome` may stand in a file name; otherwise why not.
std::string nome_non_valido(const std::string& nome);

}  // namespace scenario

#endif  // SOURCES_NOME_VALIDO_H_
