// Frames read byte by byte up to the body, then exactly the body's length.
#include "tools/lsp/cornici_lsp.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "compiler/lettore_campi.h"
#include "tools/lsp/testo_lsp.h"

namespace scenario::strumento {
namespace {

using tratti = std::istream::traits_type;

// The protocol's codes for a frame that cannot be read.
constexpr int32_t errore_di_lettura = -32700;
constexpr int32_t richiesta_non_valida = -32600;

constexpr std::size_t blocco = std::size_t{1} << 20;

messaggio_letto errore(int32_t codice, std::string perche) {
  return {messaggio_letto::tipo::errore, std::move(perche), codice};
}

// One header line into `lunghezza`; why it is malformed, or "".
std::string intestazione(std::string_view riga, std::optional<std::uint64_t>& lunghezza) {
  const std::size_t due_punti = riga.find(':');
  if (due_punti == std::string_view::npos) return "a header line without ':'";
  if (minuscole(senza_spazi(riga.substr(0, due_punti))) != "content-length") return "";
  if (lunghezza) return "two Content-Length headers";
  const std::string_view valore = senza_spazi(riga.substr(due_punti + 1));
  if (valore.empty() || valore.find_first_not_of("0123456789") != std::string_view::npos) {
    return "a Content-Length that is not a number of bytes";
  }
  std::uint64_t n = 0;
  const auto r = std::from_chars(valore.data(), valore.data() + valore.size(), n);
  // More digits than 64 bits hold: above any limit all the same.
  lunghezza = r.ec == std::errc() ? n : std::numeric_limits<std::uint64_t>::max();
  return "";
}

}  // namespace

// A line up to LF, a CR before it dropped; at most `spazio` bytes are kept, the rest of the line
// is read and counted in `lunghezza`.
lettore_messaggi::esito_riga lettore_messaggi::leggi_riga(std::string& riga, std::size_t spazio,
                                                          std::size_t& lunghezza) {
  std::streambuf& b = *in_.rdbuf();
  lunghezza = 0;
  char ultimo = '\0';
  for (;;) {
    const tratti::int_type c = b.sbumpc();
    if (tratti::eq_int_type(c, tratti::eof())) return esito_riga::fine;
    if (tratti::to_char_type(c) == '\n') break;
    ultimo = tratti::to_char_type(c);
    ++lunghezza;
    if (riga.size() < spazio) riga += ultimo;
  }
  if (!riga.empty() && riga.back() == '\r') riga.pop_back();
  const bool vuota = lunghezza == 0 || (lunghezza == 1 && ultimo == '\r');
  return vuota ? esito_riga::vuota : esito_riga::riga;
}

// A refused block whose length was read has its body passed over too, so that the next frame
// is found where it begins.
messaggio_letto lettore_messaggi::prossimo() {
  std::optional<std::uint64_t> lunghezza;
  std::string perche;
  std::size_t usati = 0;
  for (bool iniziato = false;;) {
    std::string riga;
    std::size_t letti = 0;
    const esito_riga e = leggi_riga(riga, dimensione_massima_intestazioni, letti);
    if (e == esito_riga::fine) return {};
    // Empty lines between frames are passed over; the first after a header ends the block.
    if (e == esito_riga::vuota && !iniziato) continue;
    if (e == esito_riga::vuota) break;
    iniziato = true;
    usati += letti + 1;
    std::string su_questa = intestazione(riga, lunghezza);
    if (usati > dimensione_massima_intestazioni) {
      su_questa = "a header block longer than " + std::to_string(dimensione_massima_intestazioni) +
                  " bytes";
    }
    if (perche.empty()) perche = std::move(su_questa);
  }
  if (perche.empty() && !lunghezza) perche = "a header block without Content-Length";
  int32_t codice = errore_di_lettura;
  if (!perche.empty()) {
    perche = "the message has " + perche;
  } else if (*lunghezza > dimensione_massima_messaggio) {
    codice = richiesta_non_valida;
    perche = "the message of " + std::to_string(*lunghezza) + " bytes is above the limit of " +
             std::to_string(dimensione_massima_messaggio) + " bytes";
  }
  std::string testo;
  if (lunghezza && !leggi_corpo(*lunghezza, perche.empty() ? &testo : nullptr)) return {};
  if (!perche.empty()) return errore(codice, perche);
  return {messaggio_letto::tipo::corpo, std::move(testo), 0};
}

// Read as it arrives, so that a length larger than what is sent holds no more memory than
// what came; false when the input ends first.
bool lettore_messaggi::leggi_corpo(std::uint64_t lunghezza, std::string* testo) {
  std::streambuf& b = *in_.rdbuf();
  std::string parte(static_cast<std::size_t>(std::min<std::uint64_t>(lunghezza, blocco)), '\0');
  for (std::uint64_t resto = lunghezza; resto > 0;) {
    const auto n = static_cast<std::streamsize>(std::min<std::uint64_t>(resto, blocco));
    const std::streamsize letti = b.sgetn(parte.data(), n);
    if (letti < n) return false;
    if (testo != nullptr) testo->append(parte.data(), static_cast<std::size_t>(letti));
    resto -= static_cast<std::uint64_t>(letti);
  }
  return true;
}

std::string incornicia(std::string_view corpo) {
  std::string t = "Content-Length: " + std::to_string(corpo.size()) + "\r\n\r\n";
  return t.append(corpo);
}

}  // namespace scenario::strumento
