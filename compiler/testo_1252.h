// The sources, and so station names and board texts, are single-byte Windows-1252; reports,
// pictures and editors want UTF-8.
#ifndef COMPILER_TESTO_1252_H_
#define COMPILER_TESTO_1252_H_

#include <optional>
#include <string>
#include <string_view>

namespace scenario {

// Every byte becomes one character; the five bytes of 0x80-0x9F that Windows-1252 leaves
// unassigned keep their C1 code point, so the conversion never fails and never loses a byte.
std::string da_windows_1252(std::string_view testo);

// The character of one byte, as `da_windows_1252` reads it.
char32_t carattere_1252(unsigned char b);

// The byte whose character is `c`: the inverse of `carattere_1252`, nothing for a character
// that Windows-1252 cannot write.
std::optional<char> byte_1252(char32_t c);

}  // namespace scenario

#endif  // COMPILER_TESTO_1252_H_
