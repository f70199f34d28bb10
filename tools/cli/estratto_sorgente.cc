// Cutting a source line around a column, and naming the file it comes from.
#include "tools/cli/estratto_sorgente.h"

#include <algorithm>
#include <optional>

#include "compiler/codici_errore.h"
#include "compiler/lettore_campi.h"
#include "compiler/nomi_file.h"

namespace scenario::strumento {

estratto_riga estrai_riga(std::string_view testo, std::int64_t riga, std::int32_t colonna) {
  const std::optional<std::string_view> trovata = riga_del_testo(testo, riga);
  if (!trovata) return {"", 0};
  const std::string_view linea = *trovata;
  if (linea.size() <= larghezza_estratto) return {std::string(linea), colonna};
  const std::size_t centro = colonna > 0 ? static_cast<std::size_t>(colonna) - 1 : 0;
  const std::size_t da =
      std::min(centro > larghezza_estratto / 2 ? centro - larghezza_estratto / 2 : 0,
               linea.size() - larghezza_estratto);
  std::string t = da > 0 ? "..." : "";
  t += linea.substr(da, larghezza_estratto);
  if (da + larghezza_estratto < linea.size()) t += "...";
  const std::int32_t spostata =
      colonna > 0 ? static_cast<std::int32_t>(centro - da + 1 + (da > 0 ? 3 : 0)) : 0;
  return {t, spostata};
}

std::string messaggio_con_sorgente(const esito& r, std::string_view testo) {
  const estratto_riga e =
      testo.empty() ? estratto_riga{"", 0} : estrai_riga(testo, r.riga, r.colonna);
  return messaggio_autore(r, e.testo, e.colonna);
}

std::string_view testo_sorgente(const testi_sorgenti& t, const opzioni_compilazione& o,
                                const std::string& file) {
  const std::optional<std::string>* testo = nullptr;
  if (file == nome_testo_linea(o.nome_linea)) testo = &t.linea;
  if (file == nome_testo_treno(o.nome_linea, o.numero_treno)) testo = &t.treno;
  return testo != nullptr && *testo ? std::string_view(**testo) : std::string_view();
}

std::string percorso_mostrato(const std::string& cartella, const std::string& nome) {
  if (cartella.empty() || cartella == ".") return nome;
  return cartella.back() == '/' ? cartella + nome : cartella + "/" + nome;
}

}  // namespace scenario::strumento
