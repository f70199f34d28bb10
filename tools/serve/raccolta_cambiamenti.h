// When serve reads the sources again after the folder changed: once it has been quiet for a
// moment, or a while after the first change of a burst at the latest, so that a save (often a
// write, a rename and an attribute change) is read once and a thousand saves a second are read
// a few times, each time as they stand then. A reading runs alone; changes met meanwhile make
// the next burst.
#ifndef TOOLS_SERVE_RACCOLTA_CAMBIAMENTI_H_
#define TOOLS_SERVE_RACCOLTA_CAMBIAMENTI_H_

#include <algorithm>
#include <chrono>
#include <optional>

namespace scenario::strumento {

class raccolta_cambiamenti {
 public:
  using orologio = std::chrono::steady_clock;

  raccolta_cambiamenti(std::chrono::milliseconds quiete, std::chrono::milliseconds massima)
      : quiete_(quiete), massima_(massima) {}

  void cambiamento(orologio::time_point t) {
    if (!primo_) primo_ = t;
    ultimo_ = t;
  }

  // When to read; nothing while no change waits.
  std::optional<orologio::time_point> scadenza() const {
    if (!primo_) return std::nullopt;
    return std::min(ultimo_ + quiete_, *primo_ + massima_);
  }
  bool pronta(orologio::time_point t) const { return primo_ && t >= *scadenza(); }
  // The reading starts: later changes wait for the next one.
  void letta() { primo_.reset(); }

 private:
  std::chrono::milliseconds quiete_, massima_;
  std::optional<orologio::time_point> primo_;
  orologio::time_point ultimo_{};
};

// A save is read once the folder has been quiet this long, or this long after its first
// change at the latest.
inline constexpr std::chrono::milliseconds quiete_cartella{10};
inline constexpr std::chrono::milliseconds attesa_massima_cartella{100};

}  // namespace scenario::strumento

#endif  // TOOLS_SERVE_RACCOLTA_CAMBIAMENTI_H_
