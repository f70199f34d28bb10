// dump and plot show the compiled files; a source changed after they were written is not in
// what they show, and the author is told so before it is shown.
#ifndef TOOLS_DUMP_SORGENTI_PIU_RECENTI_H_
#define TOOLS_DUMP_SORGENTI_PIU_RECENTI_H_

#include <string>

namespace scenario::strumento {

// One warning on standard error for each source of the route and train in `cartella` that was
// changed after the oldest of its compiled files; nothing when there are no compiled files or
// no sources. The command's status does not change.
void avvisa_sorgenti_piu_recenti(const std::string& cartella, const std::string& linea,
                                 const std::string& treno);

}  // namespace scenario::strumento

#endif  // TOOLS_DUMP_SORGENTI_PIU_RECENTI_H_
