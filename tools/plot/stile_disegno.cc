// Number formats, axis steps and label names shared by the plan view and the profile.
#include "tools/plot/stile_disegno.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace scenario::strumento {

std::string numero(double v, int decimali) {
  char t[64];
  std::snprintf(t, sizeof t, "%.*f", decimali, std::isfinite(v) ? std::clamp(v, -1e15, 1e15) : 0);
  return std::string(t) == "-0" ? "0" : t;
}

double passo_tondo(double intervallo, double parti) {
  const double grezzo =
      std::isfinite(intervallo / parti) ? std::clamp(intervallo / parti, 1e-9, 1e12) : 1e12;
  const double decade = std::pow(10.0, std::floor(std::log10(grezzo)));
  for (double m : {1.0, 2.0, 5.0}) {
    if (m * decade >= grezzo) return m * decade;
  }
  return 10 * decade;
}

std::string compatto(const std::string& t) {
  std::string r;
  for (char c : t) {
    if (c == ' ' && (r.empty() || r.back() == ' ')) continue;
    r += c;
  }
  while (!r.empty() && r.back() == ' ') r.pop_back();
  return r;
}

std::string nome_breve_galleria(const std::string& nome) {
  std::string r = compatto(nome);
  for (const char* testa : {"GALLERIA DI ", "GALLERIA "}) {
    if (r.rfind(testa, 0) == 0) r = r.substr(std::string(testa).size());
  }
  if (const auto m = r.rfind(" m "); m != std::string::npos) {
    r = r.substr(0, m) + " " + r.substr(m + 3) + " m";
  }
  return r;
}

}  // namespace scenario::strumento
