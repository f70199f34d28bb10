// The sources, and so station names and board texts, are single-byte Windows-1252; reports,
// pictures and editors want UTF-8.
#ifndef COMPILER_TESTO_1252_H_
#define COMPILER_TESTO_1252_H_

#include <string>
#include <string_view>

namespace scenario {

// Every byte becomes one character; the five bytes of 0x80-0x9F that Windows-1252 leaves
// unassigned keep their C1 code point, so the conversion never fails and never loses a byte.
std::string da_windows_1252(std::string_view testo);

}  // namespace scenario

#endif  // COMPILER_TESTO_1252_H_
