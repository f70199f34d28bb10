// Encoding and decoding of a package's payload. Decoding trusts nothing it reads: every
// length is checked against what is left before it is used.
#include "sources/carico.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <limits>
#include <optional>
#include <stdexcept>

#include "compiler/byte_le.h"
#include "compiler/testo_mostrabile.h"
#include "sources/nome_valido.h"

namespace scenario {
namespace {

constexpr std::string_view magia_corpo = "SCENARIO";
constexpr std::string_view magia_coda = "SCNCARIC";

template <std::size_t byte>
void metti(std::string& s, std::uint64_t v) {
  char b[byte];
  metti_le<byte>(b, v);
  s.append(b, byte);
}

// A length of 32 bits and the bytes; the sources' reading limit keeps every text far below it.
void metti_testo(std::string& s, std::string_view t) {
  if (t.size() > std::numeric_limits<std::uint32_t>::max()) {
    throw std::length_error("a payload text above 4 GB");
  }
  metti<4>(s, t.size());
  s += t;
}

std::uint32_t crc(std::string_view s) {
  uLong c = crc32(0L, Z_NULL, 0);
  // zlib takes at most a uInt at a time.
  constexpr std::size_t passo = std::numeric_limits<uInt>::max();
  for (std::size_t i = 0; i < s.size(); i += passo) {
    const std::size_t n = std::min(passo, s.size() - i);
    c = crc32(c, reinterpret_cast<const Bytef*>(s.data() + i), static_cast<uInt>(n));
  }
  return static_cast<std::uint32_t>(c);
}

std::string esadecimale(std::uint32_t v) {
  char t[16];
  std::snprintf(t, sizeof t, "%08x", v);
  return t;
}

// Reads the body front to back; a read past its end leaves `buono` false for good.
class lettore_corpo {
 public:
  explicit lettore_corpo(std::string_view s) : s_(s) {}
  bool buono() const { return buono_; }
  bool finito() const { return p_ == s_.size(); }

  template <std::size_t byte>
  std::uint64_t numero() {
    if (!disponibili(byte)) return 0;
    const std::uint64_t v = leggi_le<byte>(s_.data() + p_);
    p_ += byte;
    return v;
  }
  std::string testo() {
    const std::uint64_t n = numero<4>();
    if (!disponibili(n)) return "";
    std::string t(s_.substr(p_, static_cast<std::size_t>(n)));
    p_ += static_cast<std::size_t>(n);
    return t;
  }
  std::string_view grezzi(std::size_t n) {
    if (!disponibili(n)) return {};
    const std::string_view v = s_.substr(p_, n);
    p_ += n;
    return v;
  }

 private:
  bool disponibili(std::uint64_t n) {
    buono_ = buono_ && n <= s_.size() - p_;
    return buono_;
  }
  std::string_view s_;
  std::size_t p_ = 0;
  bool buono_ = true;
};

carico_letto problema(stato_carico stato, std::string perche) {
  carico_letto r;
  r.stato = stato;
  r.perche = std::move(perche);
  return r;
}

// A little-endian number of `byte` bytes at `dove` of the file, when the file holds them.
template <std::size_t byte>
std::optional<std::uint64_t> numero_a(std::uint64_t dimensione, const lettore_file& leggi,
                                      std::uint64_t dove) {
  if (dove > dimensione || byte > dimensione - dove) return std::nullopt;
  return leggi_le<byte>(leggi(dove, byte).data());
}

// The end of an ELF image: its section header table closes it.
std::optional<std::uint64_t> fine_elf(std::uint64_t dimensione, const lettore_file& leggi) {
  const auto classe = numero_a<1>(dimensione, leggi, 4);
  const bool a64 = classe == 2u;
  if (numero_a<1>(dimensione, leggi, 5) != 1u || (!a64 && classe != 1u)) return std::nullopt;
  const auto tabella =
      a64 ? numero_a<8>(dimensione, leggi, 0x28) : numero_a<4>(dimensione, leggi, 0x20);
  const auto voce = numero_a<2>(dimensione, leggi, a64 ? 0x3A : 0x2E);
  const auto voci = numero_a<2>(dimensione, leggi, a64 ? 0x3C : 0x30);
  if (!tabella || !voce || !voci || *tabella == 0 || *tabella > dimensione) return std::nullopt;
  return *tabella + *voce * *voci;
}

// The end of a PE image: the furthest of its sections' bytes and of the symbol and string
// tables that may follow them.
std::optional<std::uint64_t> fine_pe(std::uint64_t dimensione, const lettore_file& leggi) {
  const auto pe = numero_a<4>(dimensione, leggi, 0x3C);
  if (!pe || numero_a<4>(dimensione, leggi, *pe) != 0x4550u) return std::nullopt;
  const auto sezioni = numero_a<2>(dimensione, leggi, *pe + 6);
  const auto opzionale = numero_a<2>(dimensione, leggi, *pe + 20);
  if (!sezioni || !opzionale || *sezioni > 96) return std::nullopt;
  std::uint64_t fine = 0;
  for (std::uint64_t i = 0; i < *sezioni; ++i) {
    const std::uint64_t sezione = *pe + 24 + *opzionale + 40 * i;
    const auto misura = numero_a<4>(dimensione, leggi, sezione + 16);
    const auto inizio = numero_a<4>(dimensione, leggi, sezione + 20);
    if (!misura || !inizio) return std::nullopt;
    if (*misura != 0) fine = std::max(fine, *inizio + *misura);
  }
  const auto simboli = numero_a<4>(dimensione, leggi, *pe + 12);
  const auto quanti = numero_a<4>(dimensione, leggi, *pe + 16);
  if (simboli && quanti && *simboli != 0) {
    const std::uint64_t stringhe = *simboli + 18 * *quanti;
    fine = std::max(fine, stringhe + numero_a<4>(dimensione, leggi, stringhe).value_or(0));
  }
  return fine;
}

// Where the program image at the start of the file ends by its own headers; nothing for a
// file that is neither ELF nor PE.
std::optional<std::uint64_t> fine_immagine(std::uint64_t dimensione, const lettore_file& leggi) {
  if (numero_a<4>(dimensione, leggi, 0) == 0x464C457Fu) return fine_elf(dimensione, leggi);
  if (numero_a<2>(dimensione, leggi, 0) == 0x5A4Du) return fine_pe(dimensione, leggi);
  return std::nullopt;
}

// A file without a trailer: the runtime alone, or a package cut short, which its program image
// followed by bytes tells apart.
carico_letto senza_coda(std::uint64_t dimensione, const lettore_file& leggi) {
  const auto fine = fine_immagine(dimensione, leggi);
  if (!fine || *fine >= dimensione) return problema(stato_carico::assente, "holds no payload");
  return problema(stato_carico::troncato, "holds a truncated payload: the file has " +
                                              std::to_string(dimensione) +
                                              " bytes, its program image " + std::to_string(*fine) +
                                              ", and no trailer ends them");
}

// The body's fields, once its checksum has been found right.
carico_letto decodifica_corpo(std::string_view corpo) {
  lettore_corpo l(corpo);
  l.grezzi(magia_corpo.size());
  carico_letto r;
  r.c.linea = l.testo();
  r.c.treno = l.testo();
  r.c.testo_linea = l.testo();
  r.c.testo_treno = l.testo();
  for (std::optional<std::string>& d : r.c.documenti) {
    const std::uint64_t presente = l.numero<1>();
    if (presente > 1) {
      return problema(stato_carico::danneggiato,
                      "holds a damaged payload: a document is marked neither present nor absent");
    }
    if (presente == 1) d = l.testo();
  }
  if (!l.buono() || !l.finito()) {
    return problema(stato_carico::danneggiato,
                    "holds a damaged payload: its fields do not fill its length exactly");
  }
  for (const auto& [nome, cosa] :
       {std::pair{&r.c.linea, "route name"}, std::pair{&r.c.treno, "train number"}}) {
    if (const std::string perche = nome_non_valido(*nome); !perche.empty()) {
      return problema(stato_carico::danneggiato, std::string("holds a damaged payload: the ") +
                                                     cosa + " \"" + testo_mostrabile(*nome) +
                                                     "\" " + perche);
    }
  }
  if (const std::string conflitto = nomi_in_conflitto(r.c.linea, r.c.treno); !conflitto.empty()) {
    return problema(stato_carico::danneggiato, "holds a damaged payload: " + conflitto);
  }
  r.stato = stato_carico::letto;
  return r;
}

}  // namespace

std::string codifica_carico(const carico& c) {
  std::string corpo(magia_corpo);
  metti_testo(corpo, c.linea);
  metti_testo(corpo, c.treno);
  metti_testo(corpo, c.testo_linea);
  metti_testo(corpo, c.testo_treno);
  for (const std::optional<std::string>& d : c.documenti) {
    metti<1>(corpo, d ? 1 : 0);
    if (d) metti_testo(corpo, *d);
  }
  std::string coda;
  metti<8>(coda, corpo.size());
  metti<4>(coda, crc(corpo));
  metti<4>(coda, formato_carico);
  coda += magia_coda;
  return corpo + coda;
}

carico_letto trova_carico(std::uint64_t dimensione, const lettore_file& leggi) {
  if (dimensione < dimensione_coda_carico) return senza_coda(dimensione, leggi);
  const std::uint64_t inizio_coda = dimensione - dimensione_coda_carico;
  const std::string coda = leggi(inizio_coda, dimensione_coda_carico);
  lettore_corpo coda_letta(coda);
  const std::uint64_t lunghezza = coda_letta.numero<8>();
  const auto atteso = static_cast<std::uint32_t>(coda_letta.numero<4>());
  const std::uint64_t formato = coda_letta.numero<4>();
  if (!coda_letta.buono() || coda_letta.grezzi(magia_coda.size()) != magia_coda) {
    return senza_coda(dimensione, leggi);
  }
  if (formato != formato_carico) {
    return problema(stato_carico::danneggiato,
                    "holds a payload of format " + std::to_string(formato) +
                        ", and this runtime reads format " + std::to_string(formato_carico));
  }
  if (lunghezza > inizio_coda) {
    return problema(stato_carico::troncato,
                    "holds a truncated payload: its trailer names " + std::to_string(lunghezza) +
                        " bytes, and " + std::to_string(inizio_coda) + " come before the trailer");
  }
  const std::uint64_t inizio = inizio_coda - lunghezza;
  const std::string corpo = leggi(inizio, static_cast<std::size_t>(lunghezza));
  if (!corpo.starts_with(magia_corpo)) {
    return problema(stato_carico::troncato, "holds a truncated payload: it does not begin " +
                                                std::to_string(lunghezza) +
                                                " bytes before its trailer");
  }
  if (const std::uint32_t trovato = crc(corpo); trovato != atteso) {
    return problema(stato_carico::danneggiato,
                    "holds a damaged payload: its checksum is " + esadecimale(trovato) +
                        ", and its trailer records " + esadecimale(atteso));
  }
  carico_letto r = decodifica_corpo(corpo);
  r.inizio = inizio;
  return r;
}

carico_letto trova_carico(std::string_view file) {
  return trova_carico(file.size(), [file](std::uint64_t inizio, std::size_t n) {
    return std::string(file.substr(static_cast<std::size_t>(inizio), n));
  });
}

carico_letto leggi_carico(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary | std::ios::ate);
  const std::streamoff fine = in ? static_cast<std::streamoff>(in.tellg()) : -1;
  if (fine < 0) return problema(stato_carico::illeggibile, "cannot be opened for reading");
  bool letto = true;
  carico_letto r =
      trova_carico(static_cast<std::uint64_t>(fine), [&](std::uint64_t inizio, std::size_t n) {
        std::string s(n, '\0');
        in.seekg(static_cast<std::streamoff>(inizio));
        in.read(s.data(), static_cast<std::streamsize>(n));
        letto = letto && in.gcount() == static_cast<std::streamsize>(n);
        return s;
      });
  if (!letto) return problema(stato_carico::illeggibile, "could not be read to its end");
  return r;
}

std::optional<std::string> unisci_carico(std::string_view runtime, const carico& c) {
  const carico_letto gia = trova_carico(runtime);
  if (gia.stato != stato_carico::letto && gia.stato != stato_carico::assente) return std::nullopt;
  const std::size_t immagine =
      gia.stato == stato_carico::letto ? static_cast<std::size_t>(gia.inizio) : runtime.size();
  return std::string(runtime.substr(0, immagine)) + codifica_carico(c);
}

}  // namespace scenario
