// The problems of an author's sources as the tool shows them: the text form, clang-like, and
// the JSON form, both built from the same data (compiler/diagnostica.h). Source text is
// Windows-1252: both forms convert it to UTF-8, escape control characters and cut long lines.
#ifndef TOOLS_RESA_DIAGNOSTICHE_H_
#define TOOLS_RESA_DIAGNOSTICHE_H_

#include <nlohmann/json.hpp>
#include <string>

#include "compiler/compilatore.h"
#include "compiler/diagnostica.h"

namespace scenario::strumento {

// What the text form needs beyond the problems: the sources to quote, the folder as the
// author gave it (the files are named as they can open them), and whether to colour.
struct contesto_resa {
  const testi_sorgenti& testi;
  const opzioni_compilazione& opzioni;
  std::string cartella = ".";
  bool colore = false;
};

// "FILE:LINE:COL: error N: message (position P m)", the source line with a caret under the
// whole field and the replacement of a one-edit fix under it, and a "note:" line, with its own
// line and caret, for each note.
std::string testo_diagnostica(const diagnostica& d, const contesto_resa& c);

// Every problem of `r` in the text form.
std::string testo_diagnostiche(const raccolta_diagnostiche& r, const contesto_resa& c);

// "N errors, M warnings", singular for one, and ", K more not shown" when some were not kept.
std::string riassunto(const raccolta_diagnostiche& r);

// {"problems": [...], "errors": E, "warnings": W, "not_shown": K}, all text valid UTF-8.
nlohmann::json json_diagnostiche(const raccolta_diagnostiche& r, const std::string& cartella);

// A place in a source as the JSON form gives it: "file" (joined to the folder as given),
// "line", "column", "end_line", "end_column", "offset", "end_offset".
nlohmann::json luogo_json(const std::string& file, const intervallo_sorgente& dove,
                          const std::string& cartella);

// The text of the source named `file` (as problems name it), or nothing.
std::string_view testo_sorgente(const testi_sorgenti& t, const opzioni_compilazione& o,
                                const std::string& file);

// A file's name as the author can open it from where a command was started: joined to the
// folder as it was given, alone when that folder is the current one.
std::string percorso_mostrato(const std::string& cartella, const std::string& nome);

// Windows-1252 text for a terminal or a JSON string: UTF-8, control characters escaped as
// "\xHH" (a tab is a blank).
std::string per_schermo(std::string_view testo);

}  // namespace scenario::strumento

#endif  // TOOLS_RESA_DIAGNOSTICHE_H_
