// Writers and readers of the compiled files, with explicit little-endian encoding so that
// neither host byte order nor struct padding reaches a file.
#include "compiler/file_binari.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>

#include "compiler/byte_le.h"
#include "compiler/nomi_file.h"
#include "compiler/punti_tracciato.h"

namespace scenario {
namespace {

static_assert(sizeof(double) == 8 && std::numeric_limits<double>::is_iec559);

// Bytes gathered in a fixed block that goes to the stream each time it fills, so that no
// file is held whole in memory.
class buffer {
 public:
  explicit buffer(std::ostream& out) : out_(out) {}
  void u8(uint8_t v) { metti_le<1>(spazio(1), v); }
  void i16(int16_t v) { metti_le<2>(spazio(2), static_cast<uint16_t>(v)); }
  void i32(int32_t v) { metti_le<4>(spazio(4), static_cast<uint32_t>(v)); }
  void testo(const std::string& t) {
    if (t.size() > dati_.size()) {
      svuota();
      out_.write(t.data(), static_cast<std::streamsize>(t.size()));
    } else if (!t.empty()) {
      std::memcpy(spazio(t.size()), t.data(), t.size());
    }
  }
  std::size_t libero() const { return dati_.size() - usati_; }
  // Room for the next n bytes (n at most the block's size), emptying the block if needed.
  char* spazio(std::size_t n) {
    if (usati_ + n > dati_.size()) svuota();
    char* p = dati_.data() + usati_;
    usati_ += n;
    return p;
  }
  void svuota() {
    out_.write(dati_.data(), static_cast<std::streamsize>(usati_));
    usati_ = 0;
  }

 private:
  std::ostream& out_;
  std::array<char, std::size_t{1} << 16> dati_;
  std::size_t usati_ = 0;
};

constexpr std::size_t byte_reale = 2 + 8;

// A computed point's element at p: its tag and its double.
void metti_reale(char* p, double v) {
  metti_le<2>(p, static_cast<uint16_t>(etichetta_reale));
  metti_le<8>(p + 2, std::bit_cast<uint64_t>(v));
}

void scrivi_elemento(buffer& b, int16_t etichetta, double v) {
  if (etichetta == etichetta_reale) return metti_reale(b.spazio(byte_reale), v);
  b.i16(etichetta);
  if (etichetta == etichetta_intero) b.i16(static_cast<int16_t>(v));
}

// n computed points, as many at a time as the block has room for.
void scrivi_reali(buffer& b, punti_del_tracciato& punti, std::size_t n, bool meta_y) {
  while (n > 0) {
    const std::size_t quanti = std::min(n, b.libero() / byte_reale);
    if (quanti == 0) {
      b.svuota();
      continue;
    }
    char* p = b.spazio(quanti * byte_reale);
    punti.calcola(static_cast<int64_t>(quanti), [&](double x, double y) {
      metti_reale(p, meta_y ? y : x);
      p += byte_reale;
    });
    n -= quanti;
  }
}

// n empty points: a tag of two zero bytes each.
void scrivi_vuoti(buffer& b, std::size_t n) {
  static_assert(etichetta_vuoto == 0);
  while (n > 0) {
    const std::size_t quanti = std::min(n, b.libero() / 2);
    if (quanti == 0) {
      b.svuota();
      continue;
    }
    std::memset(b.spazio(2 * quanti), 0, 2 * quanti);
    n -= quanti;
  }
}

// One half of the track plan, its points computed afresh: the stepping rule needs both
// coordinates, and computing them twice costs less than keeping either half of a long route.
// The computed points and the empty ones go in by rows, the seeds one by one.
void scrivi_meta(const tracciato_compilato& t, bool meta_y, std::ostream& out) {
  buffer b(out);
  for (punti_del_tracciato punti(t); punti.altri();) {
    const auto [tipo, quanti] = punti.prossima_fila();
    const auto n = static_cast<std::size_t>(quanti);
    if (tipo == tracciato_compilato::etichetta::reale) {
      scrivi_reali(b, punti, n, meta_y);
    } else if (tipo == tracciato_compilato::etichetta::vuoto) {
      scrivi_vuoti(b, n);
      punti.salta_vuoti(quanti);
    } else {
      const punto_tracciato p = punti.prossimo();
      scrivi_elemento(b, etichetta_di(p.tipo), meta_y ? p.y : p.x);
    }
  }
  b.svuota();
}

void scrivi_meta(const std::vector<punto_letto>& punti, std::ostream& out) {
  buffer b(out);
  for (const punto_letto& p : punti) scrivi_elemento(b, p.etichetta, p.valore);
  b.svuota();
}

}  // namespace

void scrivi_tracciato(const tracciato_compilato& t, std::ostream& out) {
  scrivi_meta(t, false, out);
  scrivi_meta(t, true, out);
}

void scrivi_tracciato(const tracciato_letto& t, std::ostream& out) {
  scrivi_meta(t.x, out);
  scrivi_meta(t.y, out);
}

void scrivi_stazioni(const tabella_stazioni& t, std::ostream& out) {
  buffer b(out);
  for (const voce_stazione& v : t) {
    b.u8(v.tipo);
    b.i32(v.inizio);
    b.i32(v.fine);
    b.i32(v.posizione);
    b.u8(v.opzione);
    b.i16(static_cast<int16_t>(v.nome.size()));
    b.testo(v.nome);
    for (int16_t i : {v.intero_1, v.intero_2, v.intero_3, v.intero_4, v.intero_5}) b.i16(i);
    for (uint8_t x : {v.byte_1, v.byte_2, v.byte_3, v.byte_4}) b.u8(x);
    b.i32(v.orario);
  }
  b.svuota();
}

void scrivi_percorso(const std::vector<cella>& percorso, std::ostream& out) {
  buffer b(out);
  for (const cella& c : percorso) {
    b.u8(c.tipo);
    for (int16_t d : {c.dato_1, c.dato_2, c.dato_3, c.dato_4}) b.i16(d);
    for (uint8_t x :
         {c.tempo_segnale, c.preavviso, c.galleria, c.velocita, c.pendenza, c.aderenza}) {
      b.u8(x);
    }
  }
  b.svuota();
}

void scrivi_compilati(const scenario_compilato& s, const opzioni_compilazione& o,
                      destinazione_file& uscite) {
  if (o.con_tracciato) {
    uscite.scrivi(nome_tracciato(o.nome_linea),
                  [&](std::ostream& out) { scrivi_tracciato(s.tracciato, out); });
  }
  uscite.scrivi(nome_stazioni(o.nome_linea, o.numero_treno),
                [&](std::ostream& out) { scrivi_stazioni(s.tabella_stazioni, out); });
  uscite.scrivi(nome_percorso(o.nome_linea, o.numero_treno),
                [&](std::ostream& out) { scrivi_percorso(s.percorso, out); });
}

namespace {

class lettore_byte {
 public:
  explicit lettore_byte(std::string_view b) : b_(b) {}
  bool finito() const { return p_ >= b_.size(); }
  std::size_t posizione() const { return p_; }
  uint8_t u8() { return static_cast<uint8_t>(prendi<1>()); }
  int16_t i16() { return static_cast<int16_t>(static_cast<uint16_t>(prendi<2>())); }
  int32_t i32() { return static_cast<int32_t>(static_cast<uint32_t>(prendi<4>())); }
  std::string testo(std::size_t n) {
    if (b_.size() - p_ < n)
      throw formato_non_valido("file ends early at byte " + std::to_string(p_));
    std::string t(b_.substr(p_, n));
    p_ += n;
    return t;
  }

 private:
  template <std::size_t n>
  uint64_t prendi() {
    if (b_.size() - p_ < n)
      throw formato_non_valido("file ends early at byte " + std::to_string(p_));
    const uint64_t v = leggi_le<n>(b_.data() + p_);
    p_ += n;
    return v;
  }
  std::string_view b_;
  std::size_t p_ = 0;
};

}  // namespace

std::vector<cella> leggi_percorso(std::string_view byte) {
  if (byte.size() % byte_cella != 0) {
    throw formato_non_valido("size " + std::to_string(byte.size()) +
                             " is not a multiple of 15 bytes");
  }
  lettore_byte l(byte);
  std::vector<cella> celle(byte.size() / byte_cella);
  for (cella& c : celle) {
    c.tipo = l.u8();
    c.dato_1 = l.i16();
    c.dato_2 = l.i16();
    c.dato_3 = l.i16();
    c.dato_4 = l.i16();
    c.tempo_segnale = l.u8();
    c.preavviso = l.u8();
    c.galleria = l.u8();
    c.velocita = l.u8();
    c.pendenza = l.u8();
    c.aderenza = l.u8();
  }
  return celle;
}

namespace {

void leggi_voce(lettore_byte& l, voce_stazione& v) {
  v.tipo = l.u8();
  v.inizio = l.i32();
  v.fine = l.i32();
  v.posizione = l.i32();
  v.opzione = l.u8();
  const int16_t n = l.i16();
  if (n < 0) throw formato_non_valido("negative name length");
  v.nome = l.testo(static_cast<std::size_t>(n));
  v.intero_1 = l.i16();
  v.intero_2 = l.i16();
  v.intero_3 = l.i16();
  v.intero_4 = l.i16();
  v.intero_5 = l.i16();
  v.byte_1 = l.u8();
  v.byte_2 = l.u8();
  v.byte_3 = l.u8();
  v.byte_4 = l.u8();
  v.orario = l.i32();
}

}  // namespace

tabella_stazioni leggi_stazioni(std::string_view byte) {
  lettore_byte l(byte);
  std::array<voce_stazione, numero_voci_stazione> voci{};
  for (std::size_t i = 0; i < voci.size(); ++i) {
    if (l.finito()) {
      throw formato_non_valido(std::to_string(i) + " station slots instead of 87");
    }
    try {
      leggi_voce(l, voci[i]);
    } catch (const formato_non_valido& e) {
      throw formato_non_valido("slot " + std::to_string(i) + ": " + e.what());
    }
  }
  if (!l.finito()) {
    throw formato_non_valido(std::to_string(byte.size() - l.posizione()) +
                             " byte(s) past the 87 station slots");
  }
  return voci;
}

lettore_tracciato::lettore_tracciato(std::uint64_t dimensione, ricevitore ricevi)
    : dimensione_(dimensione), meta_(dimensione / 2), ricevi_(std::move(ricevi)) {
  if (dimensione % 2 != 0) throw formato_non_valido("odd size " + std::to_string(dimensione));
}

void lettore_tracciato::leggi(std::string_view blocco) {
  for (const char b : blocco) {
    if (posizione_ + n_parziale_ >= dimensione_) {
      throw formato_non_valido("it grew past its " + std::to_string(dimensione_) +
                               " bytes while it was read");
    }
    parziale_[n_parziale_++] = b;
    if (n_parziale_ >= 2) elemento();
  }
}

// The element gathered in `parziale_`, once its tag is known and its bytes are all there.
void lettore_tracciato::elemento() {
  const auto etichetta = static_cast<int16_t>(static_cast<uint16_t>(leggi_le<2>(parziale_)));
  const std::size_t n = etichetta == etichetta_vuoto    ? 2
                        : etichetta == etichetta_intero ? 4
                        : etichetta == etichetta_reale  ? 10
                                                        : 0;
  if (n == 0) {
    throw formato_non_valido("invalid tag " + std::to_string(etichetta) + " at byte " +
                             std::to_string(posizione_));
  }
  if (n_parziale_ < n) return;
  if (posizione_ < meta_ && posizione_ + n > meta_) {
    throw formato_non_valido("an element of the x half runs past the middle of the file (byte " +
                             std::to_string(meta_) + ")");
  }
  punto_letto p;
  p.etichetta = etichetta;
  if (etichetta == etichetta_intero) {
    p.valore = static_cast<int16_t>(static_cast<uint16_t>(leggi_le<2>(parziale_ + 2)));
  } else if (etichetta == etichetta_reale) {
    p.valore = std::bit_cast<double>(leggi_le<8>(parziale_ + 2));
  }
  const int meta = posizione_ < meta_ ? 0 : 1;
  ++punti_[meta];
  posizione_ += n;
  n_parziale_ = 0;
  ricevi_(meta, p);
}

void lettore_tracciato::fine() {
  if (n_parziale_ > 0 || posizione_ < dimensione_) {
    // Where the read that found nothing began: the tag's, or the value's after it.
    const std::uint64_t dove = posizione_ + (n_parziale_ >= 2 ? 2 : 0);
    throw formato_non_valido("file ends early at byte " + std::to_string(dove));
  }
  if (punti_[0] != punti_[1]) {
    throw formato_non_valido("the two halves differ in length: " + std::to_string(punti_[0]) +
                             " x points and " + std::to_string(punti_[1]) + " y points");
  }
}

tracciato_letto leggi_tracciato(std::string_view byte) {
  tracciato_letto t;
  lettore_tracciato l(
      byte.size(), [&t](int meta, const punto_letto& p) { (meta == 0 ? t.x : t.y).push_back(p); });
  l.leggi(byte);
  l.fine();
  return t;
}

}  // namespace scenario
