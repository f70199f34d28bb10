// The escapes of the text dump, byte by byte at the edges of the ranges.
#include "tools/dump/descrizione_testo.h"

#include <gtest/gtest.h>

namespace scenario::strumento {
namespace {

TEST(Mostrabile, ControlliEscapati) {
  struct caso {
    std::string_view testo;
    const char* atteso;
  };
  for (const caso& c :
       {caso{"ARONA", "ARONA"}, caso{"\x1b[2J", "\\x1b[2J"}, caso{"a\x07z", "a\\x07z"},
        caso{"\x1f \x20", "\\x1f  "}, caso{"\x7f", "\\x7f"}, caso{"\t\n\r", "\\x09\\x0a\\x0d"},
        caso{"a\\b", "a\\\\b"}, caso{"\u0080\u009d\u009f", "\\x80\\x9d\\x9f"},
        caso{"\u00a0\u00e8\u20ac", "\u00a0\u00e8\u20ac"}, caso{"\xc2", "\xc2"}}) {
    EXPECT_EQ(mostrabile(c.testo), c.atteso) << c.testo;
  }
  EXPECT_EQ(mostrabile(std::string_view("a\0b", 3)), "a\\x00b");
}

}  // namespace
}  // namespace scenario::strumento
