// Station names and board texts are single-byte Windows-1252; reports and pictures want UTF-8.
#ifndef TOOLS_DUMP_TESTO_1252_H_
#define TOOLS_DUMP_TESTO_1252_H_

#include <string>
#include <string_view>

namespace scenario::strumento {

// Every byte becomes one character; the five bytes of 0x80-0x9F that Windows-1252 leaves
// unassigned keep their C1 code point, so the conversion never fails and never loses a byte.
std::string da_windows_1252(std::string_view testo);

}  // namespace scenario::strumento

#endif  // TOOLS_DUMP_TESTO_1252_H_
