// File names of every output, formed from the route identifier and the train number.
#ifndef COMPILER_NOMI_FILE_H_
#define COMPILER_NOMI_FILE_H_

#include <string>

namespace scenario {

inline std::string nome_testo_linea(const std::string& linea) { return linea + "_linea.txt"; }
inline std::string nome_testo_treno(const std::string& linea, const std::string& treno) {
  return linea + "_" + treno + "-.txt";
}
inline std::string nome_documento(const std::string& linea, const std::string& treno,
                                  const std::string& coda) {
  return linea + "_" + treno + "_" + coda;
}
inline std::string nome_tracciato(const std::string& linea) { return linea + "_linea.dat"; }
inline std::string nome_stazioni(const std::string& linea, const std::string& treno) {
  return linea + "_" + treno + ".sim";
}
inline std::string nome_percorso(const std::string& linea, const std::string& treno) {
  return linea + "_" + treno + ".dat";
}

}  // namespace scenario

#endif  // COMPILER_NOMI_FILE_H_
