// The checks of an author's sources. The compile is run as it is, so that its verdict is the
// first problem and `check` never disagrees with `compile`; the rest is a reading of each line
// against the table of keywords and fields.
#include "tools/controllo.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <string_view>

#include "compiler/campi_sorgenti.h"
#include "compiler/codici_errore.h"
#include "compiler/lettore_campi.h"
#include "compiler/nomi_file.h"
#include "io/cartella.h"
#include "io/estratto_sorgente.h"

namespace scenario {
namespace {

std::string minuscole(std::string_view s) {
  std::string m(s);
  for (char& c : m) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return m;
}

std::string_view senza_spazi(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::size_t distanza(std::string_view a, std::string_view b) {
  std::vector<std::size_t> riga(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) riga[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonale = riga[0];
    riga[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t sopra = riga[j];
      riga[j] = std::min({riga[j] + 1, riga[j - 1] + 1, diagonale + (a[i - 1] != b[j - 1])});
      diagonale = sopra;
    }
  }
  return riga[b.size()];
}

// The compile's own verdict, with the words `compile` prints after "error N: ".
std::optional<problema> verdetto(const esito& r) {
  const int32_t codice = r.identita() ? r.errore_identita : r.codice;
  if (codice == 0) return std::nullopt;
  const auto noto = cerca_codice(codice);
  problema p;
  p.errore = true;
  p.codice = codice;
  if (noto && noto->dal_sorgente && !r.identita()) {
    p.file = r.file;
    p.riga = r.riga;
    p.colonna = r.colonna;
  }
  p.messaggio = "code " + std::to_string(codice) + ": ";
  p.messaggio += !r.identita() && !r.motivo.empty() ? r.motivo
                 : noto                             ? noto->meaning
                                                    : "unknown code";
  if (noto && noto->con_posizione && !r.identita()) {
    p.messaggio += " (position " + std::to_string(r.posizione) + " m)";
  }
  return p;
}

// The words the parser looks for in a keyword field, read from the table's description of
// its test: "holds `a` and `b`, lower case; ...".
struct prova_parola {
  const parola_sorgente* voce;
  std::vector<std::string> parole;
  bool esatta;
};

std::vector<prova_parola> prove(file_sorgente file) {
  std::vector<prova_parola> v;
  for (const parola_sorgente& p : parole_sorgenti()) {
    if (p.file != file) continue;
    const std::string_view r = p.riconoscimento;
    const std::string_view test = r.substr(0, r.find(','));
    prova_parola pr{&p, {}, r.substr(0, r.find(';')).find("lower case") != std::string_view::npos};
    for (std::size_t i = test.find('`'); i != std::string_view::npos; i = test.find('`', i)) {
      const std::size_t fine = test.find('`', i + 1);
      if (fine == std::string_view::npos) break;
      pr.parole.emplace_back(test.substr(i + 1, fine - i - 1));
      i = fine + 1;
    }
    v.push_back(std::move(pr));
  }
  return v;
}

const parola_sorgente* riconosci(const std::vector<prova_parola>& v, std::string_view campo) {
  for (const prova_parola& p : v) {
    const bool tutte = std::all_of(p.parole.begin(), p.parole.end(), [&](const std::string& w) {
      return p.esatta ? contiene_esatto(campo, w) : contiene(campo, w);
    });
    if (tutte) return p.voce;
  }
  return nullptr;
}

// The keyword as a name to suggest: "curvad1 ... curvad6, ..." suggests "curvad1".
std::string nome_parola(const parola_sorgente& p) {
  const std::string_view s = p.parola;
  return std::string(s.substr(0, s.find(' ') == 7 && s.find("...") != s.npos ? 7 : s.size()));
}

// One field after the keyword: its text and 1-based column.
struct campo_letto {
  std::string_view testo;
  int32_t colonna;
};

bool spazio(char c) { return c == ' ' || c == '\t'; }

// The numbers of a record as the field reader cuts them: at a comma or a blank, an empty
// field (a comma after blanks) standing for 0; then, when the record ends in text, the rest
// up to the next comma.
std::vector<campo_letto> numeri_della_riga(std::string_view riga, std::size_t& i,
                                           std::size_t quanti) {
  std::vector<campo_letto> v;
  while (v.size() < quanti) {
    while (i < riga.size() && spazio(riga[i])) ++i;
    if (i >= riga.size()) break;
    const auto colonna = static_cast<int32_t>(i + 1);
    if (riga[i] == ',') {
      v.push_back({riga.substr(i, 0), colonna});
      ++i;
      continue;
    }
    const std::size_t inizio = i;
    while (i < riga.size() && riga[i] != ',' && !spazio(riga[i])) ++i;
    v.push_back({riga.substr(inizio, i - inizio), colonna});
    std::size_t dopo = i;
    while (dopo < riga.size() && spazio(riga[dopo])) ++dopo;
    if (dopo < riga.size() && riga[dopo] == ',') i = dopo + 1;
  }
  return v;
}

std::optional<int32_t> numero(std::string_view t) {
  if (t.empty()) return 0;
  if (t.size() > 1 && t[0] == '+' && t[1] >= '0' && t[1] <= '9') t.remove_prefix(1);
  int32_t v = 0;
  const auto [fine, e] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (e != std::errc() || fine != t.data() + t.size()) return std::nullopt;
  return v;
}

bool di_posizione(const campo_sorgente& c) {
  const std::string_view n = c.nome;
  return std::string_view(c.unita) == "m" &&
         (n == "posizione" || n == "inizio" || n == "fine" || n == "x");
}

std::string orario(int64_t s) {
  char t[16];
  std::snprintf(t, sizeof t, "%02d:%02d:%02d", static_cast<int>(s / 3600),
                static_cast<int>(s / 60 % 60), static_cast<int>(s % 60));
  return t;
}

class controllore {
 public:
  controllore(std::vector<problema>& out, file_sorgente f, std::string nome, int64_t fine_linea)
      : out_(out), file_(f), nome_(std::move(nome)), prove_(prove(f)), fine_linea_(fine_linea) {}

  void testo(std::string_view t) {
    int64_t n = 1;
    std::size_t i = 0;
    while (i < t.size()) {
      const std::size_t fine = std::min(t.find_first_of("\r\n", i), t.size());
      riga(n, t.substr(i, fine - i));
      i = fine + (t.compare(fine, 2, "\r\n") == 0 ? 2 : 1);
      ++n;
    }
  }

  int64_t lunghezza() const { return lunghezza_; }

 private:
  void segnala(int64_t riga, std::size_t colonna, bool errore, std::string m) {
    out_.push_back({nome_, riga, static_cast<int32_t>(colonna), errore, 0, std::move(m)});
  }

  void riga(int64_t n, std::string_view r) {
    codifica(n, r);
    if (finito_) return;
    const std::string_view chiave = senza_spazi(r.substr(0, r.find(',')));
    if (chiave.empty()) return;
    const auto colonna = static_cast<std::size_t>(chiave.data() - r.data()) + 1;
    if (chiave.front() == '[') return intestazione(n, colonna, chiave);
    if (!aperto_ || numero(chiave)) return;
    const parola_sorgente* p = riconosci(prove_, chiave);
    if (p == nullptr) return sconosciuta(n, colonna, chiave);
    std::size_t i =
        std::min(r.size(), static_cast<std::size_t>(chiave.data() - r.data()) + chiave.size() + 1);
    record(n, r, i, *p);
  }

  void intestazione(int64_t n, std::size_t colonna, std::string_view h) {
    const std::string m = minuscole(h);
    std::vector<std::string> note;
    for (const sezione_sorgente& s : sezioni_sorgenti()) {
      if (s.file != file_) continue;
      if (m == s.intestazione) {
        aperto_ = aperto_ || m == "[generale]";
        generale_ = m == "[generale]";
        finito_ = aperto_ && m == "[fine]";
        return;
      }
      note.emplace_back(s.intestazione);
    }
    const std::string vicina = piu_vicina(m, note);
    segnala(n, colonna, false,
            "unknown section `" + std::string(h) + "`" +
                (vicina.empty() ? "" : "; did you mean `" + vicina + "`?"));
  }

  void sconosciuta(int64_t n, std::size_t colonna, std::string_view k) {
    std::vector<std::string> note;
    for (const prova_parola& p : prove_) note.push_back(nome_parola(*p.voce));
    const std::string vicina = piu_vicina(minuscole(k), note);
    segnala(n, colonna, false,
            "unknown keyword `" + std::string(k) + "`, the record is skipped" +
                (vicina.empty() ? "" : "; did you mean `" + vicina + "`?"));
  }

  void record(int64_t n, std::string_view r, std::size_t i, const parola_sorgente& p) {
    const std::span<const campo_sorgente> campi = p.campi;
    const bool con_testo = !campi.empty() && campi.back().testo;
    const std::size_t quanti = campi.size() - (con_testo ? 1 : 0);
    const std::vector<campo_letto> letti = numeri_della_riga(r, i, quanti);
    const std::string nome = nome_parola(p);
    if (letti.size() < quanti || (con_testo && senza_spazi(r.substr(i)).empty())) {
      const campo_sorgente& manca = campi[letti.size()];
      return segnala(n, r.size() + 1, true,
                     "`" + nome + "` ends before its field `" + manca.nome + "` (" +
                         std::to_string(campi.size()) + " fields expected)");
    }
    std::vector<int64_t> valori;
    for (std::size_t k = 0; k < quanti; ++k) {
      const std::optional<int32_t> v = numero(letti[k].testo);
      if (!v) {
        return segnala(n, letti[k].colonna, true,
                       "`" + nome + "` field `" + campi[k].nome + "` is \"" +
                           std::string(letti[k].testo) + "\", not a whole number");
      }
      valori.push_back(*v);
      valore(n, letti[k].colonna, nome, campi[k], *v);
    }
    if (nome == "lunghezza percorso") lunghezza_ = valori[0];
    if (di_posizione(campi[0])) in_ordine(n, letti[0].colonna, p, valori[0]);
    if (nome == "stazione") orario_stazione(n, letti, valori);
  }

  void valore(int64_t n, int32_t colonna, const std::string& nome, const campo_sorgente& c,
              int64_t v) {
    const std::string campo = "`" + nome + "` field `" + c.nome + "` ";
    const std::string unita = *c.unita ? std::string(" ") + c.unita : "";
    const std::string_view uso = c.uso;
    for (const int64_t passo : {50, 100}) {
      const std::string regola = "Not a multiple of " + std::to_string(passo) + ": ";
      const std::size_t q = uso.find(regola);
      if (q != std::string_view::npos && v % passo != 0) {
        const std::string_view codice = uso.substr(q + regola.size());
        return segnala(n, colonna, true,
                       campo + std::to_string(v) + " is not a multiple of " +
                           std::to_string(passo) + " (" +
                           std::string(codice.substr(0, codice.find_first_of(";.)"))) + ")");
      }
    }
    if (v < c.minimo || v > c.massimo) {
      return segnala(n, colonna, false,
                     campo + std::to_string(v) + unita + " is outside its range " +
                         std::to_string(c.minimo) + " to " + std::to_string(c.massimo) +
                         (uso.find("wraps") != std::string_view::npos ? " (the value wraps)" : ""));
    }
    // The line's own constants may reach past its end; its features and the train's may not.
    const int64_t fine = fine_linea_ > 0 ? fine_linea_ : lunghezza_;
    if (fine > 0 && di_posizione(c) && v > fine && (file_ == file_sorgente::treno || !generale_)) {
      segnala(n, colonna, false,
              campo + std::to_string(v) + " m is beyond the end of the line (" +
                  std::to_string(fine) + " m)");
    }
  }

  // Records of a section the compiler reads in order along the line must not go back.
  void in_ordine(int64_t n, int32_t colonna, const parola_sorgente& p, int64_t posizione) {
    const auto s = std::find_if(
        sezioni_sorgenti().begin(), sezioni_sorgenti().end(), [&](const sezione_sorgente& x) {
          return x.file == file_ && std::string_view(x.intestazione) == p.sezione;
        });
    if (s == sezioni_sorgenti().end() ||
        std::string_view(s->contenuto).find("in order") == std::string_view::npos)
      return;
    const auto [prima, nuova] = ultima_posizione_.try_emplace(p.parola, posizione);
    if (!nuova && posizione < prima->second) {
      segnala(n, colonna, false,
              "`" + nome_parola(p) + "` at " + std::to_string(posizione) +
                  " m comes after the one at " + std::to_string(prima->second) + " m: `" +
                  p.sezione + "` must be in order along the line");
    }
    prima->second = posizione;
  }

  void orario_stazione(int64_t n, const std::vector<campo_letto>& letti,
                       const std::vector<int64_t>& v) {
    const int64_t ora = (v[13] * 60 + v[14]) * 60 + v[15];
    if (ora != 0 && ora < orario_) {
      segnala(n, letti[13].colonna, false,
              "time " + orario(ora) + " is earlier than the previous station's " + orario(orario_));
    }
    if (ora != 0) orario_ = ora;
  }

  // The sources are Windows-1252 text: UTF-8 shows as two or three odd letters each.
  void codifica(int64_t n, std::string_view r) {
    const auto alta = std::find_if(r.begin(), r.end(), [](char c) { return (c & 0x80) != 0; });
    if (alta == r.end()) return;
    const auto colonna = static_cast<std::size_t>(alta - r.begin()) + 1;
    if (utf8(r)) {
      return segnala(n, colonna, false,
                     "UTF-8 text detected; the sources are read as Windows-1252: save the file "
                     "as Windows-1252");
    }
    for (std::size_t k = 0; k < r.size(); ++k) {
      const auto b = static_cast<unsigned char>(r[k]);
      if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", b);
        return segnala(n, k + 1, false, std::string("byte ") + hex + " is not Windows-1252 text");
      }
    }
  }

  // Continuation bytes after a UTF-8 lead byte, or -1 for a byte that cannot lead.
  static int seguito(unsigned char b) {
    if (b < 0x80) return 0;
    if (b >= 0xC2 && b < 0xE0) return 1;
    if (b >= 0xE0 && b < 0xF0) return 2;
    if (b >= 0xF0 && b < 0xF5) return 3;
    return -1;
  }

  // Every byte above 127 belongs to a well-formed UTF-8 sequence.
  static bool utf8(std::string_view r) {
    for (std::size_t k = 0; k < r.size(); ++k) {
      const int n = seguito(static_cast<unsigned char>(r[k]));
      if (n < 0 || k + static_cast<std::size_t>(n) >= r.size()) return false;
      for (int j = 0; j < n; ++j) {
        if ((static_cast<unsigned char>(r[++k]) & 0xC0) != 0x80) return false;
      }
    }
    return true;
  }

  std::vector<problema>& out_;
  file_sorgente file_;
  std::string nome_;
  std::vector<prova_parola> prove_;
  int64_t fine_linea_;
  bool aperto_ = false;  // "[generale]" seen: fields before it are skipped
  bool finito_ = false;  // "[fine]" seen
  bool generale_ = false;
  int64_t lunghezza_ = 0;
  std::map<std::string_view, int64_t> ultima_posizione_;  // by keyword
  int64_t orario_ = 0;
};

}  // namespace

std::string piu_vicina(const std::string& parola, const std::vector<std::string>& note) {
  std::string meglio;
  std::size_t minima = std::max<std::size_t>(2, parola.size() / 3) + 1;
  for (const std::string& n : note) {
    const std::size_t d = distanza(minuscole(parola), minuscole(n));
    if (d < minima) {
      minima = d;
      meglio = n;
    }
  }
  return meglio;
}

std::vector<problema> controlla(const testi_sorgenti& testi, const opzioni_compilazione& o) {
  std::vector<problema> out;
  const std::optional<problema> primo = verdetto(compila(testi, o).risultato);
  std::vector<problema> resto;
  int64_t lunghezza = 0;
  if (testi.linea) {
    controllore c(resto, file_sorgente::linea, nome_testo_linea(o.nome_linea), 0);
    c.testo(*testi.linea);
    lunghezza = c.lunghezza();
  }
  if (testi.treno) {
    controllore c(resto, file_sorgente::treno, nome_testo_treno(o.nome_linea, o.numero_treno),
                  lunghezza);
    c.testo(*testi.treno);
  }
  if (primo) out.push_back(*primo);
  for (problema& p : resto) {
    // The compiler's verdict already speaks for its record.
    if (primo && p.errore && p.file == primo->file && p.riga == primo->riga) continue;
    out.push_back(std::move(p));
  }
  return out;
}

void severo(std::vector<problema>& problemi) {
  for (problema& p : problemi) p.errore = true;
}

namespace {

std::string quanti(std::size_t n, const char* nome) {
  return std::to_string(n) + " " + nome + (n == 1 ? "" : "s");
}

std::string luogo(const problema& p, const std::string& cartella) {
  if (p.file.empty()) return "";
  std::string l = cartella.empty() || cartella == "." ? p.file
                  : cartella.back() == '/'            ? cartella + p.file
                                                      : cartella + "/" + p.file;
  if (p.riga > 0) l += ":" + std::to_string(p.riga);
  if (p.riga > 0 && p.colonna > 0) l += ":" + std::to_string(p.colonna);
  return l + ": ";
}

}  // namespace

std::string riassunto(const std::vector<problema>& problemi) {
  const auto errori = static_cast<std::size_t>(
      std::count_if(problemi.begin(), problemi.end(), [](const problema& p) { return p.errore; }));
  return quanti(errori, "error") + ", " + quanti(problemi.size() - errori, "warning");
}

std::string testo_problemi(const std::vector<problema>& problemi, const testi_sorgenti& testi,
                           const opzioni_compilazione& o, const std::string& cartella) {
  std::string t;
  for (const problema& p : problemi) {
    t += luogo(p, cartella) + (p.errore ? "error: " : "warning: ") + p.messaggio + "\n";
    const std::string_view testo = testo_sorgente(testi, o, p.file);
    if (testo.empty() || p.riga <= 0) continue;
    // The line as the field reader splits lines, cut around the column like compile's echo.
    estratto_riga e = estrai_riga(testo, p.riga, p.colonna);
    std::replace(e.testo.begin(), e.testo.end(), '\t', ' ');
    t += "  " + e.testo + "\n";
    if (e.colonna > 0)
      t += "  " + std::string(static_cast<std::size_t>(e.colonna - 1), ' ') + "^\n";
  }
  return t + riassunto(problemi) + "\n";
}

}  // namespace scenario
