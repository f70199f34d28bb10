// The data of serve's page: the folder's sources read and compiled in memory, every problem
// the check finds in them, and the drawing of the last compile that recorded no code, as the
// one JSON document the page fetches after each change. Nothing is written anywhere.
#ifndef TOOLS_SERVE_SCENA_H_
#define TOOLS_SERVE_SCENA_H_

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "compiler/compilatore.h"
#include "compiler/diagnostica.h"
#include "compiler/esito.h"

namespace scenario::strumento {

// The folder served: where it is, as the author named it (files are shown joined to it), and
// the route and train.
struct cartella_servita {
  std::filesystem::path cartella;
  std::string mostrata;
  opzioni_compilazione opzioni;
};

// One reading of the sources and what came of it.
struct lettura_pagina {
  std::vector<std::string> messaggi;  // why nothing was compiled: a source missing, unreadable
  bool compilata = false;             // both sources were read and compiled
  esito risultato;
  raccolta_diagnostiche problemi;  // the check's, the compile's verdict first
  std::string problemi_json;       // the same as JSON, each with the metre it marks
  std::string testo_problemi;      // the same as `check` prints them, for standard error
  std::shared_ptr<const std::string> disegno;  // JSON, when the compile recorded no code
};

// The plan's part of the drawing, kept from one reading to the next: the plan comes from the
// line description's curves and length alone, which most saves leave as they were, and it is
// the costliest part to make.
class memoria_piano {
 public:
  const std::string& json(const tracciato_compilato& t, int32_t lunghezza_linea);

 private:
  std::optional<tracciato_compilato> tracciato_;
  int32_t lunghezza_ = 0;
  std::string json_;
};

// Reads the two sources, compiles and checks them, and draws what compiled. Never raises: a
// source that cannot be read is a message.
lettura_pagina leggi_pagina(const cartella_servita& c, memoria_piano& piano);

// The drawing of a compile as JSON: "file" the two sources' names as problems give them, the
// plan (positions in centimetres), the stations, the point features (tunnel lamps only
// counted), slow orders, tunnels, speed limits, gradients and heights, each with "sorgente",
// [file, line, column] of the record that put it there (null for none).
std::string disegno_json(const compilazione& c, const testi_sorgenti& t, const cartella_servita& s,
                         memoria_piano& piano);

// The document served, kept from one reading to the next: a reading that draws nothing keeps
// the drawing before it.
class pagina_dati {
 public:
  explicit pagina_dati(const cartella_servita& c) : c_(c) {}

  // A new reading; `avviso` says what is wrong with the folder itself (gone), if anything.
  void aggiorna(const lettura_pagina& l, const std::string& avviso = "");
  // The document, ready to send, and its number (1 for the first reading).
  std::shared_ptr<const std::string> documento() const { return documento_; }
  uint64_t versione() const { return versione_; }

 private:
  const cartella_servita& c_;
  uint64_t versione_ = 0;
  uint64_t versione_disegno_ = 0;
  std::shared_ptr<const std::string> disegno_;
  std::shared_ptr<const std::string> documento_;
};

}  // namespace scenario::strumento

#endif  // TOOLS_SERVE_SCENA_H_
