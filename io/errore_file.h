// The two ways a run's file work fails: a file that cannot be read or written, and a folder
// held by another run. Each message names the file and the reason.
#ifndef IO_ERRORE_FILE_H_
#define IO_ERRORE_FILE_H_

#include <stdexcept>

namespace scenario {

class errore_file : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Not an `errore_file`: the run ends with a status of its own and has written nothing.
class cartella_occupata : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace scenario

#endif  // IO_ERRORE_FILE_H_
