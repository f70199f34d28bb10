// The text and JSON forms of the problems of a source.
#include "tools/cli/resa_diagnostiche.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "compiler/lettore_campi.h"
#include "compiler/nomi_file.h"
#include "compiler/testo_1252.h"

namespace scenario::strumento {
namespace {

constexpr std::size_t larghezza_riga = 200;

bool da_sfuggire(unsigned char b) {
  return b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

// A source line as a terminal shows it, with the screen column where each of its bytes begins.
struct riga_mostrata {
  std::string testo;
  std::vector<std::size_t> colonne;  // one per byte, and one past the last
};

riga_mostrata mostra(std::string_view riga) {
  riga_mostrata m;
  std::size_t colonna = 0;
  for (const char c : riga) {
    m.colonne.push_back(colonna);
    const auto b = static_cast<unsigned char>(c);
    if (c == '\t') {
      m.testo += ' ';
      colonna += 1;
    } else if (da_sfuggire(b)) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", b);
      m.testo += hex;
      colonna += 4;
    } else {
      m.testo += da_windows_1252(std::string_view(&c, 1));
      colonna += 1;
    }
  }
  m.colonne.push_back(colonna);
  return m;
}

struct colori {
  bool attivi;
  std::string operator()(const char* codice, const std::string& t) const {
    return attivi ? std::string("\x1b[") + codice + "m" + t + "\x1b[0m" : t;
  }
};

std::string luogo(const std::string& file, const intervallo_sorgente& dove,
                  const std::string& cartella) {
  if (file.empty()) return "";
  std::string l = percorso_mostrato(cartella, file);
  if (dove.valido()) l += ":" + std::to_string(dove.riga) + ":" + std::to_string(dove.colonna);
  return l + ": ";
}

// The quoted line of `dove` with a caret under the range, cut to `larghezza_riga` bytes around
// its start, and the text of a replacement under it; empty when the source is not at hand.
std::string citazione(std::string_view testo, const intervallo_sorgente& dove,
                      const std::string* sostituto, const colori& col) {
  const std::size_t colonna = static_cast<std::size_t>(std::max(dove.colonna, 1)) - 1;
  if (!dove.valido() || dove.inizio < colonna || dove.inizio > testo.size()) return "";
  const std::string_view riga = riga_da(testo, dove.inizio - colonna).testo;
  // The range in the line's bytes: at least one, even where it stands past the line's end.
  const std::size_t fine =
      std::max(colonna + 1, static_cast<std::size_t>(std::max(dove.colonna_fine, 1)) - 1);
  std::size_t da = 0;
  if (riga.size() > larghezza_riga) {
    da = std::min(colonna > larghezza_riga / 2 ? colonna - larghezza_riga / 2 : 0,
                  riga.size() - larghezza_riga);
  }
  const std::string_view pezzo = riga.substr(da, larghezza_riga);
  const riga_mostrata m = mostra(pezzo);
  const std::string prima = da > 0 ? "..." : "";
  const std::string dopo = da + pezzo.size() < riga.size() ? "..." : "";
  const std::size_t a = std::min(colonna - da, pezzo.size());
  const std::size_t b = std::clamp(fine - da, a, pezzo.size());
  const std::size_t inizio_segno = prima.size() + m.colonne[a];
  const std::size_t larghezza = std::max<std::size_t>(1, m.colonne[b] - m.colonne[a]);
  std::string t = "  " + prima + m.testo + dopo + "\n";
  t += "  " + std::string(inizio_segno, ' ') + col("1;32", "^" + std::string(larghezza - 1, '~')) +
       "\n";
  if (sostituto != nullptr) {
    t += "  " + std::string(inizio_segno, ' ') + col("32", per_schermo(*sostituto)) + "\n";
  }
  return t;
}

// The replacement to show under a problem's own caret: a fix of one edit of that very field.
const std::string* sostituto_di(const diagnostica& d) {
  if (d.correzioni.empty()) return nullptr;
  const correzione& c = d.correzioni.front();
  if (c.modifiche.size() != 1 || c.modifiche[0].dove != d.dove || c.modifiche[0].file != d.file) {
    return nullptr;
  }
  return &c.modifiche[0].testo;
}

std::string parola_gravita(const diagnostica& d, const colori& col) {
  switch (d.livello) {
    case gravita::errore:
      return col("1;31", d.codice != 0 ? "error " + std::to_string(d.codice) + ":" : "error:");
    case gravita::avviso:
      return col("1;35", "warning:");
    case gravita::nota:
      break;
  }
  return col("1;36", "note:");
}

}  // namespace

nlohmann::json luogo_json(const std::string& file, const intervallo_sorgente& dove,
                          const std::string& cartella) {
  return {
      {"file",
       file.empty() ? "" : (std::filesystem::path(cartella) / file).lexically_normal().string()},
      {"line", dove.riga},
      {"column", dove.colonna},
      {"end_line", dove.riga},
      {"end_column", dove.colonna_fine},
      {"offset", dove.inizio},
      {"end_offset", dove.fine}};
}

std::string per_schermo(std::string_view testo) { return mostra(testo).testo; }

std::string_view testo_sorgente(const testi_sorgenti& t, const opzioni_compilazione& o,
                                const std::string& file) {
  const std::optional<std::string>* testo = nullptr;
  if (file == nome_testo_linea(o.nome_linea)) testo = &t.linea;
  if (file == nome_testo_treno(o.nome_linea, o.numero_treno)) testo = &t.treno;
  return testo != nullptr && *testo ? std::string_view(**testo) : std::string_view();
}

std::string percorso_mostrato(const std::string& cartella, const std::string& nome) {
  if (cartella.empty() || cartella == ".") return nome;
  return cartella.back() == '/' ? cartella + nome : cartella + "/" + nome;
}

std::string testo_diagnostica(const diagnostica& d, const contesto_resa& c) {
  const colori col{c.colore};
  std::string t = col("1", luogo(d.file, d.dove, c.cartella)) + parola_gravita(d, col) + " " +
                  per_schermo(d.messaggio);
  if (d.posizione) t += " (position " + std::to_string(*d.posizione) + " m)";
  t += "\n" + citazione(testo_sorgente(c.testi, c.opzioni, d.file), d.dove, sostituto_di(d), col);
  for (const nota_diagnostica& n : d.note) {
    t += col("1", luogo(n.file, n.dove, c.cartella)) + col("1;36", "note:") + " " +
         per_schermo(n.messaggio) + "\n";
    t += citazione(testo_sorgente(c.testi, c.opzioni, n.file), n.dove, nullptr, col);
  }
  return t;
}

std::string testo_diagnostiche(const raccolta_diagnostiche& r, const contesto_resa& c) {
  std::string t;
  for (const diagnostica& d : r.elenco()) t += testo_diagnostica(d, c);
  return t;
}

std::string riassunto(const raccolta_diagnostiche& r) {
  const auto quanti = [](int64_t n, const char* nome) {
    return std::to_string(n) + " " + nome + (n == 1 ? "" : "s");
  };
  std::string t = quanti(r.errori(), "error") + ", " + quanti(r.avvisi(), "warning");
  if (r.non_mostrate() > 0) t += ", " + std::to_string(r.non_mostrate()) + " more not shown";
  return t;
}

nlohmann::json json_diagnostiche(const raccolta_diagnostiche& r, const std::string& cartella) {
  nlohmann::json lista = nlohmann::json::array();
  for (const diagnostica& d : r.elenco()) {
    nlohmann::json j = luogo_json(d.file, d.dove, cartella);
    j["severity"] = d.errore() ? "error" : (d.livello == gravita::avviso ? "warning" : "note");
    j["code"] = d.codice;
    j["message"] = da_windows_1252(d.messaggio);
    if (d.posizione) j["position"] = *d.posizione;
    j["notes"] = nlohmann::json::array();
    for (const nota_diagnostica& n : d.note) {
      nlohmann::json jn = luogo_json(n.file, n.dove, cartella);
      jn["message"] = da_windows_1252(n.messaggio);
      j["notes"].push_back(std::move(jn));
    }
    j["fixes"] = nlohmann::json::array();
    for (const correzione& c : d.correzioni) {
      nlohmann::json modifiche = nlohmann::json::array();
      for (const modifica_sorgente& m : c.modifiche) {
        nlohmann::json jm = luogo_json(m.file, m.dove, cartella);
        jm["text"] = da_windows_1252(m.testo);
        modifiche.push_back(std::move(jm));
      }
      j["fixes"].push_back({{"title", da_windows_1252(c.titolo)}, {"edits", std::move(modifiche)}});
    }
    lista.push_back(std::move(j));
  }
  return {{"problems", std::move(lista)},
          {"errors", r.errori()},
          {"warnings", r.avvisi()},
          {"not_shown", r.non_mostrate()}};
}

}  // namespace scenario::strumento
