#include "compiler/testo_1252.h"

#include <algorithm>
#include <iterator>

namespace scenario {
namespace {

// 0x80 to 0x9F.
constexpr char32_t alti[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                               0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

void aggiungi_utf8(std::string& u, char32_t c) {
  if (c < 0x80) {
    u += static_cast<char>(c);
  } else if (c < 0x800) {
    u += static_cast<char>(0xC0 | (c >> 6));
    u += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    u += static_cast<char>(0xE0 | (c >> 12));
    u += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    u += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

char32_t carattere_1252(unsigned char b) {
  return (b >= 0x80 && b < 0xA0) ? alti[b - 0x80] : char32_t{b};
}

std::optional<char> byte_1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  const auto* it = std::find(std::begin(alti), std::end(alti), c);
  if (it == std::end(alti)) return std::nullopt;
  return static_cast<char>(0x80 + (it - std::begin(alti)));
}

std::string da_windows_1252(std::string_view testo) {
  std::string u;
  u.reserve(testo.size());
  for (char ch : testo) aggiungi_utf8(u, carattere_1252(static_cast<unsigned char>(ch)));
  return u;
}

}  // namespace scenario
