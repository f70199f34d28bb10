// Folder listings and modification times through std::filesystem, never throwing.
#include "io/elenco.h"

#include <algorithm>
#include <system_error>

namespace scenario {

elenco_cartella elenca_file(const std::filesystem::path& cartella) {
  namespace fs = std::filesystem;
  std::error_code e;
  const fs::file_status s = fs::status(cartella, e);
  if (!fs::exists(s)) return {stato_elenco::assente, {}, {}};
  if (!fs::is_directory(s)) return {stato_elenco::non_cartella, {}, {}};
  elenco_cartella r;
  for (fs::directory_iterator it(cartella, e), fine; !e && it != fine; it.increment(e)) {
    r.nomi.push_back(it->path().filename().string());
  }
  if (e) return {stato_elenco::illeggibile, {}, e.message()};
  std::sort(r.nomi.begin(), r.nomi.end());
  return r;
}

std::optional<std::filesystem::file_time_type> ultima_modifica(const std::filesystem::path& file) {
  std::error_code e;
  const auto t = std::filesystem::last_write_time(file, e);
  if (e) return std::nullopt;
  return t;
}

}  // namespace scenario
