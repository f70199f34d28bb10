// Columns of Windows-1252 text counted as its characters take in UTF-8 or UTF-16.
#include "tools/lsp/luoghi_lsp.h"

#include <algorithm>

#include "compiler/testo_1252.h"

namespace scenario::strumento {
namespace {

// Every Windows-1252 character is in the basic plane: one UTF-16 unit, one to three UTF-8 bytes.
int64_t unita_carattere_1252(unsigned char b, codifica_posizioni c) {
  if (c == codifica_posizioni::utf16) return 1;
  const char32_t u = carattere_1252(b);
  return u < 0x80 ? 1 : u < 0x800 ? 2 : 3;
}

}  // namespace

int64_t unita_di_1252(std::string_view riga, int64_t caratteri, codifica_posizioni c) {
  const auto n =
      std::min<std::size_t>(riga.size(), static_cast<std::size_t>(std::max<int64_t>(caratteri, 0)));
  int64_t unita = 0;
  for (std::size_t i = 0; i < n; ++i) unita += unita_carattere_1252(riga[i], c);
  return unita;
}

intervallo_lsp luoghi_testo::intervallo(const intervallo_sorgente& i) {
  const auto riga = i.valido() ? righe_.riga(i.riga - 1) : std::nullopt;
  if (!riga) return {};
  const auto unita = [&](int64_t caratteri) {
    return in_1252_ ? unita_di_1252(*riga, caratteri, codifica_)
                    : unita_di(*riga, caratteri, codifica_);
  };
  const int64_t r = i.riga - 1;
  return {{r, unita(i.colonna - 1)}, {r, unita(std::max(i.colonna_fine, i.colonna) - 1)}};
}

nlohmann::json json_posizione(posizione_lsp p) {
  return {{"line", p.riga}, {"character", p.carattere}};
}

nlohmann::json json_intervallo(const intervallo_lsp& i) {
  return {{"start", json_posizione(i.inizio)}, {"end", json_posizione(i.fine)}};
}

}  // namespace scenario::strumento
