// Names and paths in messages: every control character and stray byte escaped, UTF-8 kept,
// a huge text cut around its middle.
#include "compiler/testo_mostrabile.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario {
namespace {

TEST(TestoMostrabile, SfuggeICaratteriDiControlloETieneLUtf8) {
  struct caso {
    std::string testo;
    std::string mostrato;
  };
  const caso casi[] = {
      {"ARONA_DOMODOSSOLA", "ARONA_DOMODOSSOLA"},
      {std::string("a\0b", 3), "a\\x00b"},
      {"a\x1b[2Jb\x07", "a\\x1b[2Jb\\x07"},
      {"\x1f \x7f~", "\\x1f \\x7f~"},
      {"\t\r\n", "\\x09\\x0d\\x0a"},
      {"C:\\percorso", "C:\\percorso"},
      {"citt\xc3\xa0 \xe2\x82\xac \xf0\x9f\x9a\x86", "citt\xc3\xa0 \xe2\x82\xac \xf0\x9f\x9a\x86"},
      {"\xc2\x9d\xc2\x80\xc2\xa0", "\\xc2\\x9d\\xc2\\x80\xc2\xa0"},
      {"citt\xe0", "citt\\xe0"},
      {"\xff\xfe", "\\xff\\xfe"},
      {"\xe2\x82", "\\xe2\\x82"},
      {"\xc0\x9b", "\\xc0\\x9b"},
      {"\xf5\x80\x80\x80", "\\xf5\\x80\\x80\\x80"},
  };
  for (const caso& c : casi) EXPECT_EQ(testo_mostrabile(c.testo), c.mostrato) << c.mostrato;
}

// 120 characters are shown whole; one more and the middle goes, a character counted as one
// whatever its bytes.
TEST(TestoMostrabile, TagliaOltre120Caratteri) {
  const std::string centoventi = std::string(60, 'a') + std::string(60, 'z');
  EXPECT_EQ(testo_mostrabile(centoventi), centoventi);
  EXPECT_EQ(testo_mostrabile(std::string(60, 'a') + "m" + std::string(60, 'z')),
            std::string(60, 'a') + "..." + std::string(60, 'z'));
  EXPECT_EQ(testo_mostrabile(std::string(1 << 20, 'x')),
            std::string(60, 'x') + "..." + std::string(60, 'x'));
  std::string euro;
  for (int i = 0; i < 121; ++i) euro += "\xe2\x82\xac";
  std::string atteso;
  for (int i = 0; i < 60; ++i) atteso += "\xe2\x82\xac";
  EXPECT_EQ(testo_mostrabile(euro), atteso + "..." + atteso);
  const std::string nul(200, '\0');
  std::string sessanta;
  for (int i = 0; i < 60; ++i) sessanta += "\\x00";
  EXPECT_EQ(testo_mostrabile(nul), sessanta + "..." + sessanta);
}

}  // namespace
}  // namespace scenario
