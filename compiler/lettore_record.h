// The records of a source as its parser takes them: the field reader walked in the parsers'
// loops (the search for "[generale]", the line description's general section and the rest after
// it, the train service), each keyword field tested against the keywords of its part in the
// order of the parser's tests (compiler/campi_sorgenti.h), and each matching keyword's fields
// cut where they stand, with their places. The parsers read the sources only through it, and so
// does every check of them; a field that is not read as a record goes to the observer with the
// reason.
#ifndef COMPILER_LETTORE_RECORD_H_
#define COMPILER_LETTORE_RECORD_H_

#include <array>
#include <cstddef>
#include <string_view>

#include "compiler/campi_sorgenti.h"
#include "compiler/lettore_campi.h"

namespace scenario {

inline constexpr std::size_t campi_massimi_record = 17;  // a station's
inline constexpr std::size_t parole_massime_parte = 10;  // the train service's

struct record_letto {
  const parola_sorgente* parola = nullptr;
  campo_letto chiave;  // the keyword field as written
  std::array<campo_letto, campi_massimi_record> campi{};
  std::size_t letti = 0;      // fields cut before the text ended
  bool altra_parola = false;  // an earlier keyword of the same field was read first

  bool completo() const { return letti == parola->campi.size(); }
  // Just after the last field cut, or after the keyword field.
  const intervallo_sorgente& ultimo() const {
    return letti == 0 ? chiave.luogo : campi[letti - 1].luogo;
  }
};

enum class evento_lettura {
  record,          // record() holds the next record
  fine_generale,   // the line description's general section is over
  fine_testo,      // the text is over
  senza_generale,  // the line description ended before "[generale]" (code 102)
};

// Why a keyword field is not read as a record.
enum class campo_saltato {
  prima_del_generale,  // before "[generale]"
  sconosciuto,         // it holds no keyword of its part
  trattino,            // it holds "-": the next field is read in its place
  ultimo,              // the last field of the text is never read as a record
};

class osservatore_lettura {
 public:
  virtual ~osservatore_lettura() = default;
  // `segue_numero`: a number follows on the field's own line.
  virtual void saltato(const campo_letto& campo, campo_saltato perche, parte_sorgente parte,
                       bool segue_numero) = 0;
  virtual void record(const record_letto& r, parte_sorgente parte) = 0;
  virtual void fine(bool generale_visto) = 0;
  // The field holding "[generale]" where reading begins; the checks need nothing of it, an
  // outline of the sections does.
  virtual void generale(const campo_letto& /*campo*/) {}
};

class lettore_record {
 public:
  lettore_record(file_sorgente file, std::string_view testo, bool con_tracciato,
                 osservatore_lettura* osservatore = nullptr);

  // The next event. A read the text cannot satisfy (an empty text, the end of the text inside
  // the general section's run of fields holding "-") raises `guasto`.
  evento_lettura prossimo();

  const record_letto& record() const { return record_; }
  // Reads on from field `c`, which becomes the next keyword field: a check goes on after a
  // record whose line lacked fields this way, where the compile stops.
  void riprendi_da(const campo_letto& c);
  // The keyword field last read, where reading stands.
  const campo_letto& ultima_chiave() const { return chiave_; }
  parte_sorgente parte() const { return parte_; }
  file_sorgente file() const { return file_; }

 private:
  enum class fase { cerca, generale, principale, finita };

  evento_lettura cerca();
  bool leggi_chiave_in_parte();
  void leggi_chiave();
  void riconosci();
  void taglia(const parola_sorgente& p);
  void salta(campo_saltato perche);
  bool segue_un_numero() const;
  bool chiude_generale() const;

  file_sorgente file_;
  bool con_tracciato_;
  osservatore_lettura* osservatore_;
  lettore_campi l_;
  fase fase_ = fase::cerca;
  parte_sorgente parte_;
  bool generale_visto_ = false;

  campo_letto chiave_;
  std::array<const parola_sorgente*, parole_massime_parte> riconosciute_{};
  std::size_t numero_riconosciute_ = 0;
  std::size_t prossima_ = 0;
  bool campo_in_corso_ = false;
  record_letto record_;
};

// The keywords of `parte` that keyword field `campo` holds, in the order of the parser's tests.
std::size_t parole_riconosciute(std::string_view campo, parte_sorgente parte,
                                std::array<const parola_sorgente*, parole_massime_parte>& uscita);

}  // namespace scenario

#endif  // COMPILER_LETTORE_RECORD_H_
