// A stream buffer over an open file that remembers the first write error, shared by the POSIX
// and the Win32 file layers, which differ only in their write call.
#ifndef DRIVER_BUFFER_FILE_H_
#define DRIVER_BUFFER_FILE_H_

#include <cstddef>
#include <cstring>
#include <memory>
#include <streambuf>
#include <utility>

namespace scenario {

// `Scrittura` is called as scrittura(p, n, errore): it writes at most n bytes from p and
// returns how many it wrote, or sets `errore` to the system's code and returns 0.
template <typename Codice, typename Scrittura>
class buffer_file : public std::streambuf {
 public:
  static constexpr std::size_t dimensione = std::size_t{1} << 16;

  explicit buffer_file(Scrittura scrittura)
      : scrittura_(std::move(scrittura)), spazio_(new char[dimensione]) {
    riparti();
  }
  Codice errore() const { return errore_; }
  int sync() override { return svuota() ? 0 : -1; }

 protected:
  int_type overflow(int_type c) override {
    if (!svuota()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }

  // Blocks of half the buffer or more, such as those of the compiled files' writers, go
  // straight to the file: copying them through this buffer would save no write call.
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    const auto quanti = static_cast<std::size_t>(n);
    if (quanti >= dimensione / 2) return svuota() && scrivi(s, quanti) ? n : 0;
    if (quanti > static_cast<std::size_t>(epptr() - pptr()) && !svuota()) return 0;
    std::memcpy(pptr(), s, quanti);
    pbump(static_cast<int>(quanti));
    return n;
  }

 private:
  void riparti() { setp(spazio_.get(), spazio_.get() + dimensione); }
  bool scrivi(const char* p, std::size_t n) {
    while (n > 0 && errore_ == Codice{}) {
      const std::size_t scritti = scrittura_(p, n, errore_);
      p += scritti;
      n -= scritti;
    }
    return errore_ == Codice{};
  }
  bool svuota() {
    const bool riuscita = scrivi(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    riparti();
    return riuscita;
  }

  Scrittura scrittura_;
  Codice errore_{};
  // Not zeroed: a short text touches only the pages it fills.
  std::unique_ptr<char[]> spazio_;
};

}  // namespace scenario

#endif  // DRIVER_BUFFER_FILE_H_
