// Symbols named as the records read: "ARONA, 0 m", "segnale, 15150 m", "montagna, 800 to 1500 m".
#include "tools/lsp/simboli_lsp.h"

#include <optional>
#include <string>

#include "compiler/lettore_campi.h"
#include "compiler/testo_1252.h"
#include "tools/lsp/luoghi_lsp.h"
#include "tools/lsp/record_lsp.h"

namespace scenario::strumento {
namespace {

// The records shown, with the symbol kind each gets (the icon the editor draws).
struct simbolo_record {
  tipo_record record;
  int tipo;
};
constexpr simbolo_record mostrati[] = {
    {tipo_record::stazione, 23},       // Struct
    {tipo_record::segnale, 24},        // Event
    {tipo_record::montagna, 19},       // Object
    {tipo_record::rallentamento, 25},  // Operator
};
constexpr int tipo_sezione = 3;  // Namespace

std::optional<int> tipo_simbolo(tipo_record r) {
  for (const simbolo_record& s : mostrati) {
    if (s.record == r) return s.tipo;
  }
  return std::nullopt;
}

// A field as written, " m" after it when it is a number.
std::string metri(const record_letto& r, std::size_t k) {
  if (k >= r.letti) return "?";
  const std::string t = da_windows_1252(r.campi[k].testo);
  return numero_del_campo(r.campi[k].testo) ? t + " m" : t;
}

// "ARONA, 0 m": a station by its name, the others by their keyword; a tunnel from its entrance
// to its exit.
std::string nome(const record_letto& r) {
  const parola_sorgente& p = *r.parola;
  std::string n(p.nome());
  const std::size_t ultimo = p.campi.size() - 1;
  if (p.record == tipo_record::stazione && r.letti > ultimo && !r.campi[ultimo].testo.empty()) {
    n = da_windows_1252(r.campi[ultimo].testo);
  }
  if (p.record == tipo_record::montagna) return n + ", " + metri(r, 0) + " to " + metri(r, 1);
  return n + ", " + metri(r, 0);
}

class schema : public osservatore_lettura {
 public:
  schema(std::string_view testo, codifica_posizioni c) : luoghi_(testo, false, c) {}

  void saltato(const campo_letto& c, campo_saltato perche, parte_sorgente, bool) override {
    if (perche != campo_saltato::prima_del_generale && c.testo.starts_with('[')) sezione(c);
  }
  void generale(const campo_letto& c) override { sezione(c); }
  void record(const record_letto& r, parte_sorgente) override {
    const std::optional<int> tipo = tipo_simbolo(r.parola->record);
    if (!tipo) return;
    const intervallo_lsp chiave = luoghi_.intervallo(r.chiave.luogo);
    const intervallo_lsp dove{chiave.inizio, luoghi_.intervallo(r.ultimo()).fine};
    nlohmann::json s = {{"name", nome(r)},
                        {"detail", r.parola->significato},
                        {"kind", *tipo},
                        {"range", json_intervallo(dove)},
                        {"selectionRange", json_intervallo(chiave)}};
    // Reading begins at a header, so a record stands in a section; the guard keeps a record
    // from ever holding another.
    if (!in_sezione_) {
      simboli_.push_back(std::move(s));
      return;
    }
    nlohmann::json& sezione = simboli_.back();
    sezione["children"].push_back(std::move(s));
    sezione["range"]["end"] = json_posizione(dove.fine);
  }
  void fine(bool) override {}

  nlohmann::json simboli() && { return std::move(simboli_); }

 private:
  void sezione(const campo_letto& c) {
    const intervallo_lsp dove = luoghi_.intervallo(c.luogo);
    in_sezione_ = true;
    simboli_.push_back({{"name", da_windows_1252(c.testo)},
                        {"kind", tipo_sezione},
                        {"range", json_intervallo(dove)},
                        {"selectionRange", json_intervallo(dove)},
                        {"children", nlohmann::json::array()}});
  }

  luoghi_testo luoghi_;
  nlohmann::json simboli_ = nlohmann::json::array();
  bool in_sezione_ = false;
};

}  // namespace

nlohmann::json simboli(std::string_view testo, file_sorgente file, codifica_posizioni c) {
  const std::string byte = in_windows_1252(testo, 0).byte;
  schema s(testo, c);
  leggi_documento(byte, file, s);
  return std::move(s).simboli();
}

}  // namespace scenario::strumento
