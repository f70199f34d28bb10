// Field reading rules of the two text sources.
#include "compiler/lettore_campi.h"

#include <algorithm>
#include <charconv>

namespace scenario {
namespace {

bool spazio(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool lettore_campi::a_capo(std::size_t p) const { return lunghezza_a_capo(testo_, p) > 0; }

void lettore_campi::consuma_a_capo() {
  pos_ += lunghezza_a_capo(testo_, pos_);
  ++riga_;
  inizio_riga_ = pos_;
}

void lettore_campi::salta_spazi() {
  while (pos_ < testo_.size() && spazio(testo_[pos_])) ++pos_;
}

std::string_view lettore_campi::leggi_campo_testo() {
  if (fine_file()) throw guasto("the file ends where a text field was expected");
  salta_spazi();
  const std::size_t inizio = pos_;
  while (pos_ < testo_.size() && testo_[pos_] != ',' && !a_capo(pos_)) ++pos_;
  std::size_t fine = pos_;
  while (fine > inizio && spazio(testo_[fine - 1])) --fine;
  luogo_ = luogo(inizio, fine);
  if (pos_ < testo_.size()) {
    if (testo_[pos_] == ',') {
      ++pos_;
    } else {
      consuma_a_capo();
    }
  }
  return testo_.substr(inizio, fine - inizio);
}

intervallo_sorgente lettore_campi::luogo(std::size_t inizio, std::size_t fine) const {
  const auto colonna = static_cast<int32_t>(inizio - inizio_riga_ + 1);
  return {riga_, colonna, colonna + static_cast<int32_t>(fine - inizio), inizio, fine};
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
  const std::size_t inizio = pos_;
  if (testo_[pos_] == ',') {
    ++pos_;
    return campo_numero{testo_.substr(inizio, 0), luogo(inizio, inizio)};
  }
  while (pos_ < testo_.size() && testo_[pos_] != ',' && !spazio(testo_[pos_]) && !a_capo(pos_)) {
    ++pos_;
  }
  const campo_numero campo{testo_.substr(inizio, pos_ - inizio), luogo(inizio, pos_)};
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

riga_testo riga_da(std::string_view testo, std::size_t i) {
  std::size_t fine = i;
  while (fine < testo.size() && lunghezza_a_capo(testo, fine) == 0) ++fine;
  return {testo.substr(i, fine - i),
          fine + std::max<std::size_t>(1, lunghezza_a_capo(testo, fine))};
}

bool contiene(std::string_view campo, std::string_view parola) {
  if (parola.empty()) return true;
  // Every field of a record is tried against every keyword: most are shorter than the word.
  for (std::size_t i = 0; i + parola.size() <= campo.size(); ++i) {
    std::size_t k = 0;
    while (k < parola.size() && minuscola(campo[i + k]) == minuscola(parola[k])) ++k;
    if (k == parola.size()) return true;
  }
  return false;
}

}  // namespace scenario
