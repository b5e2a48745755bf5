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

namespace {

// The next word of 's'; 's' is left on what follows it.
VistaTexto CortaPalabra(VistaTexto& s) {
  size_t i = 0;
  while (i < s.size() && EsSeparador(s[i])) ++i;
  s.remove_prefix(i);
  if (!s.empty() && s[0] == U'"') {
    auto fin = s.find(U'"', 1);
    VistaTexto p = fin == VistaTexto::npos ? s.substr(1) : s.substr(1, fin - 1);
    s.remove_prefix(fin == VistaTexto::npos ? s.size() : fin + 1);
    return p;
  }
  size_t fin = 0;
  while (fin < s.size() && !EsSeparador(s[fin])) ++fin;
  VistaTexto p = s.substr(0, fin);
  s.remove_prefix(fin < s.size() ? fin + 1 : fin);
  return p;
}

} // namespace

Texto SiguientePalabra(VistaTexto s, Texto& resto) {
  Texto p(CortaPalabra(s));
  resto = Texto(s);
  return p;
}

// One pass over the text: a long definition used as a loop list must not cost its length for
// every word.
std::vector<Texto> ListaPalabras(VistaTexto s) {
  std::vector<Texto> r;
  while (!s.empty()) {
    VistaTexto p = CortaPalabra(s);
    if (!p.empty()) r.emplace_back(p);
  }
  return r;
}

bool PareceFecha(VistaTexto s) {
  Texto t = RecortaEspacios(s);
  return !t.empty() && (t.find(U':') != Texto::npos || t.find(U'/') != Texto::npos);
}

} // namespace zt::preproc
