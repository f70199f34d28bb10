// Columns counted three ways, and a document turned into the compiler's bytes.
#include "tools/lsp/testo_lsp.h"

#include <algorithm>

#include "compiler/testo_1252.h"

namespace scenario::strumento {
namespace {

constexpr carattere_utf8 non_valido{U'\uFFFD', 1, false};

bool continuazione(unsigned char b) { return (b & 0xC0) == 0x80; }

// The length and smallest code point of a sequence by its first byte; 0 when none begins so.
struct inizio_sequenza {
  std::size_t byte;
  char32_t minimo;
  char32_t bit;
};
inizio_sequenza sequenza(unsigned char b) {
  if (b >= 0xC2 && b <= 0xDF) return {2, 0x80, b & 0x1Fu};
  if (b >= 0xE0 && b <= 0xEF) return {3, 0x800, b & 0x0Fu};
  if (b >= 0xF0 && b <= 0xF4) return {4, 0x10000, b & 0x07u};
  return {0, 0, 0};
}

// The units of `c` one character takes, and its bytes.
struct passo {
  int64_t unita;
  std::size_t byte;
};
passo passo_di(std::string_view riga, std::size_t i, codifica_posizioni c) {
  const carattere_utf8 ch = leggi_utf8(riga, i);
  if (c == codifica_posizioni::utf8) return {static_cast<int64_t>(ch.byte), ch.byte};
  return {ch.c >= 0x10000 ? 2 : 1, ch.byte};
}

// How far into `riga` the editor's position `carattere` stands, in bytes and characters.
struct avanzamento {
  std::size_t byte = 0;
  int64_t caratteri = 0;
};
avanzamento avanza(std::string_view riga, int64_t carattere, codifica_posizioni c) {
  avanzamento a;
  for (int64_t unita = 0; a.byte < riga.size(); ++a.caratteri) {
    const passo q = passo_di(riga, a.byte, c);
    if (unita + q.unita > carattere) break;
    unita += q.unita;
    a.byte += q.byte;
  }
  return a;
}

}  // namespace

std::string_view senza_spazi(std::string_view s) {
  const std::size_t inizio = s.find_first_not_of(" \t");
  if (inizio == std::string_view::npos) return {};
  return s.substr(inizio, s.find_last_not_of(" \t") - inizio + 1);
}

carattere_utf8 leggi_utf8(std::string_view testo, std::size_t i) {
  const auto b = static_cast<unsigned char>(testo[i]);
  if (b < 0x80) return {b, 1, true};
  const inizio_sequenza s = sequenza(b);
  if (s.byte == 0 || testo.size() - i < s.byte) return non_valido;
  char32_t c = s.bit;
  for (std::size_t k = 1; k < s.byte; ++k) {
    const auto seguito = static_cast<unsigned char>(testo[i + k]);
    if (!continuazione(seguito)) return non_valido;
    c = (c << 6) | (seguito & 0x3Fu);
  }
  if (c < s.minimo || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return non_valido;
  return {c, s.byte, true};
}

std::optional<std::string_view> righe_testo::riga(int64_t r) {
  if (r < 0) return std::nullopt;
  if (r < riga_) {
    riga_ = 0;
    inizio_ = 0;
  }
  while (riga_ < r) {
    const std::size_t fine = testo_.find_first_of("\r\n", inizio_);
    if (fine == std::string_view::npos) return std::nullopt;
    inizio_ = fine + (testo_.compare(fine, 2, "\r\n") == 0 ? 2 : 1);
    ++riga_;
  }
  const std::size_t fine = std::min(testo_.find_first_of("\r\n", inizio_), testo_.size());
  return testo_.substr(inizio_, fine - inizio_);
}

std::size_t offset_di(std::string_view testo, posizione_lsp p, codifica_posizioni c) {
  righe_testo righe(testo);
  const std::optional<std::string_view> riga = righe.riga(p.riga);
  if (!riga) return testo.size();
  return static_cast<std::size_t>(riga->data() - testo.data()) + avanza(*riga, p.carattere, c).byte;
}

int64_t unita_di(std::string_view riga, int64_t caratteri, codifica_posizioni c) {
  int64_t unita = 0;
  for (std::size_t i = 0; i < riga.size() && caratteri > 0; --caratteri) {
    const passo q = passo_di(riga, i, c);
    unita += q.unita;
    i += q.byte;
  }
  return unita;
}

int64_t caratteri_di(std::string_view riga, int64_t carattere, codifica_posizioni c) {
  return avanza(riga, carattere, c).caratteri;
}

testo_in_1252 in_windows_1252(std::string_view utf8, std::size_t massimo) {
  testo_in_1252 t;
  t.byte.reserve(utf8.size());
  int64_t riga = 1;
  int64_t colonna = 1;
  for (std::size_t i = 0; i < utf8.size();) {
    const carattere_utf8 ch = leggi_utf8(utf8, i);
    const std::optional<char> b = ch.valido ? byte_1252(ch.c) : std::nullopt;
    t.byte += b.value_or('?');
    if (!b && t.estranei.size() < massimo) {
      t.estranei.push_back({riga, colonna, ch.c});
    } else if (!b) {
      ++t.altri_estranei;
    }
    // A CR followed by LF ends its line at the LF.
    if (utf8[i] == '\n' || (utf8[i] == '\r' && utf8.compare(i, 2, "\r\n") != 0)) {
      ++riga;
      colonna = 1;
    } else if (utf8[i] != '\r') {
      ++colonna;
    }
    i += ch.byte;
  }
  return t;
}

std::optional<codifica_estranea> codifica_non_1252(std::string_view byte) {
  if (byte.starts_with("\xFF\xFE") || byte.starts_with("\xFE\xFF")) {
    return codifica_estranea{segno_codifica::utf16, 0};
  }
  const auto alto = std::find_if(byte.begin(), byte.end(),
                                 [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  if (alto == byte.end()) return std::nullopt;
  bool utf8 = true;
  for (std::size_t i = 0; i < byte.size() && utf8;) {
    const carattere_utf8 ch = leggi_utf8(byte, i);
    utf8 = ch.valido;
    i += ch.byte;
  }
  if (utf8) return codifica_estranea{segno_codifica::utf8, std::size_t(alto - byte.begin())};
  const std::size_t dove = byte.find_first_of("\x81\x8D\x8F\x90\x9D");
  if (dove == std::string_view::npos) return std::nullopt;
  return codifica_estranea{segno_codifica::byte_non_assegnato, dove};
}

}  // namespace scenario::strumento
