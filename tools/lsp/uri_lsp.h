// The editor names a document by URI; a route's sources are files of one folder. Only `file:`
// URIs name files, and the URIs of a route's other sources are made from the one the editor
// sent, so that they look as it writes its own.
#ifndef TOOLS_LSP_URI_LSP_H_
#define TOOLS_LSP_URI_LSP_H_

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace scenario::strumento {

struct file_documento {
  std::filesystem::path cartella;
  std::string nome;          // the file's name, escapes decoded (UTF-8)
  std::string prefisso_uri;  // the URI as sent, up to the '/' before the name
};

// The file that `uri` names; nothing for another scheme, a host other than localhost, a
// malformed escape, a NUL, or a URI that ends in a folder.
std::optional<file_documento> file_di_uri(std::string_view uri);

// The URI of the file `nome` beside the one whose URI began with `prefisso`.
std::string uri_accanto(std::string_view prefisso, std::string_view nome);

}  // namespace scenario::strumento

#endif  // TOOLS_LSP_URI_LSP_H_
