// The scenario's fixed texts, one entry per line, in file order.
#ifndef SOURCES_CONTENUTI_H_
#define SOURCES_CONTENUTI_H_

#include <string_view>
#include <vector>

namespace scenario {

extern const std::vector<std::string_view> righe_linea;          // 99 lines
extern const std::vector<std::string_view> righe_treno;          // 65 lines
extern const std::vector<std::string_view> righe_scheda;         // 50 lines
extern const std::vector<std::string_view> righe_rallentamenti;  // 46 lines

}  // namespace scenario

#endif  // SOURCES_CONTENUTI_H_
