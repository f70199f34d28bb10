// The documents the editor holds open, and the routes they belong to. A document's name makes
// it a source: DIR/ROUTE_linea.txt is the line description of ROUTE, DIR/ROUTE_TRAIN-.txt a
// train service of it. After each opening, change, save or close, the route's problems are
// worked out again from its open documents and, for the sources that are not open, from the
// disk, and published for each open document of the route; a closed document gets an empty
// list.
//
// A route with several train services: the line description is checked with each of them, since
// an edit of the line can break any of them, and shows the problems of all those checks once
// each; a train service shows those of its own check. A problem with no place in a source
// stands at the start of its own source when that is open; one of no source (the identity
// codes, the post-processing pass) belongs to the train service. Otherwise it stands at the
// start of the open train service of its check, or else of the line description, naming the
// source it belongs to. The problems of a source that is not open are counted, with the first,
// at the start of the open one of the same check. The quick fixes of the problems published
// for a document are kept with it until the next publication.
#ifndef TOOLS_LSP_DOCUMENTI_LSP_H_
#define TOOLS_LSP_DOCUMENTI_LSP_H_

#include <cstdint>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "compiler/campi_sorgenti.h"
#include "compiler/compilatore.h"
#include "compiler/diagnostica.h"
#include "tools/lsp/analisi_lsp.h"
#include "tools/lsp/disco_lsp.h"
#include "tools/lsp/luoghi_lsp.h"
#include "tools/lsp/testo_lsp.h"
#include "tools/lsp/uri_lsp.h"

namespace scenario::strumento {

// One change of a document: the range it replaces, or nothing for the whole text.
struct modifica_testo {
  std::optional<std::pair<posizione_lsp, posizione_lsp>> intervallo;
  std::string testo;
};

// The most characters with no Windows-1252 form shown one by one in a document.
inline constexpr std::size_t massimo_estranei = 100;

class documenti_lsp {
 public:
  // `pubblica` sends the parameters of one publishDiagnostics.
  documenti_lsp(disco_lsp& disco, std::function<void(nlohmann::json)> pubblica)
      : disco_(disco), pubblica_(std::move(pubblica)) {}

  void imposta_codifica(codifica_posizioni c) { codifica_ = c; }
  codifica_posizioni codifica() const { return codifica_; }

  void apri(const std::string& uri, std::string testo, int64_t versione);
  // A change of a document that is not open is ignored; ranges outside the text are clamped.
  void modifica(const std::string& uri, int64_t versione, const std::vector<modifica_testo>& m);
  // The file on the disk is read again, and a warning stays on the document while it is not
  // Windows-1252 text.
  void salva(const std::string& uri);
  void chiudi(const std::string& uri);

  // The text of the open document `uri` and the kind of source its name makes it.
  struct vista {
    std::string_view testo;
    std::optional<file_sorgente> tipo;
  };
  std::optional<vista> aperto(const std::string& uri) const;

  // The sources of the check the open document `uri` belongs to, as the compiler reads them,
  // with their names: a train service with its line description, a line description with the
  // first train service of its route (alone when it has none). Nothing for a document of no
  // route, or when a source of the check cannot be read.
  struct coppia {
    testi_sorgenti testi;
    opzioni_compilazione opzioni;
  };
  std::optional<coppia> coppia_di(const std::string& uri);

  // The quick fixes of the problems last published for `uri` whose range meets `dove`.
  nlohmann::json correzioni(const std::string& uri, const intervallo_lsp& dove) const;

 private:
  // A fix as published: the range of its problem and the code action.
  struct correzione_pubblicata {
    intervallo_lsp dove;
    nlohmann::json azione;
  };
  struct documento {
    std::string testo;  // UTF-8, as the editor holds it
    int64_t versione = 0;
    std::optional<file_documento> file;
    std::optional<diagnostica> salvataggio;  // the file on the disk is not Windows-1252
    bool fuori_misura = false;               // grown past what is followed; text dropped
    std::vector<correzione_pubblicata> correzioni;
    // The text as the compiler reads it, made again only after a change of this document:
    // an edit of one source leaves the others' as they were.
    std::optional<testo_in_1252> in_1252;
  };
  struct sorgente;
  // A route: its name and its train services (file name, train), open or on the disk.
  struct percorso {
    std::string linea;
    std::vector<std::pair<std::string, std::string>> treni;
  };

  void aggiorna(const file_documento& f);
  std::optional<percorso> trova_percorso(const file_documento& f) const;
  std::vector<std::string> nomi_della_cartella(const file_documento& f) const;
  std::pair<const std::string, documento>* aperto_in(const file_documento& f,
                                                     const std::string& nome);
  sorgente carica(const file_documento& f, const std::string& nome);
  void controlla_percorso(const percorso& p, std::vector<sorgente>& sorgenti) const;
  void controlla_coppia(const std::string& linea, const std::string& treno, sorgente& l,
                        sorgente* t) const;
  void riassumi_chiusi(sorgente& l, sorgente& t) const;
  // Only an open document's problems are published.
  void pubblica(const sorgente& s, const std::vector<sorgente>& sorgenti);

  disco_lsp& disco_;
  std::function<void(nlohmann::json)> pubblica_;
  codifica_posizioni codifica_ = codifica_posizioni::utf16;
  std::map<std::string, documento> aperti_;
};

}  // namespace scenario::strumento

#endif  // TOOLS_LSP_DOCUMENTI_LSP_H_
