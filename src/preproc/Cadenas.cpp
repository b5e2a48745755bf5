// String operations used beside the scanner: comments, word lists, date test.
#include "preproc/Cadenas.h"

namespace zt::preproc {

namespace {
bool EsSeparador(char32_t c) { return c == U' ' || c == U'\t' || c == U'\r' || c == U'\n'; }
} // namespace

Texto CortaComentario(VistaTexto s) {
  auto p = s.find(U"--");
  return Texto(p == VistaTexto::npos ? s : s.substr(0, p));
}

Texto SiguientePalabra(VistaTexto s, Texto& resto) {
  size_t i = 0;
  while (i < s.size() && EsSeparador(s[i])) ++i;
  s.remove_prefix(i);
  if (!s.empty() && s[0] == U'"') {
    auto fin = s.find(U'"', 1);
    if (fin == VistaTexto::npos) {
      resto.clear();
      return Texto(s.substr(1));
    }
    resto = Texto(s.substr(fin + 1));
    return Texto(s.substr(1, fin - 1));
  }
  size_t fin = 0;
  while (fin < s.size() && !EsSeparador(s[fin])) ++fin;
  resto = fin < s.size() ? Texto(s.substr(fin + 1)) : Texto();
  return Texto(s.substr(0, fin));
}

std::vector<Texto> ListaPalabras(VistaTexto s) {
  std::vector<Texto> r;
  Texto resto(s), siguiente;
  while (!resto.empty()) {
    Texto p = SiguientePalabra(resto, siguiente);
    if (!p.empty()) r.push_back(std::move(p));
    resto.swap(siguiente);
  }
  return r;
}

bool PareceFecha(VistaTexto s) {
  Texto t = RecortaEspacios(s);
  return !t.empty() && (t.find(U':') != Texto::npos || t.find(U'/') != Texto::npos);
}

} // namespace zt::preproc
