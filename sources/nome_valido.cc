// Names that stay inside their folder on Linux and on Windows, and read as plain words to a
// shell.
#include "sources/nome_valido.h"

#include <string_view>

namespace scenario {

std::string nome_non_valido(const std::string& nome) {
  if (nome.empty()) return "is empty";
  // A leading "-" reads as an option to other commands, a leading "." hides the file.
  if (nome.front() == '-') return "begins with \"-\"";
  if (nome.front() == '.') return "begins with \".\"";
  if (nome.find("..") != std::string::npos) return "holds \"..\"";
  for (unsigned char c : nome) {
    if (c == '/' || c == '\\') return "holds a path separator";
    if (c < 0x20 || c > 0x7E) return "holds a character outside printable ASCII";
    // Not allowed in Windows file names, and wildcards or redirections to a shell.
    if (std::string_view("*?\"<>|:").find(static_cast<char>(c)) != std::string_view::npos) {
      return std::string("holds \"") + static_cast<char>(c) + "\", which a file name cannot hold";
    }
  }
  return "";
}

}  // namespace scenario
