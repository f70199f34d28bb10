// A whole connection of the editor server on two streams: frames read, messages handled, answers
// framed back, until `exit` or the end of the input.
#ifndef TOOLS_LSP_CONNESSIONE_LSP_H_
#define TOOLS_LSP_CONNESSIONE_LSP_H_

#include <istream>
#include <ostream>

#include "tools/lsp/disco_lsp.h"

namespace scenario::strumento {

// The exit status: 0 after shutdown and exit, 1 for exit without shutdown, for an input that
// ends first or for an output that can no longer be written.
int connessione_lsp(std::istream& in, std::ostream& out, disco_lsp& disco);

}  // namespace scenario::strumento

#endif  // TOOLS_LSP_CONNESSIONE_LSP_H_
