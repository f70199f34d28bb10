// A route is worked out again in full after every event: the check of a real route takes
// milliseconds, and what is shown then never depends on the order the events came in.
#include "tools/lsp/documenti_lsp.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <string_view>

#include "compiler/nomi_file.h"
#include "io/errore_io.h"
#include "io/lettura.h"
#include "sources/nome_valido.h"
#include "tools/lsp/cornici_lsp.h"

namespace scenario::strumento {

struct documenti_lsp::sorgente {
  std::string nome;
  std::string uri;
  const documento* aperto = nullptr;  // null: read from the disk
  std::optional<std::string> byte;    // as the compiler reads them; nothing: no such file
  bool illeggibile = false;
  std::vector<diagnostica> diagnostiche;
  std::vector<diagnostica> viste;  // those already shown, when several checks show theirs here
};

namespace {

constexpr std::string_view coda_linea = "_linea.txt";
constexpr std::string_view coda_treno = "-.txt";

bool con_coda(std::string_view nome, std::string_view coda) {
  return nome.size() > coda.size() && nome.ends_with(coda);
}

std::optional<file_sorgente> tipo_di(std::string_view nome) {
  if (con_coda(nome, coda_linea)) return file_sorgente::linea;
  if (con_coda(nome, coda_treno)) return file_sorgente::treno;
  return std::nullopt;
}

std::string senza_coda(const std::string& nome, std::string_view coda) {
  return nome.substr(0, nome.size() - coda.size());
}

// ROUTE_TRAIN cut after the longest route whose line description is among `linee`, otherwise
// at the last "_", as the command line finds the routes of a folder.
std::optional<std::pair<std::string, std::string>> dividi(const std::string& radice,
                                                          const std::set<std::string>& linee) {
  std::size_t taglio = std::string::npos;
  for (const std::string& l : linee) {
    if (radice.size() > l.size() + 1 && radice.starts_with(l) && radice[l.size()] == '_' &&
        (taglio == std::string::npos || l.size() > taglio)) {
      taglio = l.size();
    }
  }
  if (taglio == std::string::npos) taglio = radice.rfind('_');
  if (taglio == std::string::npos || taglio == 0 || taglio + 1 == radice.size()) return {};
  return std::pair{radice.substr(0, taglio), radice.substr(taglio + 1)};
}

std::filesystem::path percorso_utf8(const std::string& nome) {
  return std::filesystem::path(std::u8string(nome.begin(), nome.end()));
}

// A problem's words hold Windows-1252 text; a name or a path from the editor is UTF-8.
std::string in_1252(std::string_view utf8) { return in_windows_1252(utf8, 0).byte; }

diagnostica all_inizio(const std::string& file, gravita g, std::string messaggio) {
  diagnostica d;
  d.livello = g;
  d.file = file;
  d.messaggio = std::move(messaggio);
  return d;
}

intervallo_sorgente un_carattere(int64_t riga, int64_t colonna) {
  const auto r = static_cast<int32_t>(riga);
  const auto c = static_cast<int32_t>(colonna);
  return {r, c, c + 1, 0, 0};
}

std::string nome_carattere(char32_t c) {
  char t[16];
  std::snprintf(t, sizeof t, "U+%04X", static_cast<unsigned>(c));
  return t;
}

std::string perche_non_1252(const codifica_estranea& e, std::string_view byte) {
  switch (e.segno) {
    case segno_codifica::utf16:
      return "the file was saved as UTF-16, not Windows-1252; save it as Windows-1252";
    case segno_codifica::utf8:
      return "the file was saved as UTF-8, not Windows-1252: the compiler reads each character "
             "above 127 as two or three; save it as Windows-1252";
    case segno_codifica::byte_non_assegnato:
      break;
  }
  char b[8];
  std::snprintf(b, sizeof b, "0x%02X", static_cast<unsigned char>(byte[e.dove]));
  return std::string("the saved file holds byte ") + b +
         ", which is no Windows-1252 character: it was not saved as Windows-1252";
}

// The warning for a saved file that is not Windows-1252 text, on the character that shows it.
diagnostica avviso_salvataggio(const std::string& file, std::string_view byte,
                               const codifica_estranea& e) {
  diagnostica d = all_inizio(file, gravita::avviso, perche_non_1252(e, byte));
  int64_t riga = 1;
  std::size_t inizio = 0;
  for (std::size_t i = 0; i < e.dove; ++i) {
    if (byte[i] == '\n' || (byte[i] == '\r' && byte.substr(i, 2) != "\r\n")) {
      ++riga;
      inizio = i + 1;
    }
  }
  d.dove = un_carattere(riga, static_cast<int64_t>(e.dove - inizio) + 1);
  return d;
}

void aggiungi_estranei(std::vector<diagnostica>& d, const std::string& file,
                       const testo_in_1252& t) {
  for (const carattere_estraneo& e : t.estranei) {
    diagnostica x = all_inizio(file, gravita::avviso,
                               "character " + nome_carattere(e.c) +
                                   " has no Windows-1252 form; the file cannot be saved as "
                                   "Windows-1252");
    x.dove = un_carattere(e.riga, e.colonna);
    d.push_back(std::move(x));
  }
  if (t.altri_estranei > 0) {
    d.push_back(all_inizio(
        file, gravita::avviso,
        std::to_string(t.altri_estranei) + " more characters have no Windows-1252 form"));
  }
}

}  // namespace

void documenti_lsp::apri(const std::string& uri, std::string testo, int64_t versione) {
  documento& d = aperti_[uri];
  d = documento{std::move(testo), versione, file_di_uri(uri), std::nullopt, false, {}, {}};
  if (d.file) aggiorna(*d.file);
}

void documenti_lsp::modifica(const std::string& uri, int64_t versione,
                             const std::vector<modifica_testo>& modifiche) {
  const auto it = aperti_.find(uri);
  if (it == aperti_.end()) return;
  documento& d = it->second;
  d.versione = versione;
  d.in_1252.reset();
  for (const modifica_testo& m : modifiche) {
    if (d.fuori_misura) break;
    std::size_t da = 0;
    std::size_t a = d.testo.size();
    if (m.intervallo) {
      da = offset_di(d.testo, m.intervallo->first, codifica_);
      a = offset_di(d.testo, m.intervallo->second, codifica_);
      if (a < da) std::swap(da, a);
    }
    // A document no message could hold any longer is dropped rather than followed.
    if (d.testo.size() - (a - da) + m.testo.size() > dimensione_massima_messaggio) {
      d.fuori_misura = true;
      std::string().swap(d.testo);
      break;
    }
    d.testo.replace(da, a - da, m.testo);
  }
  if (d.file) aggiorna(*d.file);
}

void documenti_lsp::salva(const std::string& uri) {
  const auto it = aperti_.find(uri);
  if (it == aperti_.end() || !it->second.file) return;
  documento& d = it->second;
  const file_documento& f = *d.file;
  try {
    const std::optional<std::string> byte = disco_.leggi(f.cartella / percorso_utf8(f.nome));
    const std::optional<codifica_estranea> e = byte ? codifica_non_1252(*byte) : std::nullopt;
    d.salvataggio = e ? std::optional(avviso_salvataggio(f.nome, *byte, *e)) : std::nullopt;
  } catch (const errore_io&) {
    // Not a file the route can be read from: opening or checking it says so.
    d.salvataggio.reset();
  }
  aggiorna(f);
}

void documenti_lsp::chiudi(const std::string& uri) {
  const auto it = aperti_.find(uri);
  if (it == aperti_.end()) return;
  const std::optional<file_documento> f = it->second.file;
  aperti_.erase(it);
  pubblica_({{"uri", uri}, {"diagnostics", nlohmann::json::array()}});
  if (f) aggiorna(*f);
}

std::optional<documenti_lsp::vista> documenti_lsp::aperto(const std::string& uri) const {
  const auto it = aperti_.find(uri);
  if (it == aperti_.end()) return std::nullopt;
  const documento& d = it->second;
  return vista{d.testo, d.file ? tipo_di(d.file->nome) : std::nullopt};
}

std::optional<documenti_lsp::coppia> documenti_lsp::coppia_di(const std::string& uri) {
  const auto it = aperti_.find(uri);
  if (it == aperti_.end() || !it->second.file) return std::nullopt;
  const file_documento& f = *it->second.file;
  const std::optional<percorso> p = trova_percorso(f);
  if (!p || !nome_non_valido(p->linea).empty()) return std::nullopt;
  coppia c;
  c.opzioni = {p->linea, "", true};
  std::vector<sorgente> sorgenti;
  sorgenti.push_back(carica(f, nome_testo_linea(p->linea)));
  // The document's own train service, or the route's first that can be checked.
  const bool treno = tipo_di(f.nome) == file_sorgente::treno;
  const auto t = std::find_if(p->treni.begin(), p->treni.end(), [&](const auto& x) {
    return treno ? x.first == f.nome : nome_non_valido(x.second).empty();
  });
  if (t != p->treni.end()) {
    if (!nome_non_valido(t->second).empty()) return std::nullopt;
    c.opzioni.numero_treno = t->second;
    sorgenti.push_back(carica(f, t->first));
  }
  for (const sorgente& s : sorgenti) {
    if (s.illeggibile) return std::nullopt;
  }
  c.testi.linea = std::move(sorgenti[0].byte);
  if (sorgenti.size() > 1) c.testi.treno = std::move(sorgenti[1].byte);
  return c;
}

nlohmann::json documenti_lsp::correzioni(const std::string& uri, const intervallo_lsp& dove) const {
  nlohmann::json azioni = nlohmann::json::array();
  const auto it = aperti_.find(uri);
  if (it == aperti_.end()) return azioni;
  const auto prima = [](posizione_lsp a, posizione_lsp b) {
    return a.riga != b.riga ? a.riga < b.riga : a.carattere <= b.carattere;
  };
  for (const correzione_pubblicata& c : it->second.correzioni) {
    // Ranges that touch meet: a cursor just after a field still has its fix.
    if (prima(c.dove.inizio, dove.fine) && prima(dove.inizio, c.dove.fine)) {
      azioni.push_back(c.azione);
    }
  }
  return azioni;
}

std::pair<const std::string, documenti_lsp::documento>* documenti_lsp::aperto_in(
    const file_documento& f, const std::string& nome) {
  for (auto& voce : aperti_) {
    const std::optional<file_documento>& g = voce.second.file;
    if (g && g->nome == nome && g->cartella == f.cartella) return &voce;
  }
  return nullptr;
}

std::vector<std::string> documenti_lsp::nomi_della_cartella(const file_documento& f) const {
  std::vector<std::string> nomi = disco_.nomi_in(f.cartella);
  for (const auto& [uri, d] : aperti_) {
    if (d.file && d.file->cartella == f.cartella) nomi.push_back(d.file->nome);
  }
  std::sort(nomi.begin(), nomi.end());
  nomi.erase(std::unique(nomi.begin(), nomi.end()), nomi.end());
  return nomi;
}

documenti_lsp::sorgente documenti_lsp::carica(const file_documento& f, const std::string& nome) {
  sorgente s;
  s.nome = nome;
  auto* voce = aperto_in(f, nome);
  if (voce == nullptr) {
    s.uri = uri_accanto(f.prefisso_uri, nome);
    try {
      s.byte = disco_.leggi(f.cartella / percorso_utf8(nome));
    } catch (const errore_io& e) {
      s.illeggibile = true;
      s.diagnostiche.push_back(all_inizio(nome, gravita::errore, in_1252(e.inglese())));
    }
    return s;
  }
  s.uri = voce->first;
  s.aperto = &voce->second;
  documento& d = voce->second;
  if (d.salvataggio) s.diagnostiche.push_back(*d.salvataggio);
  const char* perche = nullptr;
  if (d.fuori_misura) {
    perche =
        "the document grew past what an editor sends in one message and is no longer "
        "followed; close it and open it again";
  } else {
    if (!d.in_1252) d.in_1252 = in_windows_1252(d.testo, massimo_estranei);
    aggiungi_estranei(s.diagnostiche, nome, *d.in_1252);
    if (d.in_1252->byte.size() <= dimensione_massima_sorgente) {
      s.byte = d.in_1252->byte;
      return s;
    }
    perche = "the document is larger than the 64 MB limit of a source";
  }
  s.illeggibile = true;
  s.diagnostiche.push_back(all_inizio(nome, gravita::errore, perche));
  return s;
}

void documenti_lsp::controlla_coppia(const std::string& linea, const std::string& treno,
                                     sorgente& l, sorgente* t) const {
  // A source that cannot be read has its problem already; the pair is not checked without it.
  if (l.illeggibile || (t != nullptr && t->illeggibile)) return;
  testi_sorgenti testi;
  testi.linea = l.byte;
  if (t != nullptr) testi.treno = t->byte;
  // A problem with no place: in its own source when that is open, otherwise in the open one
  // of the check, the train service first.
  const auto ospite = [&](sorgente* proprio) {
    if (proprio->aperto != nullptr) return proprio;
    if (t != nullptr && t->aperto != nullptr) return t;
    return l.aperto != nullptr ? &l : proprio;
  };
  for (diagnostica& x : diagnostiche_coppia(testi, {linea, treno, true})) {
    sorgente* dove = x.file == l.nome ? &l : t != nullptr && x.file == t->nome ? t : nullptr;
    if (!x.dove.valido()) {
      // One of no source belongs to the train service.
      sorgente* proprio = dove != nullptr ? dove : t != nullptr ? t : &l;
      dove = ospite(proprio);
      if (dove != proprio) x.messaggio = proprio->nome + ": " + x.messaggio;
      x.file = dove->nome;
    }
    // The line description's own problems come again from the check with each train.
    if (dove == nullptr) continue;
    if (dove == &l) {
      if (std::find(l.viste.begin(), l.viste.end(), x) != l.viste.end()) continue;
      l.viste.push_back(x);
    }
    dove->diagnostiche.push_back(std::move(x));
  }
}

std::optional<documenti_lsp::percorso> documenti_lsp::trova_percorso(
    const file_documento& f) const {
  const std::optional<file_sorgente> tipo = tipo_di(f.nome);
  if (!tipo) return std::nullopt;
  const std::vector<std::string> nomi = nomi_della_cartella(f);
  std::set<std::string> linee;
  for (const std::string& n : nomi) {
    if (con_coda(n, coda_linea)) linee.insert(senza_coda(n, coda_linea));
  }
  percorso p;
  if (*tipo == file_sorgente::linea) {
    p.linea = senza_coda(f.nome, coda_linea);
  } else if (const auto d = dividi(senza_coda(f.nome, coda_treno), linee)) {
    p.linea = d->first;
  } else {
    return std::nullopt;
  }
  for (const std::string& n : nomi) {
    const auto d =
        con_coda(n, coda_treno) ? dividi(senza_coda(n, coda_treno), linee) : std::nullopt;
    if (d && d->first == p.linea) p.treni.push_back({n, d->second});
  }
  return p;
}

void documenti_lsp::aggiorna(const file_documento& f) {
  const std::optional<percorso> p = trova_percorso(f);
  if (!p) return;
  if (const std::string perche = nome_non_valido(p->linea); !perche.empty()) {
    std::vector<sorgente> solo;
    solo.push_back(carica(f, f.nome));
    solo[0].diagnostiche = {all_inizio(f.nome, gravita::errore,
                                       "the route name \"" + in_1252(p->linea) + "\" " + perche)};
    if (solo[0].aperto != nullptr) pubblica(solo[0], solo);
    return;
  }
  std::vector<sorgente> sorgenti;
  sorgenti.push_back(carica(f, nome_testo_linea(p->linea)));
  for (const auto& [nome, treno] : p->treni) sorgenti.push_back(carica(f, nome));
  if (std::none_of(sorgenti.begin(), sorgenti.end(),
                   [](const sorgente& s) { return s.aperto != nullptr; })) {
    return;
  }
  controlla_percorso(*p, sorgenti);
  for (const sorgente& s : sorgenti) {
    if (s.aperto != nullptr) pubblica(s, sorgenti);
  }
}

// The line description, `sorgenti[0]`, with each train service after it; alone when the route
// has none that can be checked.
void documenti_lsp::controlla_percorso(const percorso& p, std::vector<sorgente>& sorgenti) const {
  bool con_treno = false;
  for (std::size_t i = 0; i < p.treni.size(); ++i) {
    sorgente& t = sorgenti[i + 1];
    const std::string& treno = p.treni[i].second;
    if (const std::string perche = nome_non_valido(treno); !perche.empty()) {
      t.diagnostiche.push_back(all_inizio(t.nome, gravita::errore,
                                          "the train name \"" + in_1252(treno) + "\" " + perche));
      continue;
    }
    controlla_coppia(p.linea, treno, sorgenti[0], &t);
    riassumi_chiusi(sorgenti[0], t);
    con_treno = true;
  }
  if (!con_treno) controlla_coppia(p.linea, "", sorgenti[0], nullptr);
}

namespace {

std::string quanti(std::size_t n, const char* cosa) {
  return std::to_string(n) + " " + cosa + (n == 1 ? "" : "s");
}

// What a source that is not open holds, for an open one of the same check to show.
diagnostica riassunto(const std::string& file, const std::string& chiuso,
                      const std::vector<diagnostica>& d) {
  const auto errori = static_cast<std::size_t>(
      std::count_if(d.begin(), d.end(), [](const diagnostica& x) { return x.errore(); }));
  return all_inizio(file, errori > 0 ? gravita::errore : gravita::avviso,
                    chiuso + ", which is not open, has " + quanti(errori, "error") + " and " +
                        quanti(d.size() - errori, "warning") +
                        "; the first: " + d.front().messaggio);
}

}  // namespace

// Done once the check of `l` with `t` is in: the problems of a source that is not open are
// then counted at the start of the other, so that an edit that breaks the other source shows.
void documenti_lsp::riassumi_chiusi(sorgente& l, sorgente& t) const {
  if (l.aperto != nullptr && t.aperto == nullptr && !t.diagnostiche.empty()) {
    l.diagnostiche.push_back(riassunto(l.nome, t.nome, t.diagnostiche));
  }
  if (t.aperto != nullptr && l.aperto == nullptr && !l.diagnostiche.empty()) {
    t.diagnostiche.push_back(riassunto(t.nome, l.nome, l.diagnostiche));
  }
}

void documenti_lsp::pubblica(const sorgente& s, const std::vector<sorgente>& sorgenti) {
  sorgenti_lsp luoghi(codifica_);
  for (const sorgente& x : sorgenti) {
    const bool aperto = x.aperto != nullptr;
    const std::string_view testo = aperto   ? std::string_view(x.aperto->testo)
                                   : x.byte ? std::string_view(*x.byte)
                                            : std::string_view();
    luoghi.aggiungi(x.nome, x.uri, testo, !aperto);
  }
  std::vector<correzione_pubblicata>& correzioni = aperti_.at(s.uri).correzioni;
  correzioni.clear();
  nlohmann::json lista = nlohmann::json::array();
  for (const diagnostica& d : s.diagnostiche) {
    sorgenti_lsp::diagnostica_lsp x = luoghi.in_lsp(d, s.nome);
    for (nlohmann::json& a : x.correzioni) correzioni.push_back({x.dove, std::move(a)});
    lista.push_back(std::move(x.diagnostica));
  }
  pubblica_({{"uri", s.uri}, {"version", s.aperto->versione}, {"diagnostics", std::move(lista)}});
}

}  // namespace scenario::strumento
