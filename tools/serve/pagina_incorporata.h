// The page's files, built into the program from tools/serve/pagina/ (CMake writes their bytes
// into a generated source), at the fixed paths the server answers: nothing of the page is read
// from the disk or fetched from the network when it runs.
#ifndef TOOLS_SERVE_PAGINA_INCORPORATA_H_
#define TOOLS_SERVE_PAGINA_INCORPORATA_H_

#include <span>
#include <string_view>

#include "tools/serve/servizio_http.h"

namespace scenario::strumento {

// The bytes of file `nome` of tools/serve/pagina/ ("index.html", "vendor/d3-zoom.min.js");
// empty for a file that was not built in. Defined in the generated source.
std::string_view file_della_pagina(std::string_view nome);

// "/" (the page), its script, its style sheet and the pan-and-zoom library.
std::span<const risorsa_http> risorse_pagina();

}  // namespace scenario::strumento

#endif  // TOOLS_SERVE_PAGINA_INCORPORATA_H_
