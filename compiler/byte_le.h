// Numbers as little-endian bytes, the order of every compiled file on any host.
#ifndef COMPILER_BYTE_LE_H_
#define COMPILER_BYTE_LE_H_

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace scenario {

// The low n bytes of v at p, least significant first: on a little-endian host these are the
// first n bytes of v in memory, copied with one store instead of n.
template <std::size_t n>
void metti_le(char* p, uint64_t v) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(p, &v, n);
  } else {
    for (std::size_t i = 0; i < n; ++i) p[i] = static_cast<char>((v >> (8 * i)) & 0xFFu);
  }
}

// The inverse of metti_le: n bytes at p, least significant first.
template <std::size_t n>
uint64_t leggi_le(const char* p) {
  uint64_t v = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&v, p, n);
  } else {
    for (std::size_t i = 0; i < n; ++i) v |= uint64_t{static_cast<unsigned char>(p[i])} << (8 * i);
  }
  return v;
}

}  // namespace scenario

#endif  // COMPILER_BYTE_LE_H_
