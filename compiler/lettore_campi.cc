// Field reading rules of the two text sources.
#include "compiler/lettore_campi.h"

#include <algorithm>
#include <charconv>

namespace scenario {
namespace {

bool spazio(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::optional<std::string_view> riga_del_testo(std::string_view testo, int64_t riga) {
  if (riga < 1) return std::nullopt;
  const auto fine_da = [testo](std::size_t p) {
    while (p < testo.size() && lunghezza_a_capo(testo, p) == 0) ++p;
    return p;
  };
  std::size_t inizio = 0;
  for (int64_t r = 1; r < riga; ++r) {
    const std::size_t fine = fine_da(inizio);
    if (fine >= testo.size()) return std::nullopt;
    inizio = fine + lunghezza_a_capo(testo, fine);
  }
  if (inizio >= testo.size()) return std::nullopt;
  return testo.substr(inizio, fine_da(inizio) - inizio);
}

bool lettore_campi::a_capo(std::size_t p) const { return lunghezza_a_capo(testo_, p) > 0; }

void lettore_campi::consuma_a_capo() {
  pos_ += lunghezza_a_capo(testo_, pos_);
  ++riga_;
  inizio_riga_ = pos_;
}

void lettore_campi::salta_spazi() {
  while (pos_ < testo_.size() && spazio(testo_[pos_])) ++pos_;
}

std::string lettore_campi::leggi_testo() {
  if (fine_file()) throw guasto("the file ends where a text field was expected");
  salta_spazi();
  riga_campo_ = riga_;
  colonna_campo_ = static_cast<int32_t>(pos_ - inizio_riga_ + 1);
  const std::size_t inizio = pos_;
  while (pos_ < testo_.size() && testo_[pos_] != ',' && !a_capo(pos_)) ++pos_;
  std::size_t fine = pos_;
  while (fine > inizio && spazio(testo_[fine - 1])) --fine;
  if (pos_ < testo_.size()) {
    if (testo_[pos_] == ',') {
      ++pos_;
    } else {
      consuma_a_capo();
    }
  }
  return std::string(testo_.substr(inizio, fine - inizio));
}

int32_t lettore_campi::leggi_numero() {
  const std::optional<campo_numero> campo = leggi_campo_numero();
  if (!campo) throw guasto("the file ends inside a record, where a number was expected");
  const std::optional<int32_t> valore = numero_del_campo(campo->testo);
  if (!valore) {
    throw guasto("\"" + std::string(campo->testo) + "\" at line " + std::to_string(campo->riga) +
                 " is not a whole number of 32 bits with one sign at most");
  }
  return *valore;
}

std::optional<campo_numero> lettore_campi::leggi_campo_numero() {
  while (pos_ < testo_.size() && (spazio(testo_[pos_]) || a_capo(pos_))) {
    if (a_capo(pos_)) {
      consuma_a_capo();
    } else {
      ++pos_;
    }
  }
  if (fine_file()) return std::nullopt;
  const campo_numero campo_vuoto{testo_.substr(pos_, 0), riga_,
                                 static_cast<int32_t>(pos_ - inizio_riga_ + 1)};
  if (testo_[pos_] == ',') {
    ++pos_;
    return campo_vuoto;
  }
  const std::size_t inizio = pos_;
  while (pos_ < testo_.size() && testo_[pos_] != ',' && !spazio(testo_[pos_]) && !a_capo(pos_)) {
    ++pos_;
  }
  campo_numero campo = campo_vuoto;
  campo.testo = testo_.substr(inizio, pos_ - inizio);
  // Blanks after the number belong to it when a comma or a line end follows them.
  std::size_t dopo = pos_;
  while (dopo < testo_.size() && spazio(testo_[dopo])) ++dopo;
  if (dopo < testo_.size() && testo_[dopo] == ',') {
    pos_ = dopo + 1;
  } else if (a_capo(dopo)) {
    pos_ = dopo;
    consuma_a_capo();
  } else {
    pos_ = dopo;
  }
  return campo;
}

std::optional<int32_t> numero_del_campo(std::string_view cifre) {
  if (cifre.empty()) return 0;
  // One sign at most: a '+' is dropped only in front of a digit, and from_chars takes no
  // second sign after a '-'.
  if (cifre.size() > 1 && cifre[0] == '+' && cifre[1] >= '0' && cifre[1] <= '9') {
    cifre.remove_prefix(1);
  }
  int32_t valore = 0;
  const auto [fine, esito] = std::from_chars(cifre.data(), cifre.data() + cifre.size(), valore);
  if (esito != std::errc() || fine != cifre.data() + cifre.size()) return std::nullopt;
  return valore;
}

bool contiene(std::string_view campo, std::string_view parola) {
  const auto it = std::search(campo.begin(), campo.end(), parola.begin(), parola.end(),
                              [](char a, char b) { return minuscola(a) == minuscola(b); });
  return it != campo.end() || parola.empty();
}

}  // namespace scenario
