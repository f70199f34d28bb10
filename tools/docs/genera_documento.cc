// Regenerates the generated parts of docs/sorgenti.md in place:
//   genera-documento docs/sorgenti.md
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "tools/docs/documento_sorgenti.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: genera-documento FILE.md\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::string testo((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) {
    std::fprintf(stderr, "genera-documento: %s cannot be read\n", argv[1]);
    return 1;
  }
  try {
    const std::string nuovo = scenario::strumento::aggiorna_documento(testo);
    if (nuovo == testo) return 0;
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << nuovo;
    return out.good() ? 0 : 1;
  } catch (const std::invalid_argument& e) {
    std::fprintf(stderr, "genera-documento: %s: %s\n", argv[1], e.what());
    return 1;
  }
}
