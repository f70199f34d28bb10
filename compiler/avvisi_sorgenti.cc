// The warnings of a source, from the table of keywords and fields.
#include "compiler/avvisi_sorgenti.h"

#include <algorithm>
#include <cstdio>

#include "compiler/aritmetica.h"
#include "compiler/formato_celle.h"
#include "compiler/messaggi_sorgenti.h"
#include "compiler/nomi_file.h"

namespace scenario {
namespace {

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

file_sorgente altro(file_sorgente f) {
  return f == file_sorgente::linea ? file_sorgente::treno : file_sorgente::linea;
}

std::string nome_file(file_sorgente f) {
  return f == file_sorgente::linea ? "line description" : "train service";
}

std::string ora(int64_t s) {
  char t[32];
  std::snprintf(t, sizeof t, "%02lld:%02lld:%02lld", static_cast<long long>(s / 3600),
                static_cast<long long>(s / 60 % 60), static_cast<long long>(s % 60));
  return t;
}

// The first keyword of source `file` that `campo` holds, whatever its part.
const parola_sorgente* riconosciuta_in(std::string_view campo, file_sorgente file) {
  for (parte_sorgente q :
       {parte_sorgente::generale, parte_sorgente::principale, parte_sorgente::treno}) {
    for (const parola_sorgente* p : parole_della_parte(q)) {
      if (p->file == file && riconosce(*p, campo)) return p;
    }
  }
  return nullptr;
}

bool con_parola(std::string_view campo, parte_sorgente parte) {
  std::array<const parola_sorgente*, parole_massime_parte> v;
  return parole_riconosciute(campo, parte, v) > 0;
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

bool fuori_1252(unsigned char b) {
  return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

}  // namespace

std::string piu_vicina(std::string_view parola, const std::vector<std::string_view>& note) {
  std::string meglio;
  std::size_t minima = std::max<std::size_t>(2, parola.size() / 3) + 1;
  const std::string cercata = minuscole(parola);
  for (std::string_view n : note) {
    const std::size_t d = distanza(cercata, minuscole(n));
    if (d < minima) {
      minima = d;
      meglio = n;
    }
  }
  return meglio;
}

controlli_lettura::controlli_lettura(analisi& m, file_sorgente f, std::string_view testo)
    : m_(m),
      file_(f),
      nome_(f == file_sorgente::linea
                ? nome_testo_linea(m.opzioni.nome_linea)
                : nome_testo_treno(m.opzioni.nome_linea, m.opzioni.numero_treno)) {
  codifica(testo);
}

diagnostica controlli_lettura::avviso(const intervallo_sorgente& dove,
                                      std::string messaggio) const {
  diagnostica d;
  d.livello = gravita::avviso;
  d.file = nome_;
  d.dove = dove;
  d.messaggio = std::move(messaggio);
  return d;
}

// The sources are Windows-1252 text: UTF-8 shows as two or three odd letters each.
void controlli_lettura::codifica(std::string_view testo) {
  int32_t n = 1;
  for (std::size_t i = 0; i < testo.size(); ++n) {
    const riga_testo r = riga_da(testo, i);
    const auto alta =
        std::find_if(r.testo.begin(), r.testo.end(), [](char c) { return (c & 0x80) != 0; });
    if (alta != r.testo.end()) {
      const auto colonna = static_cast<int32_t>(alta - r.testo.begin());
      const auto inizio = i + static_cast<std::size_t>(colonna);
      if (utf8(r.testo)) {
        avverti({n, colonna + 1, colonna + 2, inizio, inizio + 1},
                "UTF-8 text detected; the sources are read as Windows-1252: save the file as "
                "Windows-1252");
      } else {
        const auto b = std::find_if(r.testo.begin(), r.testo.end(), [](char c) {
          return fuori_1252(static_cast<unsigned char>(c));
        });
        if (b != r.testo.end()) {
          const auto k = static_cast<int32_t>(b - r.testo.begin());
          char hex[8];
          std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(*b));
          avverti({n, k + 1, k + 2, i + static_cast<std::size_t>(k),
                   i + static_cast<std::size_t>(k) + 1},
                  std::string("byte ") + hex + " is not Windows-1252 text");
        }
      }
    }
    i = r.prossima;
  }
}

void controlli_lettura::saltato(const campo_letto& campo, campo_saltato perche,
                                parte_sorgente parte, bool segue_numero) {
  const std::string_view t = campo.testo;
  switch (perche) {
    case campo_saltato::prima_del_generale:
      if (!t.empty() && t.front() == '[') return intestazione(campo);
      if (!segue_numero) return;
      if (const parola_sorgente* p = riconosciuta_in(t, file_)) {
        return fuori_posto(campo, *p, "before `[generale]`");
      }
      if (const parola_sorgente* p = riconosciuta_in(t, altro(file_))) {
        return fuori_posto(campo, *p, "before `[generale]`");
      }
      return;
    case campo_saltato::sconosciuto:
      return sconosciuto(campo, parte);
    case campo_saltato::trattino:
      if (!con_parola(t, parte)) return;
      return avverti(campo.luogo, tra_apici(t) +
                                      " holds `-`, so it is passed over and the field after it "
                                      "is read as the keyword");
    case campo_saltato::ultimo:
      if (!con_parola(t, parte)) return sconosciuto(campo, parte);
      return avverti(campo.luogo, tra_apici(t) +
                                      " is the last field of the file and is never read as a "
                                      "record; end the file with `[fine]`");
  }
}

void controlli_lettura::intestazione(const campo_letto& campo) {
  const std::string m = minuscole(campo.testo);
  std::vector<std::string_view> note;
  for (const sezione_sorgente& s : sezioni_sorgenti()) {
    if (s.file != file_) continue;
    if (m == s.intestazione) {
      dopo_fine_ = dopo_fine_ || m == "[fine]";
      return;
    }
    note.emplace_back(s.intestazione);
  }
  con_suggerimento(campo, "unknown section " + tra_apici(campo.testo), note);
}

// A warning that offers the closest known name, as a fix that writes it in the field's place.
void controlli_lettura::con_suggerimento(const campo_letto& campo, std::string messaggio,
                                         const std::vector<std::string_view>& note) {
  const std::string vicina = piu_vicina(campo.testo, note);
  if (!vicina.empty()) messaggio += "; did you mean `" + vicina + "`?";
  diagnostica d = avviso(campo.luogo, std::move(messaggio));
  if (!vicina.empty()) {
    d.correzioni.push_back({"write `" + vicina + "`", {{nome_, campo.luogo, vicina}}});
  }
  m_.avverti(std::move(d));
}

// A keyword field that matches no keyword of its part. Numbers and empty fields pass silently
// unless they stand on a record's line (a record with too many fields), and so does the rest
// of a skipped record's line.
void controlli_lettura::sconosciuto(const campo_letto& campo, parte_sorgente parte) {
  const std::string_view t = campo.testo;
  if (t.empty() || numero_del_campo(t)) {
    if (campo.luogo.riga == riga_record_ && riga_saltata_ != riga_record_) {
      riga_saltata_ = riga_record_;
      avverti(campo.luogo, "`" + parola_record_ + "` has more fields than it takes, and " +
                               cita(t) + " and the rest of its line are skipped");
    }
    return;
  }
  if (t.front() == '[') return intestazione(campo);
  if (campo.luogo.riga == riga_saltata_) return;
  riga_saltata_ = campo.luogo.riga;
  if (fuori_parte(campo, parte)) return;
  std::vector<std::string_view> note;
  for (const parola_sorgente& p : parole_sorgenti()) {
    if (p.file != file_) continue;
    // Every name is offered, so that `curvd4` is told `curvad4`, not the first class.
    for (std::string_view n : nomi_parola(p)) note.push_back(n);
  }
  con_suggerimento(campo, "unknown keyword " + tra_apici(t) + ", the record is skipped", note);
}

// A keyword read nowhere here: another part of the same source, or the other source.
bool controlli_lettura::fuori_parte(const campo_letto& campo, parte_sorgente parte) {
  const std::string_view t = campo.testo;
  if (file_ == file_sorgente::linea) {
    const parte_sorgente altra =
        parte == parte_sorgente::generale ? parte_sorgente::principale : parte_sorgente::generale;
    std::array<const parola_sorgente*, parole_massime_parte> v;
    if (parole_riconosciute(t, altra, v) > 0) {
      fuori_posto(campo, *v[0],
                  parte == parte_sorgente::generale ? "in the general section"
                                                    : "after the general section");
      return true;
    }
  }
  if (const parola_sorgente* p = riconosciuta_in(t, altro(file_))) {
    fuori_posto(campo, *p, "in the " + nome_file(file_));
    return true;
  }
  return false;
}

void controlli_lettura::fuori_posto(const campo_letto& campo, const parola_sorgente& p,
                                    const std::string& dove) {
  std::string dove_va = "under `" + std::string(p.sezione) + "`";
  if (p.file != file_) dove_va = "in the " + nome_file(p.file) + ", " + dove_va;
  if (p.file == file_ && dove == "in the general section") dove_va += ", after the general section";
  avverti(campo.luogo, tra_apici(campo.testo) + " is skipped " + dove + "; it belongs " + dove_va);
}

// A field with two keywords reads both records, one after the other.
void controlli_lettura::due_parole(const record_letto& r, parte_sorgente parte) {
  std::array<const parola_sorgente*, parole_massime_parte> v;
  const std::size_t n = parole_riconosciute(r.chiave.testo, parte, v);
  if (n < 2) return;
  std::string nomi;
  for (std::size_t i = 0; i < n; ++i) {
    nomi += (i == 0 ? "" : (i + 1 == n ? " and " : ", ")) + tra_apici(v[i]->nome());
  }
  avverti(r.chiave.luogo, tra_apici(r.chiave.testo) + " holds " + std::to_string(n) +
                              " keywords, " + nomi +
                              ", and each reads its own fields in turn: a field must hold one");
}

void controlli_lettura::record(const record_letto& r, parte_sorgente parte) {
  riga_record_ = r.ultimo().riga;
  parola_record_ = std::string(r.parola->nome());
  if (!r.altra_parola) due_parole(r, parte);
  if (dopo_fine_) {
    avverti(r.chiave.luogo,
            tra_apici(r.chiave.testo) + " stands after `[fine]` and is still read as a record");
  }
  valori(r);
  testi(r);
}

// The values of a sound record against the table; a record with a bad field is the parser's.
void controlli_lettura::valori(const record_letto& r) {
  const record_in_lettura corrente(m_, r);
  for (std::size_t k = 0; k < r.parola->campi.size(); ++k) {
    if (problema_numero(m_, k)) return;
  }
  for (std::size_t k = 0; k < r.letti; ++k) {
    const campo_sorgente& c = r.parola->campi[k];
    if (c.testo()) continue;
    const int32_t v = *numero_del_campo(r.campi[k].testo);
    if (problema_accettati(m_, k, v) || (c.multiplo != 0 && v % c.multiplo != 0)) return;
  }
  if (sembra_commento(r.chiave.testo)) {
    avverti(r.chiave.luogo, tra_apici(r.chiave.testo) + " is read as a " +
                                tra_apici(r.parola->nome()) + " record because it holds " +
                                tra_apici(r.parola->nome()) +
                                ": the sources have no comments, and a note may stand only "
                                "before `[generale]`");
  }
  for (std::size_t k = 0; k < r.letti; ++k) {
    if (!r.parola->campi[k].testo()) valore(r, k, *numero_del_campo(r.campi[k].testo));
  }
  if (r.parola->in_ordine || r.parola->da_zero) {
    in_ordine(r, *numero_del_campo(r.campi[0].testo));
  }
  if (r.parola->record == tipo_record::stazione) orario(r);
}

// The field's name is worded only for a warning: every number of a source comes here.
void controlli_lettura::valore(const record_letto& r, std::size_t k, int32_t v) {
  const campo_sorgente& c = r.parola->campi[k];
  if (c.passo != 0 && v % c.passo != 0) {
    const std::string tenuto =
        std::to_string(arrotonda(static_cast<double>(v) / c.passo) * c.passo);
    const std::string campo = nome_campo(r, k) + " ";
    diagnostica d = avviso(r.campi[k].luogo, campo + con_unita(v, c) + " is kept as " + tenuto +
                                                 (*c.unita ? std::string(" ") + c.unita : "") +
                                                 ": the format stores it in steps of " +
                                                 std::to_string(c.passo));
    d.correzioni.push_back({"round to " + tenuto, {{nome_, r.campi[k].luogo, tenuto}}});
    m_.avverti(std::move(d));
  } else if (v < c.minimo || v > c.massimo) {
    avverti(r.campi[k].luogo, nome_campo(r, k) + " " + con_unita(v, c) + " is outside its range " +
                                  std::to_string(c.minimo) + " to " + std::to_string(c.massimo) +
                                  (c.avvolge ? " (the value wraps)" : ""));
  }
  if (c.cella != cella_campo::nessuna) posizione(r, k, v);
}

// A position between two cells is moved to one of them; one past the line's end is on the
// run-out, where no train is meant to go.
void controlli_lettura::posizione(const record_letto& r, std::size_t k, int32_t v) {
  const campo_sorgente& c = r.parola->campi[k];
  const bool con_percorso = m_.percorso_creato() && r.parola->parte != parte_sorgente::generale;
  const int64_t lunghezza = m_.lunghezza_estesa - metri_oltre_la_fine;
  // Past the route the parser stops with code 15 itself.
  if (con_percorso && k == 0 && r.parola->margine != 0 &&
      v > posizione_massima(lunghezza, r.parola->margine)) {
    return;
  }
  if ((c.cella == cella_campo::punto || c.cella == cella_campo::passo) &&
      v % metri_per_cella != 0) {
    const int64_t cella = c.cella == cella_campo::punto ? cella_di(v) : cella_senza_uno(v);
    const int64_t metri =
        c.cella == cella_campo::punto ? metri_elemento(cella) : metri_strato(cella);
    const std::string tenuto = std::to_string(metri);
    diagnostica d =
        avviso(r.campi[k].luogo, nome_campo(r, k) + " " + std::to_string(v) +
                                     " m falls between two cells of 50 m: it is taken as cell " +
                                     std::to_string(cella) + ", at " + tenuto + " m");
    d.correzioni.push_back({"round to " + tenuto, {{nome_, r.campi[k].luogo, tenuto}}});
    m_.avverti(std::move(d));
  }
  if (con_percorso && lunghezza > 0 && v > lunghezza) {
    avverti(r.campi[k].luogo, nome_campo(r, k) + " " + std::to_string(v) +
                                  " m is beyond the end of the line (" + std::to_string(lunghezza) +
                                  " m)");
  }
}

// Records of a keyword the compiler fills along the line must not go back; the first of those
// that fill from the start stands at 0.
void controlli_lettura::in_ordine(const record_letto& r, int32_t v) {
  const parola_sorgente& p = *r.parola;
  std::optional<ultimo_letto>& prima = ultimi_[static_cast<std::size_t>(p.record)];
  if (p.da_zero && !prima && v != 0) {
    avverti(r.campi[0].luogo, "the first " + tra_apici(p.nome()) + " is at " + std::to_string(v) +
                                  " m: nothing fills the cells before it; start with one at 0 m");
  }
  if (p.in_ordine && prima && v < prima->posizione) {
    diagnostica d = avviso(r.campi[0].luogo, tra_apici(p.nome()) + " at " + std::to_string(v) +
                                                 " m comes after the one at " +
                                                 std::to_string(prima->posizione) + " m: `" +
                                                 p.sezione + "` must be in order along the line");
    d.note.push_back({nome_, prima->dove, "the one at " + std::to_string(prima->posizione) + " m"});
    m_.avverti(std::move(d));
  }
  prima = ultimo_letto{v, r.chiave.luogo};
}

void controlli_lettura::orario(const record_letto& r) {
  const std::optional<int32_t> orario =
      orario_in_secondi(*numero_del_campo(r.campi[13].testo), *numero_del_campo(r.campi[14].testo),
                        *numero_del_campo(r.campi[15].testo));
  if (!orario || *orario == 0) return;  // a time that does not fit is the parser's fault
  if (*orario < orario_) {
    avverti(r.campi[13].luogo,
            "time " + ora(*orario) + " is earlier than the previous station's " + ora(orario_));
  }
  orario_ = *orario;
}

// A text field read from the next line, or empty.
void controlli_lettura::testi(const record_letto& r) {
  for (std::size_t k = 0; k < r.letti; ++k) {
    const campo_sorgente& c = r.parola->campi[k];
    if (!c.testo()) continue;
    const campo_letto& t = r.campi[k];
    const int32_t riga_prima = (k == 0 ? r.chiave : r.campi[k - 1]).luogo.riga;
    if (t.testo.empty()) {
      avverti(t.luogo, nome_campo(r, k) + " is empty");
    } else if (t.luogo.riga > riga_prima &&
               (t.testo.front() == '[' || riconosciuta_in(t.testo, file_) != nullptr)) {
      riga_saltata_ = t.luogo.riga;
      avverti(t.luogo, nome_record(r) + " has no " + tra_apici(c.nome) + " on its line, so " +
                           tra_apici(t.testo) + " on line " + std::to_string(t.luogo.riga) +
                           " is read as its " + tra_apici(c.nome));
    }
  }
}

void controlli_lettura::fine(bool generale_visto) {
  if (file_ == file_sorgente::treno && !generale_visto) {
    avverti({}, "no `[generale]` header: every field of the file is skipped");
  }
}

}  // namespace scenario
