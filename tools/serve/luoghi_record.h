// Where each record of an author's sources stands, so that what the page draws can name the
// line that put it there: the record reader walked over both texts once, each record kept with
// its keyword's place and the position its first field gives. The compiled scenario keeps no
// places of its own.
#ifndef TOOLS_SERVE_LUOGHI_RECORD_H_
#define TOOLS_SERVE_LUOGHI_RECORD_H_

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "compiler/campi_sorgenti.h"
#include "compiler/compilatore.h"
#include "compiler/diagnostica.h"

namespace scenario::strumento {

struct record_in_sorgente {
  tipo_record tipo;
  file_sorgente file;
  intervallo_sorgente dove;  // the keyword field
  // The cell the record's position gives by its field's rule (p / 50 + 1 for a point feature,
  // p / 50 for a value that holds from there on); a position that gives no cell, a station's
  // for one, is kept in metres. Nothing when the first field is no position or no number.
  std::optional<int64_t> chiave;
  std::optional<int64_t> metri;  // the position itself
};

class luoghi_record {
 public:
  luoghi_record() = default;
  luoghi_record(const testi_sorgenti& t, const opzioni_compilazione& o);

  // The last record of kind `tipo` whose key is `chiave` (of records at the same place, the
  // compile keeps the later one), or nullptr.
  const record_in_sorgente* di(tipo_record tipo, int64_t chiave) const;
  // The record whose fields hold byte `byte` of the source named `file`: the last one that
  // starts at or before it. nullptr before the first record or for another file.
  const record_in_sorgente* che_contiene(const std::string& file, std::size_t byte) const;
  // The source's name, as problems name it.
  const std::string& nome(file_sorgente f) const {
    return f == file_sorgente::linea ? nome_linea_ : nome_treno_;
  }

  const std::vector<record_in_sorgente>& tutti() const { return record_; }

 private:
  void leggi(file_sorgente f, const std::string& testo, bool con_tracciato);

  std::string nome_linea_, nome_treno_;
  std::vector<record_in_sorgente> record_;
  std::map<std::pair<tipo_record, int64_t>, std::size_t> per_chiave_;  // the last of each
};

}  // namespace scenario::strumento

#endif  // TOOLS_SERVE_LUOGHI_RECORD_H_
