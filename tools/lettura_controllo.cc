// The checker's reading of a source, loop for loop the parsers' own (compiler/parser_linea.cc
// and compiler/parser_treno.cc) over the compiler's field reader.
#include "tools/lettura_controllo.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <iterator>
#include <map>

#include "compiler/aritmetica.h"
#include "compiler/formato_indicatore.h"
#include "compiler/lettore_campi.h"

namespace scenario {
namespace {

// The parts of a source whose keyword fields the parsers test against different keywords:
// none before "[generale]"; the line description's general section and the rest after it;
// every keyword of the train service after its "[generale]".
enum class parte { prima_del_generale, generale, principale, treno };

bool letta_in(const parola_sorgente& p, parte q) {
  const bool generale = std::string_view(p.sezione) == "[generale]";
  switch (q) {
    case parte::generale:
      return p.file == file_sorgente::linea && generale;
    case parte::principale:
      return p.file == file_sorgente::linea && !generale;
    case parte::treno:
      return p.file == file_sorgente::treno;
    case parte::prima_del_generale:
      break;
  }
  return false;
}

// The words the parser looks for in a keyword field, read from the table's description of
// its test: "holds `a` and `b`, lower case; ...".
struct prova_parola {
  const parola_sorgente* voce;
  std::vector<std::string> parole;
  bool esatta;
};

prova_parola prova_di(const parola_sorgente& p) {
  const std::string_view r = p.riconoscimento;
  const std::string_view test = r.substr(0, r.find(','));
  prova_parola pr{&p, {}, r.substr(0, r.find(';')).find("lower case") != std::string_view::npos};
  for (std::size_t i = test.find('`'); i != std::string_view::npos; i = test.find('`', i)) {
    const std::size_t fine = test.find('`', i + 1);
    if (fine == std::string_view::npos) break;
    pr.parole.emplace_back(test.substr(i + 1, fine - i - 1));
    i = fine + 1;
  }
  return pr;
}

// Every keyword of both sources, in the order the parsers test them.
const std::vector<prova_parola>& prove() {
  static const std::vector<prova_parola> v = [] {
    std::vector<prova_parola> t;
    for (const parola_sorgente& p : parole_sorgenti()) t.push_back(prova_di(p));
    std::stable_sort(t.begin(), t.end(), [](const prova_parola& a, const prova_parola& b) {
      return a.voce->prova < b.voce->prova;
    });
    return t;
  }();
  return v;
}

bool riconosce(const prova_parola& p, std::string_view campo) {
  return std::all_of(p.parole.begin(), p.parole.end(), [&](const std::string& w) {
    return p.esatta ? contiene_esatto(campo, w) : contiene(campo, w);
  });
}

// The keywords of part `q` that `campo` holds, each of which reads its own fields in turn.
std::vector<const parola_sorgente*> riconosciute(std::string_view campo, parte q) {
  std::vector<const parola_sorgente*> v;
  for (const prova_parola& p : prove()) {
    if (letta_in(*p.voce, q) && riconosce(p, campo)) v.push_back(p.voce);
  }
  return v;
}

// The first keyword of source `file` that `campo` holds, whatever its part.
const parola_sorgente* riconosciuta_in(std::string_view campo, file_sorgente file) {
  for (const prova_parola& p : prove()) {
    if (p.voce->file == file && riconosce(p, campo)) return p.voce;
  }
  return nullptr;
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

// The keyword as a name to suggest: the table's first.
std::string nome_parola(const parola_sorgente& p) { return nomi_parola(p).front(); }

bool di_curva(const parola_sorgente& p) { return std::string_view(p.parola).starts_with("curva"); }

bool di_posizione(const campo_sorgente& c) {
  const std::string_view n = c.nome;
  return std::string_view(c.unita) == "m" &&
         (n == "posizione" || n == "inizio" || n == "fine" || n == "x");
}

file_sorgente altro(file_sorgente f) {
  return f == file_sorgente::linea ? file_sorgente::treno : file_sorgente::linea;
}

std::string nome_file(file_sorgente f) {
  return f == file_sorgente::linea ? "line description" : "train service";
}

std::string orario(int64_t s) {
  char t[16];
  std::snprintf(t, sizeof t, "%02d:%02d:%02d", static_cast<int>(s / 3600),
                static_cast<int>(s / 60 % 60), static_cast<int>(s % 60));
  return t;
}

struct posto {
  int64_t riga = 0;
  int32_t colonna = 0;
};

// A record's number fields as read: the value (nothing when the field is not a number) and
// where each stands.
struct numeri_letti {
  std::vector<std::optional<int32_t>> valori;
  std::vector<posto> posti;
};

class lettura {
 public:
  lettura(file_sorgente f, std::string nome, std::string_view testo, const opzioni_compilazione& o,
          std::optional<int64_t> lunghezza)
      : file_(f), nome_(std::move(nome)), testo_(testo), l_(testo), o_(o), lunghezza_(lunghezza) {}

  lettura_sorgente esegui();

 private:
  // The parsers' loops.
  bool cerca_generale();
  bool sezione_generale();
  void parte_principale(parte q);
  void leggi_chiave();
  bool record(parte q);

  // Fields that are not read as a record.
  void prima_del_generale();
  void non_letto(parte q);
  void ultimo_campo(parte q);
  void trattino(parte q);
  void intestazione();
  void sconosciuta();
  void fuori_posto(const parola_sorgente& p, const std::string& dove);
  bool segue_un_numero() const;

  // A record's fields and values.
  bool campi(const parola_sorgente& p);
  bool testo_del_record(const parola_sorgente& p, const campo_sorgente& c);
  bool finisce_prima(const parola_sorgente& p, const campo_sorgente& c);
  void valore(posto a, const parola_sorgente& p, std::size_t k, int64_t v);
  bool rifiutato(posto a, const std::string& campo, const campo_sorgente& c, int64_t v);
  bool oltre_il_percorso(posto a, const std::string& campo, const parola_sorgente& p, int64_t v);
  void dopo_il_record(const parola_sorgente& p, const numeri_letti& n);
  void in_ordine(posto a, const parola_sorgente& p, int64_t posizione);
  void orario_stazione(const numeri_letti& n);
  void curva(const numeri_letti& n);
  void indicatori(const numeri_letti& n);

  // Bytes.
  void codifica_righe();
  void codifica(int64_t n, std::string_view r);

  void segnala(posto a, bool errore, std::string m) {
    out_.rilievi.push_back(
        {{nome_, a.riga, a.colonna, errore, 0, std::move(m)}, record_.riga, record_.colonna});
  }

  file_sorgente file_;
  std::string nome_;
  std::string_view testo_;
  lettore_campi l_;
  const opzioni_compilazione& o_;
  lettura_sorgente out_;

  std::string campo_;  // the keyword field last read
  posto chiave_;       // where it stands
  posto record_;       // the keyword field of the record being read; 0 outside a record
  posto fine_;         // just after the last field read

  bool generale_visto_ = false;
  bool generale_ = false;     // in the line description's general section
  bool dopo_fine_ = false;    // a "[fine]" header was read
  int64_t riga_saltata_ = 0;  // the line of the last keyword field skipped
  std::optional<int64_t> lunghezza_;
  std::map<std::string_view, int64_t> ultima_posizione_;  // by keyword
  int64_t orario_ = 0;
};

lettura_sorgente lettura::esegui() {
  codifica_righe();
  if (cerca_generale()) {
    if (file_ == file_sorgente::treno) {
      parte_principale(parte::treno);
    } else if (sezione_generale()) {
      parte_principale(parte::principale);
    }
  } else if (file_ == file_sorgente::treno && !generale_visto_) {
    segnala({}, false, "no `[generale]` header: every field of the file is skipped");
  }
  out_.lunghezza = lunghezza_;
  std::stable_sort(out_.rilievi.begin(), out_.rilievi.end(),
                   [](const rilievo& a, const rilievo& b) {
                     return std::pair(a.p.riga, a.p.colonna) < std::pair(b.p.riga, b.p.colonna);
                   });
  return std::move(out_);
}

// Every field before "[generale]" is skipped. False when no field follows it (the line
// description then stops with code 102, the train service reads nothing).
bool lettura::cerca_generale() {
  while (!l_.fine_file()) {
    leggi_chiave();
    if (contiene(campo_, "[generale]")) {
      generale_visto_ = true;
      return !l_.fine_file();
    }
    prima_del_generale();
  }
  return false;
}

// Up to ten fields holding "-" are passed over; the section ends at a field holding "[" and
// "]" that does not start with "-". False when the text ends inside a record.
bool lettura::sezione_generale() {
  generale_ = true;
  for (;;) {
    if (l_.fine_file()) break;
    leggi_chiave();
    if (l_.fine_file()) {
      ultimo_campo(parte::generale);
      break;
    }
    for (int i = 0; i < 10 && contiene(campo_, "-"); ++i) {
      if (l_.fine_file()) return false;  // the compiler's read of a field fails: code 25
      trattino(parte::generale);
      leggi_chiave();
    }
    if (!record(parte::generale)) return false;
    if (!campo_.empty() && campo_.front() != '-' && contiene(campo_, "[") && contiene(campo_, "]"))
      break;
  }
  generale_ = false;
  return true;
}

// After the general section, and the whole train service: up to two fields holding "-" are
// passed over, and the last field of the text is never read as a record.
void lettura::parte_principale(parte q) {
  for (;;) {
    if (l_.fine_file()) return;
    leggi_chiave();
    if (l_.fine_file()) return ultimo_campo(q);
    for (int i = 0; i < 2 && contiene(campo_, "-"); ++i) {
      trattino(q);
      leggi_chiave();
      if (l_.fine_file()) return ultimo_campo(q);
    }
    if (!record(q)) return;
  }
}

void lettura::leggi_chiave() {
  campo_ = l_.leggi_testo();
  chiave_ = {l_.riga_campo(), l_.colonna_campo()};
  fine_ = {chiave_.riga, chiave_.colonna + static_cast<int32_t>(campo_.size())};
  record_ = {};
}

// Every keyword the field holds reads its own fields, in the order of the parser's tests.
// False when the text ends inside the record.
bool lettura::record(parte q) {
  const std::vector<const parola_sorgente*> voci = riconosciute(campo_, q);
  if (voci.empty()) {
    non_letto(q);
    return true;
  }
  record_ = chiave_;
  if (dopo_fine_) {
    segnala(chiave_, false, "`" + campo_ + "` stands after `[fine]` and is still read as a record");
  }
  return std::all_of(voci.begin(), voci.end(), [&](const parola_sorgente* p) { return campi(*p); });
}

// Notes may stand here, but a keyword followed by a number on its line is a lost record.
void lettura::prima_del_generale() {
  if (!campo_.empty() && campo_.front() == '[') return intestazione();
  const parola_sorgente* p = riconosciuta_in(campo_, file_);
  if (p == nullptr) p = riconosciuta_in(campo_, altro(file_));
  if (p != nullptr && segue_un_numero()) fuori_posto(*p, "before `[generale]`");
}

bool lettura::segue_un_numero() const {
  lettore_campi dopo = l_;
  const std::optional<campo_numero> n = dopo.leggi_campo_numero();
  return n && n->riga == chiave_.riga && !n->testo.empty() && numero_del_campo(n->testo);
}

// A keyword field that matches no keyword of its part. Numbers and empty fields pass silently
// (they stand there after a record with too many fields or a skipped one), and so does the rest
// of a skipped record's line.
void lettura::non_letto(parte q) {
  if (campo_.empty() || numero_del_campo(campo_)) return;
  if (campo_.front() == '[') return intestazione();
  if (chiave_.riga == riga_saltata_) return;
  riga_saltata_ = chiave_.riga;
  if (file_ == file_sorgente::linea && q != parte::treno) {
    const parte altra = q == parte::generale ? parte::principale : parte::generale;
    const std::vector<const parola_sorgente*> v = riconosciute(campo_, altra);
    if (!v.empty()) {
      return fuori_posto(*v.front(), q == parte::generale ? "in the general section"
                                                          : "after the general section");
    }
  }
  if (const parola_sorgente* p = riconosciuta_in(campo_, altro(file_))) {
    return fuori_posto(*p, "in the " + nome_file(file_));
  }
  sconosciuta();
}

void lettura::fuori_posto(const parola_sorgente& p, const std::string& dove) {
  std::string dove_va = "under `" + std::string(p.sezione) + "`";
  if (p.file != file_) dove_va = "in the " + nome_file(p.file) + ", " + dove_va;
  if (p.file == file_ && generale_ && !letta_in(p, parte::generale)) {
    dove_va += ", after the general section";
  }
  segnala(chiave_, false, "`" + campo_ + "` is skipped " + dove + "; it belongs " + dove_va);
}

void lettura::ultimo_campo(parte q) {
  if (riconosciute(campo_, q).empty()) return non_letto(q);
  segnala(chiave_, false,
          "`" + campo_ +
              "` is the last field of the file and is never read as a record; end the file "
              "with `[fine]`");
}

void lettura::trattino(parte q) {
  if (riconosciute(campo_, q).empty()) return;
  segnala(chiave_, false,
          "`" + campo_ +
              "` holds `-`, so it is passed over and the field after it is read as the keyword");
}

void lettura::intestazione() {
  const std::string m = minuscole(campo_);
  std::vector<std::string> note;
  for (const sezione_sorgente& s : sezioni_sorgenti()) {
    if (s.file != file_) continue;
    if (m == s.intestazione) {
      dopo_fine_ = dopo_fine_ || (generale_visto_ && m == "[fine]");
      return;
    }
    note.emplace_back(s.intestazione);
  }
  const std::string vicina = piu_vicina(m, note);
  segnala(chiave_, false,
          "unknown section `" + campo_ + "`" +
              (vicina.empty() ? "" : "; did you mean `" + vicina + "`?"));
}

void lettura::sconosciuta() {
  std::vector<std::string> note;
  for (const prova_parola& p : prove()) {
    // Every name is offered, so that `curvd4` is told `curvad4`, not the first class.
    if (p.voce->file == file_) std::ranges::copy(nomi_parola(*p.voce), std::back_inserter(note));
  }
  const std::string vicina = piu_vicina(minuscole(campo_), note);
  segnala(chiave_, false,
          "unknown keyword `" + campo_ + "`, the record is skipped" +
              (vicina.empty() ? "" : "; did you mean `" + vicina + "`?"));
}

// The fields of `p` read as its handler reads them. False when the text ends first.
bool lettura::campi(const parola_sorgente& p) {
  // Without the track plan the curve handler does not run, and its numbers are keyword fields.
  if (di_curva(p) && !o_.con_tracciato) return true;
  numeri_letti n;
  for (std::size_t k = 0; k < p.campi.size(); ++k) {
    const campo_sorgente& c = p.campi[k];
    if (c.testo) {
      if (!testo_del_record(p, c)) return false;
      continue;
    }
    const std::optional<campo_numero> letto = l_.leggi_campo_numero();
    if (!letto) return finisce_prima(p, c);
    const posto a{letto->riga, letto->colonna};
    fine_ = {a.riga,
             a.colonna + static_cast<int32_t>(std::max<std::size_t>(1, letto->testo.size()))};
    n.posti.push_back(a);
    n.valori.push_back(numero_del_campo(letto->testo));
    if (n.valori.back()) {
      valore(a, p, k, *n.valori.back());
    } else {
      segnala(a, true,
              "`" + campo_ + "` field `" + c.nome + "` is \"" + std::string(letto->testo) +
                  "\", not a whole number");
    }
  }
  dopo_il_record(p, n);
  return true;
}

// A text field does not skip line ends: a record whose line ends before it takes the next line.
bool lettura::testo_del_record(const parola_sorgente& p, const campo_sorgente& c) {
  if (l_.fine_file()) return finisce_prima(p, c);
  const int64_t riga_prima = fine_.riga;
  const std::string t = l_.leggi_testo();
  const posto a{l_.riga_campo(), l_.colonna_campo()};
  fine_ = {a.riga, a.colonna + static_cast<int32_t>(t.size())};
  const std::string nome = "`" + campo_ + "`";
  if (t.empty()) {
    segnala(a, false, nome + " field `" + c.nome + "` is empty");
  } else if (a.riga > riga_prima && (t.front() == '[' || riconosciuta_in(t, file_) != nullptr)) {
    riga_saltata_ = a.riga;
    segnala(a, false,
            nome + " has no `" + c.nome + "` on its line, so `" + t + "` on line " +
                std::to_string(a.riga) + " is read as its `" + c.nome + "`");
  }
  return true;
}

bool lettura::finisce_prima(const parola_sorgente& p, const campo_sorgente& c) {
  segnala(fine_, true,
          "`" + campo_ + "` ends before its field `" + c.nome + "` (" +
              std::to_string(p.campi.size()) + " fields expected)");
  return false;
}

void lettura::valore(posto a, const parola_sorgente& p, std::size_t k, int64_t v) {
  const campo_sorgente& c = p.campi[k];
  const std::string campo = "`" + campo_ + "` field `" + c.nome + "` ";
  if (rifiutato(a, campo, c, v)) return;
  if (k == 0 && oltre_il_percorso(a, campo, p, v)) return;
  const std::string_view uso = c.uso;
  for (const int64_t passo : {50, 100}) {
    const std::string regola = "Not a multiple of " + std::to_string(passo) + ": ";
    const std::size_t q = uso.find(regola);
    if (q != std::string_view::npos && v % passo != 0) {
      const std::string_view codice = uso.substr(q + regola.size());
      return segnala(a, true,
                     campo + std::to_string(v) + " is not a multiple of " + std::to_string(passo) +
                         " (" + std::string(codice.substr(0, codice.find_first_of(";.)"))) + ")");
    }
  }
  const std::string unita = *c.unita ? std::string(" ") + c.unita : "";
  if (v < c.minimo || v > c.massimo) {
    return segnala(a, false,
                   campo + std::to_string(v) + unita + " is outside its range " +
                       std::to_string(c.minimo) + " to " + std::to_string(c.massimo) +
                       (uso.find("wraps") != std::string_view::npos ? " (the value wraps)" : ""));
  }
  // The line's own constants may reach past its end; its features and the train's may not.
  if (lunghezza_ && *lunghezza_ > 0 && di_posizione(c) && v > *lunghezza_ && !generale_) {
    segnala(a, false,
            campo + std::to_string(v) + " m is beyond the end of the line (" +
                std::to_string(*lunghezza_) + " m)");
  }
}

// A value the compiler refuses whatever the other fields hold.
bool lettura::rifiutato(posto a, const std::string& campo, const campo_sorgente& c, int64_t v) {
  const valori_accettati& ok = c.accettati;
  if (v >= ok.minimo && v <= ok.massimo) return false;
  const std::string unita = *c.unita ? std::string(" ") + c.unita : "";
  const std::string presi = ok.massimo >= INT32_MAX ? std::to_string(ok.minimo) + " or more"
                            : ok.minimo <= INT32_MIN
                                ? "up to " + std::to_string(ok.massimo)
                                : std::to_string(ok.minimo) + " to " + std::to_string(ok.massimo);
  segnala(a, true,
          campo + std::to_string(v) + unita + " does not fit: the compiler takes " + presi +
              " (code " + std::to_string(v < ok.minimo ? ok.codice_sotto : ok.codice_sopra) + ")");
  return true;
}

// The parser's position test: (p + margin) / 50 must not pass the route's last cell.
bool lettura::oltre_il_percorso(posto a, const std::string& campo, const parola_sorgente& p,
                                int64_t v) {
  if (p.margine == 0 || !lunghezza_) return false;
  const int64_t ultima_cella = arrotonda(static_cast<double>(*lunghezza_ + 7000) / 50.0);
  const int64_t massima = ultima_cella * 50 - p.margine;
  if (v <= massima) return false;
  segnala(a, true,
          campo + std::to_string(v) + " m is beyond the route: the compiler takes up to " +
              std::to_string(massima) + " m (code 15)");
  return true;
}

void lettura::dopo_il_record(const parola_sorgente& p, const numeri_letti& n) {
  const std::string_view parola = p.parola;
  const auto& v = n.valori;
  if (parola == "lunghezza percorso" && v[0] && *v[0] >= 0 && *v[0] <= 1'000'000) {
    lunghezza_ = *v[0];
  }
  if (di_posizione(p.campi[0]) && v[0]) in_ordine(n.posti[0], p, *v[0]);
  if (parola == "stazione") orario_stazione(n);
  if (di_curva(p)) curva(n);
  if (parola == "indicatori_vmax") indicatori(n);
  if (parola == "ripetizione segnali 4 codici" && !contiene(campo_, "4") &&
      !contiene(campo_, "9")) {
    segnala(chiave_, true,
            "`" + campo_ + "` holds neither \"4\" nor \"9\" for the number of codes (code 5)");
  }
}

// Records of a section the compiler reads in order along the line must not go back.
void lettura::in_ordine(posto a, const parola_sorgente& p, int64_t posizione) {
  const auto s = std::find_if(
      sezioni_sorgenti().begin(), sezioni_sorgenti().end(), [&](const sezione_sorgente& x) {
        return x.file == file_ && std::string_view(x.intestazione) == p.sezione;
      });
  if (s == sezioni_sorgenti().end() ||
      std::string_view(s->contenuto).find("in order") == std::string_view::npos)
    return;
  const auto [prima, nuova] = ultima_posizione_.try_emplace(p.parola, posizione);
  if (!nuova && posizione < prima->second) {
    segnala(a, false,
            "`" + nome_parola(p) + "` at " + std::to_string(posizione) +
                " m comes after the one at " + std::to_string(prima->second) + " m: `" + p.sezione +
                "` must be in order along the line");
  }
  prima->second = posizione;
}

void lettura::orario_stazione(const numeri_letti& n) {
  if (!n.valori[13] || !n.valori[14] || !n.valori[15]) return;
  const int64_t ore = *n.valori[13], minuti = *n.valori[14], secondi = *n.valori[15];
  // Each step of the sum is held in 32 bits, as the parser holds it.
  const int64_t passi[] = {ore * 60 + minuti, (ore * 60 + minuti) * 60,
                           (ore * 60 + minuti) * 60 + secondi};
  if (std::any_of(std::begin(passi), std::end(passi),
                  [](int64_t s) { return !se_entra<int32_t>(s); })) {
    return segnala(n.posti[13], true,
                   "`" + campo_ + "` time " + std::to_string(ore) + " h " + std::to_string(minuti) +
                       " min " + std::to_string(secondi) +
                       " s does not fit 32 bits of seconds (code 25)");
  }
  const int64_t ora = passi[2];
  if (ora != 0 && ora < orario_) {
    segnala(n.posti[13], false,
            "time " + orario(ora) + " is earlier than the previous station's " + orario(orario_));
  }
  if (ora != 0) orario_ = ora;
}

// The class digit, and the track plan's last point: the plan stops at point 1,000,000.
void lettura::curva(const numeri_letti& n) {
  static constexpr const char* cifre[] = {"1", "2", "3", "4", "5", "6"};
  if (std::none_of(std::begin(cifre), std::end(cifre),
                   [&](const char* d) { return contiene(campo_, d); })) {
    segnala(chiave_, true, "`" + campo_ + "` holds no curve class digit 1 to 6 (code 103)");
  }
  if (!n.valori[0] || !n.valori[1] || !lunghezza_) return;
  const int64_t p = *n.valori[0];
  const int64_t fino_a = std::min(std::max(p, p + *n.valori[1]), *lunghezza_ + 7000 - 2);
  if (fino_a >= 1'000'000) {
    segnala(n.posti[0], true,
            "`" + campo_ + "` takes the track plan to point " + std::to_string(fino_a) +
                ", over 1,000,000 points (code 103)");
  }
}

// Each group's two speeds go together into 16 bits.
void lettura::indicatori(const numeri_letti& n) {
  static constexpr const char* nomi[] = {"vas", "vbs", "vcs", "", "vad", "vbd", "vcd"};
  for (std::size_t s = 1; s <= 3; ++s) {
    const std::optional<int32_t> vs = n.valori[s], vd = n.valori[s + 4];
    if (!vs || !vd) continue;
    const int64_t somma = impacchetta_velocita_indicatore(*vs, *vd);
    if (se_entra<int16_t>(somma)) continue;
    segnala(n.posti[s], true,
            "`" + campo_ + "` fields `" + nomi[s - 1] + "` " + std::to_string(*vs) + " and `" +
                nomi[s + 3] + "` " + std::to_string(*vd) + " make " + std::to_string(somma) +
                ", which does not fit 16 bits (code 25)");
  }
}

// Line by line, with the reader's line ends: CR LF, a lone CR or a lone LF.
void lettura::codifica_righe() {
  int64_t n = 1;
  std::size_t i = 0;
  while (i < testo_.size()) {
    const std::size_t fine = std::min(testo_.find_first_of("\r\n", i), testo_.size());
    codifica(n, testo_.substr(i, fine - i));
    i = fine + (testo_.compare(fine, 2, "\r\n") == 0 ? 2 : 1);
    ++n;
  }
}

// Continuation bytes after a UTF-8 lead byte, or -1 for a byte that cannot lead.
int seguito(unsigned char b) {
  if (b < 0x80) return 0;
  if (b >= 0xC2 && b < 0xE0) return 1;
  if (b >= 0xE0 && b < 0xF0) return 2;
  if (b >= 0xF0 && b < 0xF5) return 3;
  return -1;
}

// Every byte above 127 belongs to a well-formed UTF-8 sequence.
bool utf8(std::string_view r) {
  for (std::size_t k = 0; k < r.size(); ++k) {
    const int n = seguito(static_cast<unsigned char>(r[k]));
    if (n < 0 || k + static_cast<std::size_t>(n) >= r.size()) return false;
    for (int j = 0; j < n; ++j) {
      if ((static_cast<unsigned char>(r[++k]) & 0xC0) != 0x80) return false;
    }
  }
  return true;
}

// The sources are Windows-1252 text: UTF-8 shows as two or three odd letters each.
void lettura::codifica(int64_t n, std::string_view r) {
  const auto alta = std::find_if(r.begin(), r.end(), [](char c) { return (c & 0x80) != 0; });
  if (alta == r.end()) return;
  const auto colonna = static_cast<int32_t>(alta - r.begin()) + 1;
  if (utf8(r)) {
    return segnala({n, colonna}, false,
                   "UTF-8 text detected; the sources are read as Windows-1252: save the file "
                   "as Windows-1252");
  }
  for (std::size_t k = 0; k < r.size(); ++k) {
    const auto b = static_cast<unsigned char>(r[k]);
    if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "0x%02X", b);
      return segnala({n, static_cast<int32_t>(k) + 1}, false,
                     std::string("byte ") + hex + " is not Windows-1252 text");
    }
  }
}

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

lettura_sorgente leggi_per_controllo(file_sorgente file, const std::string& nome,
                                     std::string_view testo, const opzioni_compilazione& o,
                                     std::optional<int64_t> lunghezza_linea) {
  return lettura(file, nome, testo, o, lunghezza_linea).esegui();
}

}  // namespace scenario
