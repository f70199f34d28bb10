// What a program writes to standard output reaches it whole or the program says so: a full
// disk or a file-size limit fails the command instead of leaving its output cut in silence,
// and a reader that closes the pipe ends it as it ends any command of the system.
#ifndef IO_USCITA_STANDARD_H_
#define IO_USCITA_STANDARD_H_

#include <string>

namespace scenario {

// First thing in a program that writes: a write past a file-size limit fails with an error
// instead of killing the process, and a closed pipe ends the process quietly (SIGPIPE at its
// default, whatever the parent left it at).
void prepara_segnali_di_scrittura();

// Flushes standard output: empty when everything written to it arrived, otherwise the
// system's reason.
std::string errore_uscita_standard();

}  // namespace scenario

#endif  // IO_USCITA_STANDARD_H_
