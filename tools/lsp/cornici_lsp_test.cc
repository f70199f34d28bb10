// The frame reader on good and broken streams: what it gives for each frame, and that after a
// refused frame it stands at the next one.
#include "tools/lsp/cornici_lsp.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace scenario::strumento {
namespace {

// What the reader gives for the whole of `in`, one line a frame: "corpo:BODY" ("corpo di N
// byte" for a long one), "errore CODE:WHY", and "fine" last.
std::vector<std::string> letti(std::istream& in) {
  lettore_messaggi l(in);
  std::vector<std::string> v;
  for (messaggio_letto m = l.prossimo(); m.t != messaggio_letto::tipo::fine; m = l.prossimo()) {
    if (m.t == messaggio_letto::tipo::errore) {
      v.push_back("errore " + std::to_string(m.codice) + ":" + m.testo);
    } else {
      v.push_back(m.testo.size() <= 80 ? "corpo:" + m.testo
                                       : "corpo di " + std::to_string(m.testo.size()) + " byte");
    }
  }
  v.push_back("fine");
  return v;
}

std::vector<std::string> letti(const std::string& ingresso) {
  std::istringstream in(ingresso);
  return letti(in);
}

using righe = std::vector<std::string>;

// `prima`, then `n` blanks made as they are read, then `dopo`: a long body without holding it.
class flusso_lungo : public std::streambuf {
 public:
  flusso_lungo(std::string prima, std::uint64_t n, std::string dopo)
      : prima_(std::move(prima)), dopo_(std::move(dopo)), resto_(n), spazi_(1 << 16, ' ') {}

 protected:
  int_type underflow() override {
    if (fase_ == 0 && !prima_.empty()) return da(prima_, 1);
    if (fase_ <= 1 && resto_ > 0) {
      const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(resto_, spazi_.size()));
      resto_ -= n;
      fase_ = 1;
      setg(spazi_.data(), spazi_.data(), spazi_.data() + n);
      return traits_type::to_int_type(' ');
    }
    if (fase_ <= 2 && !dopo_.empty()) return da(dopo_, 3);
    return traits_type::eof();
  }

 private:
  int_type da(std::string& s, int fase) {
    fase_ = fase;
    setg(s.data(), s.data(), s.data() + s.size());
    return traits_type::to_int_type(s[0]);
  }
  std::string prima_, dopo_;
  std::uint64_t resto_;
  std::string spazi_;
  int fase_ = 0;
};

std::vector<std::string> letti_lunghi(std::uint64_t lunghezza, std::uint64_t inviati,
                                      const std::string& dopo) {
  flusso_lungo f("Content-Length: " + std::to_string(lunghezza) + "\r\n\r\n", inviati, dopo);
  std::istream in(&f);
  return letti(in);
}

TEST(CorniciLsp, LettureDiOgniForma) {
  struct caso {
    std::string ingresso;
    righe attesi;
  };
  const std::vector<caso> casi = {
      {"Content-Length: 2\r\n\r\n{}", {"corpo:{}", "fine"}},
      {incornicia("[1]") + incornicia("\"x\""), {"corpo:[1]", "corpo:\"x\"", "fine"}},
      {"content-length:3\r\nContent-Type: application/vscode-jsonrpc; charset=utf-8\r\n\r\nabc",
       {"corpo:abc", "fine"}},
      {"Content-Length:  1 \nX-Other: y\n\nz", {"corpo:z", "fine"}},
      {"\r\n\r\nContent-Length: 1\r\n\r\nz", {"corpo:z", "fine"}},
      {"Content-Length: 0\r\n\r\n", {"corpo:", "fine"}},
      {"", {"fine"}},
      {"Content-Len", {"fine"}},
      {"Content-Length: 5\r\n\r\nabcd", {"fine"}},
      {"Content-Length: 5\r\n", {"fine"}},
      {"Content-Type: x\r\n\r\n" + incornicia("{}"),
       {"errore -32700:the message has a header block without Content-Length", "corpo:{}", "fine"}},
      {"Content-Length 2\r\n\r\n" + incornicia("{}"),
       {"errore -32700:the message has a header line without ':'", "corpo:{}", "fine"}},
      {"Content-Length: -2\r\n\r\n" + incornicia("{}"),
       {"errore -32700:the message has a Content-Length that is not a number of bytes", "corpo:{}",
        "fine"}},
      {"Content-Length: \r\n\r\n",
       {"errore -32700:the message has a Content-Length that is not a number of bytes", "fine"}},
      {"Content-Length: 2\r\nContent-Length: 2\r\n\r\n{}" + incornicia("[]"),
       {"errore -32700:the message has two Content-Length headers", "corpo:[]", "fine"}},
  };
  for (const caso& c : casi) EXPECT_EQ(letti(c.ingresso), c.attesi) << c.ingresso;
}

// A block past the limit is refused once, read to its empty line, its body passed over.
TEST(CorniciLsp, IntestazioniOltreIlLimite) {
  const std::string lunga = "X: " + std::string(dimensione_massima_intestazioni, 'a') + "\r\n";
  EXPECT_EQ(letti(lunga + lunga + "Content-Length: 1\r\n\r\nz" + incornicia("{}")),
            (righe{"errore -32700:the message has a header block longer than 8192 bytes",
                   "corpo:{}", "fine"}));
  // Exactly at the limit: a block of 8192 bytes with its line ends, the empty line not counted.
  const std::string intestazione = "Content-Length: 1\r\n";
  const std::string riempitivo =
      "X: " + std::string(dimensione_massima_intestazioni - intestazione.size() - 5, 'a') + "\r\n";
  EXPECT_EQ(letti(intestazione + riempitivo + "\r\nz"), (righe{"corpo:z", "fine"}));
  EXPECT_EQ(letti(intestazione + "a" + riempitivo + "\r\nz")[0],
            "errore -32700:the message has a header block longer than 8192 bytes");
}

// The largest body is read, one byte more is passed over unkept, and the frame after it read.
TEST(CorniciLsp, CorpoAlLimiteEOltre) {
  const std::uint64_t limite = dimensione_massima_messaggio;
  EXPECT_EQ(letti_lunghi(limite, limite, incornicia("{}")),
            (righe{"corpo di " + std::to_string(limite) + " byte", "corpo:{}", "fine"}));
  EXPECT_EQ(letti_lunghi(limite + 1, limite + 1, incornicia("{}")),
            (righe{"errore -32600:the message of " + std::to_string(limite + 1) +
                       " bytes is above the limit of " + std::to_string(limite) + " bytes",
                   "corpo:{}", "fine"}));
  // Cut short while it is read or passed over, and a length past 64 bits.
  EXPECT_EQ(letti_lunghi(limite, limite - 1, ""), righe{"fine"});
  EXPECT_EQ(letti_lunghi(limite + 1, 5, ""), righe{"fine"});
  EXPECT_EQ(letti("Content-Length: 99999999999999999999999\r\n\r\n{}"), righe{"fine"});
}

}  // namespace
}  // namespace scenario::strumento
