// Route and train names become file names: the one rule for which names may, shared by
// scenario-tool, which refuses the others, and the package, which finds them in its payload.
#ifndef SOURCES_NOME_VALIDO_H_
#define SOURCES_NOME_VALIDO_H_

#include <cstddef>
#include <string>

namespace scenario {

// The longest route or train name: with the other name, the longest fixed tail
// ("_scheda_treno.txt") and a temporary's ".PROCESS.COUNTER.tmp" a file name stays far within
// the 255 bytes that Linux and Windows allow.
inline constexpr std::size_t caratteri_massimi_nome = 100;

// Empty when `nome` may stand in a file name; otherwise why not.
std::string nome_non_valido(const std::string& nome);

// Empty when the route `linea` and the train `treno` give each of the eight files of a run
// (the two sources, the three documents, the three compiled files) a name of its own, also
// where case is ignored (Windows); otherwise which two files would share one.
std::string nomi_in_conflitto(const std::string& linea, const std::string& treno);

}  // namespace scenario

#endif  // SOURCES_NOME_VALIDO_H_
