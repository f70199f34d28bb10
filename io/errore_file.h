// The two ways a run's file work fails: a file that cannot be read or written, and a folder
// held by another run. Each message names the file and the reason, twice: in the package's
// own words (`what()`, which never change) and in English for scenario-tool.
#ifndef IO_ERRORE_FILE_H_
#define IO_ERRORE_FILE_H_

#include <stdexcept>
#include <string>
#include <utility>

namespace scenario {

// A part of such a message, in the package's words and in English.
struct parole_in_due_lingue {
  std::string pacchetto;
  std::string inglese;
};

class errore_in_due_lingue : public std::runtime_error {
 public:
  errore_in_due_lingue(const std::string& pacchetto, std::string inglese)
      : std::runtime_error(pacchetto), inglese_(std::move(inglese)) {}
  const std::string& inglese() const { return inglese_; }

 private:
  std::string inglese_;
};

class errore_file : public errore_in_due_lingue {
 public:
  using errore_in_due_lingue::errore_in_due_lingue;
};

// Not an `errore_file`: the run ends with a status of its own and has written nothing.
class cartella_occupata : public errore_in_due_lingue {
 public:
  using errore_in_due_lingue::errore_in_due_lingue;
};

}  // namespace scenario

#endif  // IO_ERRORE_FILE_H_
