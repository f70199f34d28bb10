// Names that stay inside their folder on Linux and on Windows, read as plain words to a shell,
// and never make two files of a run one.
#include "sources/nome_valido.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "compiler/nomi_file.h"
#include "sources/carico.h"

namespace scenario {

std::string nome_non_valido(const std::string& nome) {
  if (nome.empty()) return "is empty";
  if (nome.size() > caratteri_massimi_nome) {
    return "is " + std::to_string(nome.size()) + " characters long, more than the " +
           std::to_string(caratteri_massimi_nome) + " a name may have";
  }
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

namespace {

bool uguali_senza_maiuscole(std::string_view a, std::string_view b) {
  const auto minuscola = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return minuscola(x) == minuscola(y); });
}

}  // namespace

std::string nomi_in_conflitto(const std::string& linea, const std::string& treno) {
  const std::pair<std::string, const char*> file[] = {
      {nome_testo_linea(linea), "line description"},
      {nome_testo_treno(linea, treno), "train service"},
      {nome_documento(linea, treno, code_documenti[0]), "notes"},
      {nome_documento(linea, treno, code_documenti[1]), "slow-order form"},
      {nome_documento(linea, treno, code_documenti[2]), "train card"},
      {nome_tracciato(linea), "track plan"},
      {nome_stazioni(linea, treno), "station table"},
      {nome_percorso(linea, treno), "route cells"}};
  for (std::size_t i = 0; i < std::size(file); ++i) {
    for (std::size_t j = i + 1; j < std::size(file); ++j) {
      const auto& [a, cosa_a] = file[i];
      const auto& [b, cosa_b] = file[j];
      if (!uguali_senza_maiuscole(a, b)) continue;
      const std::string quali = std::string("the ") + cosa_a + " and the " + cosa_b;
      return a == b
                 ? quali + " would be one file, " + a
                 : quali + " would be one file where case is ignored (Windows), " + a + " and " + b;
    }
  }
  return "";
}

}  // namespace scenario
