// The paths of the page's files.
#include "tools/serve/pagina_incorporata.h"

namespace scenario::strumento {

std::span<const risorsa_http> risorse_pagina() {
  static const risorsa_http risorse[] = {
      {"/", "text/html; charset=utf-8", file_della_pagina("index.html")},
      {"/pagina.css", "text/css; charset=utf-8", file_della_pagina("pagina.css")},
      {"/pagina.js", "text/javascript; charset=utf-8", file_della_pagina("pagina.js")},
      {"/d3-zoom.min.js", "text/javascript; charset=utf-8",
       file_della_pagina("vendor/d3-zoom.min.js")},
  };
  return risorse;
}

}  // namespace scenario::strumento
