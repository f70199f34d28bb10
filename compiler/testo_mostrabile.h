// Names and paths that come from outside (the command line, a folder, a package's payload) as
// a message may show them: nothing in them can drive a terminal, end the message early or
// make it endless. Header-only, so that the payload library, which links nothing of the
// compiler, shares it.
#ifndef COMPILER_TESTO_MOSTRABILE_H_
#define COMPILER_TESTO_MOSTRABILE_H_

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace scenario {

// A longer text keeps its first and last half of this many characters around "...".
inline constexpr std::size_t caratteri_mostrati = 120;

namespace dettaglio {

// Bytes of the UTF-8 character that begins `t`; 0 when they are no character (a stray byte).
inline std::size_t carattere_utf8(std::string_view t) {
  const auto b = static_cast<unsigned char>(t[0]);
  const std::size_t n = b < 0x80                 ? 1
                        : b >= 0xC2 && b <= 0xDF ? 2
                        : b >= 0xE0 && b <= 0xEF ? 3
                        : b >= 0xF0 && b <= 0xF4 ? 4
                                                 : 0;
  if (n == 0 || n > t.size()) return 0;
  for (std::size_t i = 1; i < n; ++i) {
    if ((static_cast<unsigned char>(t[i]) & 0xC0) != 0x80) return 0;
  }
  return n;
}

// A control character (C0, DEL or, in UTF-8, C1) or a stray byte.
inline bool da_sfuggire(std::string_view c) {
  const auto b = static_cast<unsigned char>(c[0]);
  if (c.size() == 1) return b < 0x20 || b >= 0x7F;
  return b == 0xC2 && static_cast<unsigned char>(c[1]) <= 0x9F;
}

inline void aggiungi_mostrabile(std::string& t, std::string_view c) {
  if (!da_sfuggire(c)) {
    t += c;
    return;
  }
  for (const char b : c) {
    char x[8];
    std::snprintf(x, sizeof x, "\\x%02x", static_cast<unsigned char>(b));
    t += x;
  }
}

}  // namespace dettaglio

// `testo` with each control character and each byte that is not UTF-8 written as \xNN (NUL
// as \x00), cut to its first and last caratteri_mostrati / 2 characters when it is longer.
inline std::string testo_mostrabile(std::string_view testo) {
  const auto lunghezza = [&](std::size_t i) {
    return std::max<std::size_t>(1, dettaglio::carattere_utf8(testo.substr(i)));
  };
  std::size_t caratteri = 0;
  for (std::size_t i = 0; i < testo.size(); i += lunghezza(i)) ++caratteri;
  const std::size_t meta = caratteri_mostrati / 2;
  const bool taglia = caratteri > caratteri_mostrati;
  std::string t;
  std::size_t k = 0;
  for (std::size_t i = 0; i < testo.size(); ++k) {
    const std::size_t n = lunghezza(i);
    if (taglia && k == meta) t += "...";
    if (!taglia || k < meta || k >= caratteri - meta) {
      dettaglio::aggiungi_mostrabile(t, testo.substr(i, n));
    }
    i += n;
  }
  return t;
}

}  // namespace scenario

#endif  // COMPILER_TESTO_MOSTRABILE_H_
