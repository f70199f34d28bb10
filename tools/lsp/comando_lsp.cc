// scenario-tool lsp: the editor server on standard input and output (docs/editori.md).
#include <csignal>
#include <iostream>
#include <memory>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "tools/cli/comandi.h"
#include "tools/lsp/connessione_lsp.h"
#include "tools/lsp/disco_lsp.h"

namespace scenario::strumento {
namespace {

int esegui_lsp() {
#ifdef SIGPIPE
  // An editor that goes away ends the connection through a failed write, not a signal.
  std::signal(SIGPIPE, SIG_IGN);
#endif
#ifdef _WIN32
  // The frames count bytes: no CR LF translation on either stream.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  disco_reale disco;
  return connessione_lsp(std::cin, std::cout, disco);
}

}  // namespace

void registra_lsp(CLI::App& app) {
  auto* comando = app.add_subcommand(
      "lsp",
      "Serve the route sources to an editor (Language Server Protocol on standard input and "
      "output): problems as you type and completion; see docs/editori.md");
  // Clients that start a server on standard input and output often say so.
  auto stdio = std::make_shared<bool>();
  comando->add_flag("--stdio", *stdio,
                    "Accepted and ignored: standard input and output are the only way");
  comando->callback([stdio] { concludi(esegui_lsp()); });
}

}  // namespace scenario::strumento
