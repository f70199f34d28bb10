// The records of both sources with their places, read by the compiler's own record reader.
#include "tools/serve/luoghi_record.h"

#include "compiler/formato_celle.h"
#include "compiler/lettore_campi.h"
#include "compiler/lettore_record.h"
#include "compiler/nomi_file.h"

namespace scenario::strumento {
namespace {

// The record's first field when it is a position in metres.
std::optional<int64_t> metri_di(const record_letto& r) {
  if (r.letti == 0) return std::nullopt;
  const campo_sorgente& c = r.parola->campi[0];
  if (c.testo() || std::string_view(c.unita) != "m") return std::nullopt;
  return numero_del_campo(r.campi[0].testo);
}

std::optional<int64_t> chiave_di(const record_letto& r, std::optional<int64_t> metri) {
  if (!metri) return std::nullopt;
  switch (r.parola->campi[0].cella) {
    case cella_campo::punto:
      return cella_di(*metri);
    case cella_campo::passo:
      return cella_senza_uno(*metri);
    case cella_campo::tracciato:
    case cella_campo::nessuna:
      break;
  }
  return *metri;
}

}  // namespace

luoghi_record::luoghi_record(const testi_sorgenti& t, const opzioni_compilazione& o)
    : nome_linea_(nome_testo_linea(o.nome_linea)),
      nome_treno_(nome_testo_treno(o.nome_linea, o.numero_treno)) {
  if (t.linea) leggi(file_sorgente::linea, *t.linea, o.con_tracciato);
  if (t.treno) leggi(file_sorgente::treno, *t.treno, o.con_tracciato);
}

void luoghi_record::leggi(file_sorgente f, const std::string& testo, bool con_tracciato) {
  lettore_record l(f, testo, con_tracciato);
  try {
    for (evento_lettura e = l.prossimo();
         e != evento_lettura::fine_testo && e != evento_lettura::senza_generale; e = l.prossimo()) {
      if (e != evento_lettura::record) continue;
      const record_letto& r = l.record();
      const std::optional<int64_t> metri = metri_di(r);
      const std::optional<int64_t> chiave = chiave_di(r, metri);
      if (chiave) per_chiave_[{r.parola->record, *chiave}] = record_.size();
      record_.push_back({r.parola->record, f, r.chiave.luogo, chiave, metri});
    }
  } catch (const guasto&) {
    // A text the reader cannot read on: the records before it keep their places.
  }
}

const record_in_sorgente* luoghi_record::di(tipo_record tipo, int64_t chiave) const {
  const auto i = per_chiave_.find({tipo, chiave});
  return i == per_chiave_.end() ? nullptr : &record_[i->second];
}

const record_in_sorgente* luoghi_record::che_contiene(const std::string& file,
                                                      std::size_t byte) const {
  const record_in_sorgente* trovato = nullptr;
  for (const record_in_sorgente& r : record_) {
    if (nome(r.file) != file) continue;
    if (r.dove.inizio > byte) break;
    trovato = &r;
  }
  return trovato;
}

}  // namespace scenario::strumento
