// file: URIs read and written with percent escapes.
#include "tools/lsp/uri_lsp.h"

#include "compiler/lettore_campi.h"

namespace scenario::strumento {
namespace {

int cifra_esadecimale(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  const char m = minuscola(c);
  if (m >= 'a' && m <= 'f') return m - 'a' + 10;
  return -1;
}

// `s` with every %XX replaced by its byte; nothing for a '%' without two hex digits or a NUL.
std::optional<std::string> senza_escape(std::string_view s) {
  std::string d;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '%') {
      d += s[i];
      continue;
    }
    const int alta = i + 2 < s.size() ? cifra_esadecimale(s[i + 1]) : -1;
    const int bassa = alta >= 0 ? cifra_esadecimale(s[i + 2]) : -1;
    if (bassa < 0) return std::nullopt;
    d += static_cast<char>(alta * 16 + bassa);
    i += 2;
  }
  if (d.find('\0') != std::string::npos) return std::nullopt;
  return d;
}

// After "file:": "//host/path" with an empty host or localhost, or "/path"; the path only.
std::optional<std::string_view> percorso_di(std::string_view resto) {
  if (!resto.starts_with("//")) return resto.starts_with("/") ? std::optional(resto) : std::nullopt;
  resto.remove_prefix(2);
  const std::size_t barra = resto.find('/');
  if (barra == std::string_view::npos) return std::nullopt;
  const std::string host = minuscole(resto.substr(0, barra));
  if (!host.empty() && host != "localhost") return std::nullopt;
  return resto.substr(barra);
}

}  // namespace

std::optional<file_documento> file_di_uri(std::string_view uri) {
  if (uri.size() < 5 || minuscole(uri.substr(0, 5)) != "file:") return std::nullopt;
  const std::optional<std::string_view> percorso =
      percorso_di(uri.substr(5, uri.find_first_of("?#") - 5));
  if (!percorso) return std::nullopt;
  const std::size_t barra = percorso->rfind('/');
  const std::string_view nome = percorso->substr(barra + 1);
  std::optional<std::string> cartella = senza_escape(percorso->substr(0, barra + 1));
  std::optional<std::string> nome_libero = senza_escape(nome);
  if (!cartella || !nome_libero || nome_libero->empty() ||
      nome_libero->find('/') != std::string::npos) {
    return std::nullopt;
  }
#ifdef _WIN32
  // "/c:/route/" is the folder c:/route/.
  if (cartella->size() >= 3 && (*cartella)[2] == ':') cartella->erase(0, 1);
#endif
  file_documento f;
  f.cartella = std::filesystem::path(std::u8string(cartella->begin(), cartella->end()));
  f.nome = std::move(*nome_libero);
  f.prefisso_uri = std::string(uri.substr(0, static_cast<std::size_t>(nome.data() - uri.data())));
  return f;
}

std::string uri_accanto(std::string_view prefisso, std::string_view nome) {
  static constexpr char cifre[] = "0123456789ABCDEF";
  std::string u(prefisso);
  for (const char c : nome) {
    const auto b = static_cast<unsigned char>(c);
    const bool libero = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') ||
                        (b >= '0' && b <= '9') || c == '-' || c == '.' || c == '_' || c == '~';
    if (libero) {
      u += c;
    } else {
      ((u += '%') += cifre[b >> 4]) += cifre[b & 0xF];
    }
  }
  return u;
}

}  // namespace scenario::strumento
