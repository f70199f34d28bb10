// file: URIs to files and back: escapes, hosts, and what names no file.
#include "tools/lsp/uri_lsp.h"

#include <gtest/gtest.h>

namespace scenario::strumento {
namespace {

TEST(UriLsp, FileDiUnUri) {
  struct caso {
    std::string_view uri;
    const char* cartella;
    const char* nome;
    const char* prefisso;
  };
  for (const caso& c : {
           caso{"file:///tmp/r/R_linea.txt", "/tmp/r/", "R_linea.txt", "file:///tmp/r/"},
           caso{"FILE://localhost/a/R_7-.txt", "/a/", "R_7-.txt", "FILE://localhost/a/"},
           caso{"file:/a%20b/C%C3%A0_linea.txt", "/a b/", "C\xC3\xA0_linea.txt", "file:/a%20b/"},
           caso{"file:///a/x%5fy.txt?q#f", "/a/", "x_y.txt", "file:///a/"},
           caso{"file:///R_linea.txt", "/", "R_linea.txt", "file:///"},
       }) {
    const std::optional<file_documento> f = file_di_uri(c.uri);
    ASSERT_TRUE(f.has_value()) << c.uri;
    EXPECT_EQ(f->cartella, std::filesystem::path(c.cartella)) << c.uri;
    EXPECT_EQ(f->nome, c.nome) << c.uri;
    EXPECT_EQ(f->prefisso_uri, c.prefisso) << c.uri;
  }
}

TEST(UriLsp, NessunFile) {
  for (std::string_view uri :
       {"", "file:", "untitled:Untitled-1", "http://h/a.txt", "file://host/a",
        "file://server/share/a.txt", "file:///a/", "file:///a/b%2Fc.txt", "file:///a/%zz.txt",
        "file:///a/%4", "file:///a/x%00.txt", "file:relative.txt"}) {
    EXPECT_FALSE(file_di_uri(uri).has_value()) << uri;
  }
}

TEST(UriLsp, UriAccanto) {
  EXPECT_EQ(uri_accanto("file:///a%20b/", "R_7-.txt"), "file:///a%20b/R_7-.txt");
  EXPECT_EQ(uri_accanto("file:///a/", "x y~z#%\xC3\xA0"), "file:///a/x%20y~z%23%25%C3%A0");
  // Back again to the same file.
  const std::optional<file_documento> f = file_di_uri(uri_accanto("file:///a/", "x y#%.txt"));
  ASSERT_TRUE(f.has_value());
  EXPECT_EQ(f->nome, "x y#%.txt");
}

}  // namespace
}  // namespace scenario::strumento
