// A problem of an author's sources as data: severity, the compiler's code, the file and the
// field's place in it, the message, notes at related records and the edits that would fix it.
// The compile, `check` and the editor server build problems only this way; the text form, the
// JSON and an editor's diagnostics are views of it. Messages are single-byte Windows-1252 text,
// as the sources are: what quotes a source is converted where it is shown.
#ifndef COMPILER_DIAGNOSTICA_H_
#define COMPILER_DIAGNOSTICA_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace scenario {

// Where a field stands in its source. Columns count bytes from 1; `colonna_fine` is one past the
// field's last byte (equal to `colonna` for an empty field). A line of 0 means no place.
struct intervallo_sorgente {
  int32_t riga = 0;
  int32_t colonna = 0;
  int32_t colonna_fine = 0;
  std::size_t inizio = 0;  // byte offsets in the source, [inizio, fine)
  std::size_t fine = 0;

  bool valido() const { return riga > 0; }
  bool operator==(const intervallo_sorgente&) const = default;
};

enum class gravita : uint8_t { errore, avviso, nota };

// One replacement of a field's text.
struct modifica_sorgente {
  std::string file;
  intervallo_sorgente dove;
  std::string testo;

  bool operator==(const modifica_sorgente&) const = default;
};

// A fix an editor can apply: its title ("round to 85") and its edits.
struct correzione {
  std::string titolo;
  std::vector<modifica_sorgente> modifiche;

  bool operator==(const correzione&) const = default;
};

struct nota_diagnostica {
  std::string file;
  intervallo_sorgente dove;
  std::string messaggio;

  bool operator==(const nota_diagnostica&) const = default;
};

struct diagnostica {
  gravita livello = gravita::errore;
  int32_t codice = 0;                // the compiler's code; 0 for a warning of its own
  std::optional<int32_t> posizione;  // metres, for the codes that record one
  std::string file;                  // the source's file name; empty for no place
  intervallo_sorgente dove;
  std::string messaggio;
  std::vector<nota_diagnostica> note;
  std::vector<correzione> correzioni;

  bool errore() const { return livello == gravita::errore; }
  bool operator==(const diagnostica&) const = default;
};

// An error with its message and nothing else yet.
inline diagnostica diagnostica_di(std::string messaggio) {
  diagnostica d;
  d.messaggio = std::move(messaggio);
  return d;
}

// The problems of a run, at most `massimo` of them kept (the rest counted), so that a source of
// a million bad records costs what a hundred cost.
class raccolta_diagnostiche {
 public:
  explicit raccolta_diagnostiche(std::size_t massimo = 100) : massimo_(massimo) {}

  void aggiungi(diagnostica d);

  const std::vector<diagnostica>& elenco() const { return elenco_; }
  std::vector<diagnostica>& elenco() { return elenco_; }
  int64_t errori() const { return errori_; }
  int64_t avvisi() const { return avvisi_; }
  // Found but not kept.
  int64_t non_mostrate() const { return non_mostrate_; }
  std::size_t massimo() const { return massimo_; }
  // Problems found elsewhere and not kept, counted here.
  void conta_senza_tenere(int64_t errori, int64_t avvisi) {
    errori_ += errori;
    avvisi_ += avvisi;
    non_mostrate_ += errori + avvisi;
  }
  // Every warning counts as an error (--strict).
  void rendi_errori() {
    errori_ += avvisi_;
    avvisi_ = 0;
  }

 private:
  std::size_t massimo_;
  std::vector<diagnostica> elenco_;
  int64_t errori_ = 0;
  int64_t avvisi_ = 0;
  int64_t non_mostrate_ = 0;
};

// Warnings become errors (--strict).
void severo(raccolta_diagnostiche& r);

}  // namespace scenario

#endif  // COMPILER_DIAGNOSTICA_H_
