// `scenario-tool lsp` as an editor meets it: whole exchanges written to its standard input,
// every message it sends compared as JSON to the one expected, its frames byte by byte, and
// its exit status. Each exchange runs in a folder of its own holding a good line description.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/aiuti_test.h"
#include "versione.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

// One message, framed once the folder is known (`in_cornici`).
std::string m(const std::string& corpo) { return "\x01" + corpo + "\x02"; }

// The marked messages of `t` in their frames; what stands between them stays as it is.
std::string in_cornici(const std::string& t) {
  std::string c;
  for (std::size_t i = 0; i < t.size();) {
    const std::size_t da = t.find('\x01', i);
    c += t.substr(i, da - i);
    if (da == std::string::npos) break;
    const std::size_t a = t.find('\x02', da);
    c +=
        "Content-Length: " + std::to_string(a - da - 1) + "\r\n\r\n" + t.substr(da + 1, a - da - 1);
    i = a + 1;
  }
  return c;
}

std::string inizio(const std::string& capacita = "{}") {
  return m(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{"capabilities":)" + capacita +
           "}}") +
         m(R"({"jsonrpc":"2.0","method":"initialized","params":{}})");
}
const std::string fine = m(R"({"jsonrpc":"2.0","id":9,"method":"shutdown"})") +
                         m(R"({"jsonrpc":"2.0","method":"exit"})");

std::string iniziato(const std::string& codifica) {
  return R"({"jsonrpc":"2.0","id":1,"result":{
    "capabilities":{"positionEncoding":")" +
         codifica + R"(",
      "textDocumentSync":{"openClose":true,"change":2,"save":{"includeText":false}},
      "completionProvider":{"triggerCharacters":["["]},
      "hoverProvider":true,"documentSymbolProvider":true,
      "codeActionProvider":{"codeActionKinds":["quickfix"]}},
    "serverInfo":{"name":"scenario-tool","version":")" VERSIONE_PROGRAMMA R"("}}})";
}
const std::string finito = R"({"jsonrpc":"2.0","id":9,"result":null})";

// @D@ stands for the URI of the exchange's folder.
std::string apri(const std::string& nome, const std::string& testo) {
  return m(R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{
    "uri":"@D@/)" +
           nome + R"(","languageId":"scenario","version":1,"text":")" + testo + "\"}}}");
}
std::string cambia(int versione, const std::string& intervallo, const std::string& testo) {
  return m(R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":{
    "textDocument":{"uri":"@D@/R_7-.txt","version":)" +
           std::to_string(versione) + R"(},"contentChanges":[{"range":)" + intervallo +
           R"(,"text":")" + testo + "\"}]}}");
}
// didClose or didSave of R_7-.txt.
std::string su_treno(const std::string& metodo) {
  return m(R"({"jsonrpc":"2.0","method":"textDocument/)" + metodo +
           R"(","params":{"textDocument":{"uri":"@D@/R_7-.txt"}}})");
}
std::string pubblicati(const std::string& nome, const std::string& versione,
                       const std::string& diagnostiche) {
  return R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{
    "uri":"@D@/)" +
         nome + "\"," + versione + R"("diagnostics":[)" + diagnostiche + "]}}";
}
std::string diagnostica(const std::string& intervallo, int gravita, const std::string& resto) {
  return R"({"range":)" + intervallo + R"(,"severity":)" + std::to_string(gravita) +
         R"(,"source":"scenario-tool",)" + resto + "}";
}
std::string intervallo(int r1, int c1, int r2, int c2) {
  return R"({"start":{"line":)" + std::to_string(r1) + R"(,"character":)" + std::to_string(c1) +
         R"(},"end":{"line":)" + std::to_string(r2) + R"(,"character":)" + std::to_string(c2) +
         "}}";
}
// R_7-.txt published at `versione` with one warning.
std::string un_avviso(int versione, const std::string& dove, const std::string& messaggio) {
  return pubblicati("R_7-.txt", "\"version\":" + std::to_string(versione) + ",",
                    diagnostica(dove, 2, R"("message":")" + messaggio + "\""));
}
std::string errore(const std::string& id, int codice, const std::string& messaggio) {
  return R"({"jsonrpc":"2.0","id":)" + id + R"(,"error":{"code":)" + std::to_string(codice) +
         R"(,"message":")" + messaggio + "\"}}";
}

// A line description alone: the compile has no train service to read.
const std::string senza_treno =
    R"({"range":{"start":{"line":0,"character":0},"end":{"line":0,"character":0}},"severity":1,)"
    R"("source":"scenario-tool","code":25,"message":"the train service file does not exist"})";

const std::string treno_buono =
    R"([generale]\r\nsabbia, 10\r\n[segnali]\r\nsegnale, 1800, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n[fine]\r\n)";
// A grave accent and an emoji, then a character with no Windows-1252 form.
const std::string treno_estraneo =
    R"([generale]\r\nsabbia, 10\r\n[segnali]\r\n\u00e8\ud83d\ude00, 1800\r\n\u0101 x\r\n[fine]\r\n)";
const std::string senza_forma =
    R"("message":"character U+1F600 has no Windows-1252 form; the file cannot be saved as Windows-1252")";
const std::string senza_forma_2 =
    R"("message":"character U+0101 has no Windows-1252 form; the file cannot be saved as Windows-1252")";

std::string estranei(int fine_emoji_da, int fine_emoji_a, int fine_a, int fine_x) {
  return pubblicati(
      "R_7-.txt", R"("version":1,)",
      diagnostica(intervallo(3, fine_emoji_da, 3, fine_emoji_a), 2, senza_forma) + "," +
          diagnostica(intervallo(4, 0, 4, fine_a), 2, senza_forma_2) + "," +
          diagnostica(intervallo(3, 0, 3, fine_emoji_a), 2,
                      R"("message":"unknown keyword `\u00e8?`, the record is skipped")") +
          "," +
          diagnostica(intervallo(4, 0, 4, fine_x), 2,
                      R"("message":"unknown keyword `? x`, the record is skipped")"));
}

// A request on R_7-.txt at a position, or with `resto` as the rest of its parameters.
std::string chiedi(int id, const std::string& metodo, const std::string& resto) {
  return m(R"({"jsonrpc":"2.0","id":)" + std::to_string(id) + R"(,"method":"textDocument/)" +
           metodo + R"(","params":{"textDocument":{"uri":"@D@/R_7-.txt"})" + resto + "}}");
}
std::string in(int riga, int carattere) {
  return R"(,"position":{"line":)" + std::to_string(riga) + R"(,"character":)" +
         std::to_string(carattere) + "}";
}
std::string risposta(int id, const std::string& risultato) {
  return R"({"jsonrpc":"2.0","id":)" + std::to_string(id) + R"(,"result":)" + risultato + "}";
}
std::string aiuto(const std::string& testo, const std::string& dove) {
  return R"({"contents":{"kind":"markdown","value":)" + nlohmann::json(testo).dump() +
         R"(},"range":)" + dove + "}";
}

// A speed limit, then a station named "CITTÀ" with a signal after it on its line, 10 m past
// the start of a cell.
const std::string treno_con_stazione =
    R"([generale]\r\nsabbia, 10\r\n[vel_limite]\r\nvelocita, 0, 100\r\n[stazioni]\r\n)"
    R"(stazione, 0, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 8,0,0, CITT\u00c0, segnale, 1660, 2, 4, 0, 0, 0,)"
    R"( 0, 0,0,0, 0\r\n[fine]\r\n)";

// The signal of `treno_con_stazione` rounded to its cell, at [da, a) of line 5.
std::string tra_due_celle(int da, int a) {
  return diagnostica(intervallo(5, da, 5, a), 2,
                     R"("message":"`segnale` field `posizione` 1660 m falls between two cells of )"
                     R"(50 m: it is taken as cell 34, at 1650 m")");
}
std::string segnale_in_cella(int da, int a) {
  return aiuto(
      "`segnale`, field 1 of 11, `posizione`: where the signal stands (325 m or more).\n\nUnit: "
      "m. Range to use: 325 to 1006900.\n\nThe compiler takes 325 or more; below: code 25 (a "
      "signal needs 325 m before it for its four approach cells); at most L + 6900 on a line of "
      "L m, beyond: code 15.\n\nThe compiler: cell p / 50 + 1 becomes kind 1 (signal); "
      "occupied: code 16. The cells 2, 4, 6 and 8 before it get approach codes (see Signals), "
      "which is why a signal needs room before it.\n\nAt 1660 m: cell 34 (signal), "
      "gradient 5 per mille, speed limit 100 km/h. Km 1.660 from the start of the line.",
      intervallo(5, da, 5, a));
}
// A section of the outline, with its children.
std::string sezione(const std::string& nome, const std::string& dove,
                    const std::string& intestazione, const std::string& figli = "") {
  return R"({"name":")" + nome + R"(","kind":3,"range":)" + dove + R"(,"selectionRange":)" +
         intestazione + R"(,"children":[)" + figli + "]}";
}

std::string voce_intestazione(const char* nome, const char* dettaglio, int ordine,
                              const std::string& dove) {
  return R"({"label":")" + std::string(nome) + R"(","kind":9,"detail":")" + dettaglio +
         R"(","insertTextFormat":1,"sortText":"000)" + std::to_string(ordine) +
         R"(","textEdit":{"range":)" + dove + R"(,"newText":")" + nome + "\"}}";
}

struct scambio {
  const char* nome;
  std::string ingresso;
  std::vector<std::string> uscita;
  int stato;
  std::string treno_su_disco = "";  // R_7-.txt, beside the line description
};

std::vector<scambio> scambi() {
  const std::string qui = intervallo(3, 0, 3, 2);
  return {
      {"senza utf-8, colonne in UTF-16",
       inizio() + apri("R_7-.txt", treno_estraneo) + fine,
       {iniziato("utf-16"), estranei(1, 3, 1, 3), finito},
       0},
      {"con utf-8, colonne in byte",
       inizio(R"({"general":{"positionEncodings":["utf-16","utf-8"]}})") +
           apri("R_7-.txt", treno_estraneo) + fine,
       {iniziato("utf-8"), estranei(2, 6, 2, 4), finito},
       0},
      {"un percorso rotto",
       inizio() +
           apri(
               "R_7-.txt",
               R"([generale]\r\nsabbia, 10\r\n[stazioni]\r\nstazione, 25, 24, 600, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, X\r\n[fine]\r\n)") +
           fine,
       {iniziato("utf-16"),
        pubblicati(
            "R_7-.txt", R"("version":1,)",
            diagnostica(
                intervallo(3, 10, 3, 12), 1,
                R"("code":8,"message":"`stazione` field `posizione` 25 m is not a multiple of 50")")),
        finito},
       0},
      {"una modifica rompe, una ripara, una fuori dal testo non cambia nulla, la chiusura svuota",
       inizio() + apri("R_7-.txt", treno_buono) + cambia(2, intervallo(3, 6, 3, 6), "l") +
           cambia(3, intervallo(3, 6, 3, 7), "") + cambia(4, intervallo(40, 0, 50, 3), "") +
           su_treno("didClose") + fine,
       {iniziato("utf-16"), pubblicati("R_7-.txt", R"("version":1,)", ""),
        un_avviso(2, intervallo(3, 0, 3, 8),
                  "unknown keyword `segnalle`, the record is skipped; did you mean `segnale`?"),
        pubblicati("R_7-.txt", R"("version":3,)", ""),
        pubblicati("R_7-.txt", R"("version":4,)", ""), pubblicati("R_7-.txt", "", ""), finito},
       0},
      {"completamento nella sezione, oltre il primo campo, in un documento non aperto",
       inizio() +
           apri("R_linea.txt",
                R"([generale]\r\nlunghezza percorso, 4000\r\n[montagne]\r\nmo\r\n[fine]\r\n)") +
           m(R"({"jsonrpc":"2.0","id":2,"method":"textDocument/completion","params":{"textDocument":{"uri":"@D@/R_linea.txt"},"position":{"line":3,"character":2}}})") +
           m(R"({"jsonrpc":"2.0","id":3,"method":"textDocument/completion","params":{"textDocument":{"uri":"@D@/R_linea.txt"},"position":{"line":1,"character":21}}})") +
           m(R"({"jsonrpc":"2.0","id":4,"method":"textDocument/completion","params":{"textDocument":{"uri":"@D@/R_9-.txt"},"position":{"line":0,"character":0}}})") +
           fine,
       {iniziato("utf-16"),
        pubblicati("R_linea.txt", R"("version":1,)",
                   senza_treno + "," +
                       diagnostica(intervallo(3, 0, 3, 2), 2,
                                   R"("message":"unknown keyword `mo`, the record is skipped")")),
        R"({"jsonrpc":"2.0","id":2,"result":[
          {"label":"montagna","kind":14,"detail":"a tunnel","insertTextFormat":2,"sortText":"0001",
           "textEdit":{"range":)" +
            qui + R"(,"newText":"montagna, ${1:inizio}, ${2:fine}, ${3:tipo}"}},)" +
            voce_intestazione("[generale]",
                              "the line constants: length, kilometric progressives, "
                              "backgrounds, signal repetition. Every field before this header "
                              "is skipped",
                              2, qui) +
            "," +
            voce_intestazione("[curve]",
                              "the curves of the track plan, in order along the line. Any "
                              "header closes `[generale]`",
                              3, qui) +
            "," +
            voce_intestazione("[pendenze]", "the gradients, in order along the line", 4, qui) +
            "," + voce_intestazione("[montagne]", "the tunnels", 5, qui) + "," +
            voce_intestazione("[cartelli]", "the speed-indicator boards", 6, qui) + "," +
            voce_intestazione("[indicazioni]", "the signboards (texts shown beside the line)", 7,
                              qui) +
            "," +
            voce_intestazione(
                "[fine]", "the end: the last field of a file is never read as a record", 8, qui) +
            "]}",
        R"({"jsonrpc":"2.0","id":3,"result":[]})", R"({"jsonrpc":"2.0","id":4,"result":[]})",
        finito},
       0},
      {"hover: un campo dopo una lettera di due byte, una parola, un testo, un'intestazione, "
       "nessun campo, un campo di una cella di strato",
       inizio() + apri("R_7-.txt", treno_con_stazione) + chiedi(2, "hover", in(5, 68)) +
           chiedi(3, "hover", in(5, 59)) + chiedi(4, "hover", in(5, 53)) +
           chiedi(5, "hover", in(4, 3)) + chiedi(6, "hover", in(5, 8)) +
           chiedi(7, "hover", in(3, 10)) + fine,
       {iniziato("utf-16"), pubblicati("R_7-.txt", R"("version":1,)", tra_due_celle(68, 72)),
        risposta(2, segnale_in_cella(68, 72)),
        risposta(3, aiuto("`segnale` (under `[segnali]`): a signal: two heads, each a kind and "
                          "three aspects.\n\nRecognised "
                          "when the keyword field holds `segnale`, any case.\n\nFields: "
                          "`posizione`, `sx`, `s1`, `s2`, `s3`, `rapp`, `dx`, `d1`, `d2`, `d3`, "
                          "`tempo`",
                          intervallo(5, 59, 5, 66))),
        risposta(4, aiuto("`stazione`, field 17 of 17, `nome`: station name; blanks allowed, no "
                          "comma.\n\nText, up to the next comma or the end of its line.\n\nThe "
                          "compiler: slot `nome`.",
                          intervallo(5, 52, 5, 57))),
        risposta(5, aiuto("`[stazioni]`: the stations with their timetable, in order; before the "
                          "signals and slow orders.",
                          intervallo(4, 0, 4, 10))),
        risposta(6, "null"),
        risposta(7, aiuto("`velocita`, field 1 of 2, `posizione`: where the limit starts; the "
                          "first record at 0.\n\nUnit: m. Range to use: 0 to 1006900.\n\nThe "
                          "compiler takes any whole number of 32 bits; at most L + 6900 on a line "
                          "of L m, beyond: code 15.\n\nThe compiler: the limit in force so far "
                          "fills the cells up to cell p / 50 - 1.\n\nAt 0 m: cell 0, gradient 5 "
                          "per mille, speed limit 100 km/h. Km 0.000 from the start of the line.",
                          intervallo(3, 10, 3, 11))),
        finito},
       0},
      {"hover con colonne in byte UTF-8",
       inizio(R"({"general":{"positionEncodings":["utf-8"]}})") +
           apri("R_7-.txt", treno_con_stazione) + chiedi(2, "hover", in(5, 72)) +
           chiedi(3, "hover", in(5, 73)) + fine,
       {iniziato("utf-8"), pubblicati("R_7-.txt", R"("version":1,)", tra_due_celle(69, 73)),
        risposta(2, segnale_in_cella(69, 73)), risposta(3, "null"), finito},
       0},
      {"simboli: le sezioni, la stazione per nome, il segnale",
       inizio() + apri("R_7-.txt", treno_con_stazione) + chiedi(2, "documentSymbol", "") + fine,
       {iniziato("utf-16"), pubblicati("R_7-.txt", R"("version":1,)", tra_due_celle(68, 72)),
        risposta(
            2, "[" + sezione("[generale]", intervallo(0, 0, 0, 10), intervallo(0, 0, 0, 10)) + "," +
                   sezione("[vel_limite]", intervallo(2, 0, 2, 12), intervallo(2, 0, 2, 12)) + "," +
                   sezione("[stazioni]", intervallo(4, 0, 5, 100), intervallo(4, 0, 4, 10),
                           R"({"name":"CITT\u00c0, 0 m","detail":"a station: 16 numbers )"
                           R"(and its name","kind":23,"range":)" +
                               intervallo(5, 0, 5, 57) + R"(,"selectionRange":)" +
                               intervallo(5, 0, 5, 8) +
                               R"(},{"name":"segnale, 1660 m","detail":"a signal: two heads, each )"
                               R"(a kind and three aspects","kind":24,"range":)" +
                               intervallo(5, 59, 5, 100) + R"(,"selectionRange":)" +
                               intervallo(5, 59, 5, 66) + "}") +
                   "," + sezione("[fine]", intervallo(6, 0, 6, 6), intervallo(6, 0, 6, 6)) + "]"),
        finito},
       0},
      {"correzioni: alla fine del campo, solo di un altro genere, dopo il campo",
       inizio() + apri("R_7-.txt", treno_con_stazione) +
           chiedi(2, "codeAction",
                  R"(,"range":)" + intervallo(5, 72, 5, 72) + R"(,"context":{"diagnostics":[]})") +
           chiedi(3, "codeAction",
                  R"(,"range":)" + intervallo(5, 70, 5, 70) +
                      R"(,"context":{"diagnostics":[],"only":["refactor"]})") +
           chiedi(4, "codeAction",
                  R"(,"range":)" + intervallo(5, 73, 6, 0) + R"(,"context":{"diagnostics":[]})") +
           fine,
       {iniziato("utf-16"), pubblicati("R_7-.txt", R"("version":1,)", tra_due_celle(68, 72)),
        risposta(2, R"([{"title":"round to 1650","kind":"quickfix","diagnostics":[)" +
                        tra_due_celle(68, 72) +
                        R"(],"edit":{"changes":{"@D@/R_7-.txt":[{"range":)" +
                        intervallo(5, 68, 5, 72) + R"(,"newText":"1650"}]}}}])"),
        risposta(3, "[]"), risposta(4, "[]"), finito},
       0},
      {"prima di initialize",
       m(R"({"jsonrpc":"2.0","id":5,"method":"textDocument/completion","params":{}})") +
           apri("R_7-.txt", treno_buono) + m(R"({"jsonrpc":"2.0","method":"exit"})"),
       {errore("5", -32002, "the server is not initialized: initialize comes first")},
       1},
      {"exit senza shutdown",
       inizio() + m(R"({"jsonrpc":"2.0","method":"exit"})"),
       {iniziato("utf-16")},
       1},
      {"l'ingresso finisce dopo shutdown",
       inizio() + m(R"({"jsonrpc":"2.0","id":9,"method":"shutdown"})"),
       {iniziato("utf-16"), finito},
       0},
      {"l'ingresso finisce senza shutdown", inizio(), {iniziato("utf-16")}, 1},
      {"metodi sconosciuti, notifiche ignorate, una risposta, un secondo initialize",
       inizio() + m(R"({"jsonrpc":"2.0","id":2,"method":"textDocument/definition","params":{}})") +
           m(R"({"jsonrpc":"2.0","id":"tre","method":"$/x"})") +
           m(R"({"jsonrpc":"2.0","method":"$/setTrace","params":{"value":"off"}})") +
           m(R"({"jsonrpc":"2.0","method":"$/cancelRequest","params":{"id":2}})") +
           m(R"({"jsonrpc":"2.0","method":"workspace/didChangeConfiguration","params":{}})") +
           m(R"({"jsonrpc":"2.0","id":7,"result":null})") +
           m(R"({"jsonrpc":"2.0","id":4,"method":"initialize","params":{}})") + fine,
       {iniziato("utf-16"), errore("2", -32601, "unknown method textDocument/definition"),
        errore("\"tre\"", -32601, "unknown method $/x"),
        errore("4", -32600, "initialize may come only once"), finito},
       0},
      {"dopo shutdown",
       inizio() + m(R"({"jsonrpc":"2.0","id":9,"method":"shutdown"})") +
           m(R"({"jsonrpc":"2.0","id":3,"method":"shutdown"})") + apri("R_7-.txt", treno_buono) +
           m(R"({"jsonrpc":"2.0","method":"exit"})"),
       {iniziato("utf-16"), finito,
        errore("3", -32600, "the server is shut down: only exit may follow")},
       0},
      {"messaggi malformati",
       inizio() + m("{x}") + m("{\"jsonrpc\":\"2.0\",\"method\":\"\xC3\"}") + m("[1,2]") +
           m(R"({"id":2,"method":"shutdown"})") + m(R"({"jsonrpc":"2.0","id":[1],"method":"x"})") +
           m(R"({"jsonrpc":"2.0","id":3,"method":"textDocument/completion","params":{"position":1}})") +
           m(R"({"jsonrpc":"2.0","id":4,"method":"shutdown","params":"x"})") +
           "Content-Type: x\r\n\r\n" + "Content-Length: abc\r\n\r\n" + fine,
       {iniziato("utf-16"), errore("null", -32700, "the message is not valid JSON"),
        errore("null", -32700, "the message is not valid JSON"),
        errore("null", -32600, "the message is not an object"),
        errore("2", -32600, "the message is not a JSON-RPC 2.0 request"),
        errore("null", -32600, "the id is neither a string nor a whole number"),
        errore("3", -32602, "invalid parameters for textDocument/completion"),
        errore("4", -32600, "the message is not a JSON-RPC 2.0 request"),
        errore("null", -32700, "the message has a header block without Content-Length"),
        errore("null", -32700, "the message has a Content-Length that is not a number of bytes"),
        finito},
       0},
      {"salvato in UTF-8",
       inizio() + apri("R_7-.txt", R"(70\u00b0\r\n[generale]\r\nsabbia, 10\r\n[fine]\r\n)") +
           su_treno("didSave") + fine,
       {iniziato("utf-16"), pubblicati("R_7-.txt", R"("version":1,)", ""),
        un_avviso(1, intervallo(0, 2, 0, 3),
                  "the file was saved as UTF-8, not Windows-1252: the compiler reads each "
                  "character above 127 as two or three; save it as Windows-1252"),
        finito},
       0,
       "70\xC2\xB0\r\n[generale]\r\nsabbia, 10\r\n[fine]\r\n"},
      {"un corpo piu' corto della sua lunghezza",
       inizio() + "Content-Length: 50\r\n\r\n{\"jsonrpc\":\"2.0\"}",
       {iniziato("utf-16")},
       1},
      {"un messaggio enorme",
       inizio() + "Content-Length: 999999999999\r\n\r\n{}",
       {iniziato("utf-16")},
       1},
  };
}

class ProtocolloLsp : public test::cartella_di_prova {
 protected:
  // Runs one exchange in folder `n`; `corpi` are the bodies sent, `cornici` false if the output
  // is not a sequence of whole frames.
  struct esito {
    int stato;
    std::vector<std::string> corpi;
    bool cornici = true;
  };
  esito esegui(const std::string& n, const scambio& s) {
    fs::create_directories(cartella_ / n);
    test::scrivi_file(cartella_ / n / "R_linea.txt",
                      "[generale]\r\nlunghezza percorso, 4000\r\n[pendenze]\r\npendenza, 0, 5\r\n"
                      "[fine]\r\n");
    if (!s.treno_su_disco.empty()) test::scrivi_file(cartella_ / n / "R_7-.txt", s.treno_su_disco);
    const std::string& ingresso = s.ingresso;
    test::scrivi_file(cartella_ / n / "ingresso", in_cornici(in_cartella(n, ingresso)));
    esito e;
    e.stato = esegui_strumento("lsp < " + n + "/ingresso");
    for (std::string_view resto = uscita_; !resto.empty();) {
      const std::string_view testa = "Content-Length: ";
      const std::size_t fine_testa = resto.find("\r\n\r\n");
      if (!resto.starts_with(testa) || fine_testa == std::string_view::npos) {
        e.cornici = false;
        break;
      }
      const std::size_t n_byte =
          std::stoul(std::string(resto.substr(testa.size(), fine_testa - testa.size())));
      e.corpi.emplace_back(resto.substr(fine_testa + 4, n_byte));
      resto.remove_prefix(std::min(resto.size(), fine_testa + 4 + n_byte));
    }
    return e;
  }

  std::string in_cartella(const std::string& n, std::string t) {
    const std::string uri = "file://" + (cartella_ / n).string();
    for (std::size_t p = t.find("@D@"); p != std::string::npos; p = t.find("@D@", p)) {
      t.replace(p, 3, uri);
    }
    return t;
  }
};

TEST_F(ProtocolloLsp, Scambi) {
  int n = 0;
  for (const scambio& s : scambi()) {
    SCOPED_TRACE(s.nome);
    const std::string cartella = std::to_string(++n);
    const esito e = esegui(cartella, s);
    EXPECT_EQ(e.stato, s.stato);
    EXPECT_TRUE(e.cornici) << uscita_;
    EXPECT_EQ(errori_, "");
    std::vector<std::string> attese;
    for (const std::string& u : s.uscita) {
      attese.push_back(nlohmann::json::parse(in_cartella(cartella, u)).dump());
    }
    // Message by message, so that a failure shows the one that differs.
    EXPECT_EQ(e.corpi.size(), attese.size());
    for (std::size_t i = 0; i < std::min(e.corpi.size(), attese.size()); ++i) {
      EXPECT_EQ(e.corpi[i], attese[i]) << "message " << i;
    }
  }
}

}  // namespace
}  // namespace scenario
