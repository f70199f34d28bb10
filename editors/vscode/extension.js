// Starts `scenario-tool lsp` for the route sources (language "scenario", chosen by file name)
// through the editor's generic language client.
const vscode = require('vscode');
const { LanguageClient, TransportKind } = require('vscode-languageclient/node');

let cliente;

function activate(context) {
  const programma = vscode.workspace.getConfiguration('scenario').get('programma');
  const server = { command: programma, args: ['lsp'], transport: TransportKind.stdio };
  cliente = new LanguageClient('scenario', 'scenario-tool', server, {
    documentSelector: [{ scheme: 'file', language: 'scenario' }],
  });
  context.subscriptions.push(cliente);
  return cliente.start();
}

function deactivate() {
  return cliente ? cliente.stop() : undefined;
}

module.exports = { activate, deactivate };
