// What compiles but is almost surely a mistake, found as the reader reads: keywords that are
// misspelt, misplaced or passed over, values outside their documented range or kept otherwise
// than written (rounded, wrapped, between two cells), records out of order, text that is not
// Windows-1252. Each is judged by the table of keywords and fields, and reported as a warning
// with the fix where there is one; the compile's own errors are the parsers'.
#ifndef COMPILER_AVVISI_SORGENTI_H_
#define COMPILER_AVVISI_SORGENTI_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/analisi.h"
#include "compiler/lettore_record.h"

namespace scenario {

class controlli_lettura : public osservatore_lettura {
 public:
  // Looks at the encoding of `testo`, the source `f` of the parse `m`, at once.
  controlli_lettura(analisi& m, file_sorgente f, std::string_view testo);

  void saltato(const campo_letto& campo, campo_saltato perche, parte_sorgente parte,
               bool segue_numero) override;
  void record(const record_letto& r, parte_sorgente parte) override;
  void fine(bool generale_visto) override;

 private:
  diagnostica avviso(const intervallo_sorgente& dove, std::string messaggio) const;
  void avverti(const intervallo_sorgente& dove, std::string messaggio) {
    m_.avverti(avviso(dove, std::move(messaggio)));
  }
  void due_parole(const record_letto& r, parte_sorgente parte);
  void intestazione(const campo_letto& campo);
  void sconosciuto(const campo_letto& campo, parte_sorgente parte);
  void fuori_posto(const campo_letto& campo, const parola_sorgente& p, const std::string& dove);
  bool fuori_parte(const campo_letto& campo, parte_sorgente parte);
  void con_suggerimento(const campo_letto& campo, std::string messaggio,
                        const std::vector<std::string_view>& note);
  void valori(const record_letto& r);
  void valore(const record_letto& r, std::size_t k, int32_t v);
  void posizione(const record_letto& r, std::size_t k, int32_t v);
  void in_ordine(const record_letto& r, int32_t v);
  void orario(const record_letto& r);
  void testi(const record_letto& r);
  void codifica(std::string_view testo);

  analisi& m_;
  file_sorgente file_;
  std::string nome_;
  int32_t riga_saltata_ = 0;   // the line of the last keyword field reported as skipped
  int32_t riga_record_ = 0;    // the line where the last record's fields end
  std::string parola_record_;  // that record's keyword, for the fields after it
  bool dopo_fine_ = false;     // a "[fine]" header was read
  struct ultimo_letto {
    int32_t posizione;
    intervallo_sorgente dove;
  };
  std::array<std::optional<ultimo_letto>, numero_tipi_record> ultimi_;  // the last of each record
  int64_t orario_ = 0;
};

// The name in `note` closest to `parola` (edit distance, case folded), or empty when none is
// close enough to be a likely misspelling.
std::string piu_vicina(std::string_view parola, const std::vector<std::string_view>& note);

}  // namespace scenario

#endif  // COMPILER_AVVISI_SORGENTI_H_
