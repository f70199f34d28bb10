// The one way file work fails: a file that cannot be read or written, or a folder held by
// another run. The message names the file and the reason twice: in the package's own words
// (`what()`, which never change) and in English for scenario-tool. The io layer raises it;
// whoever started the file work catches it and turns its kind into an exit status
// (run/stati_uscita.h), so that it goes no further.
#ifndef IO_ERRORE_IO_H_
#define IO_ERRORE_IO_H_

#include <stdexcept>
#include <string>

namespace scenario {

enum class tipo_errore_io {
  file,  // the earlier copy of every file is kept
  // Another run held the folder past the wait, or its lock file cannot be used: nothing was
  // written.
  cartella_occupata,
};

// A part of such a message, in the package's words and in English.
struct parole_in_due_lingue {
  std::string pacchetto;
  std::string inglese;
};

class errore_io : public std::runtime_error {
 public:
  errore_io(tipo_errore_io tipo, const parole_in_due_lingue& messaggio)
      : std::runtime_error(messaggio.pacchetto), tipo_(tipo), inglese_(messaggio.inglese) {}
  tipo_errore_io tipo() const { return tipo_; }
  const std::string& inglese() const { return inglese_; }

 private:
  tipo_errore_io tipo_;
  std::string inglese_;
};

}  // namespace scenario

#endif  // IO_ERRORE_IO_H_
