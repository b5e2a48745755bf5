// Wildcard matching: the pattern is compiled into single-character tests and stars, then matched
// with one remembered star, which is linear per star and never backtracks exponentially.
#include "base/Comodin.h"
#include <vector>

namespace zt {
namespace {

struct Elemento {
  enum Tipo { Estrella, Cualquiera, Digito, Literal, Lista } tipo;
  Elemento(Tipo t, char32_t ch = 0) : tipo(t), c(ch) {}
  char32_t c;
  bool negada = false;
  std::vector<std::pair<char32_t, char32_t>> rangos;

  bool Acepta(char32_t x) const {
    switch (tipo) {
    case Cualquiera: return true;
    case Digito: return x >= U'0' && x <= U'9';
    case Literal: return x == c;
    case Lista: {
      bool dentro = false;
      for (auto [a, b] : rangos)
        if (x >= a && x <= b) { dentro = true; break; }
      return dentro != negada;
    }
    case Estrella: break;
    }
    return false;
  }
};

// Reads "[...]" starting after the "["; returns false when the list is not closed.
bool LeeLista(VistaTexto p, std::size_t& i, Elemento& e) {
  std::size_t j = i;
  if (j < p.size() && p[j] == U'!') { e.negada = true; ++j; }
  while (j < p.size() && p[j] != U']') {
    char32_t a = p[j];
    if (j + 2 < p.size() && p[j + 1] == U'-' && p[j + 2] != U']') {
      e.rangos.emplace_back(a, p[j + 2]);
      j += 3;
    } else {
      e.rangos.emplace_back(a, a);
      ++j;
    }
  }
  if (j >= p.size()) return false;
  i = j + 1;
  return true;
}

std::vector<Elemento> Compila(VistaTexto p) {
  std::vector<Elemento> r;
  std::size_t i = 0;
  while (i < p.size()) {
    char32_t c = p[i++];
    if (c == U'*') {
      if (r.empty() || r.back().tipo != Elemento::Estrella) r.push_back(Elemento(Elemento::Estrella));
    } else if (c == U'?') {
      r.push_back(Elemento(Elemento::Cualquiera));
    } else if (c == U'#') {
      r.push_back(Elemento(Elemento::Digito));
    } else if (c == U'[') {
      Elemento e(Elemento::Lista);
      std::size_t j = i;
      if (!LeeLista(p, j, e)) {
        r.push_back(Elemento(Elemento::Literal, U'['));
        continue;
      }
      i = j;
      // "[]" stands for no character at all.
      if (!e.rangos.empty() || e.negada) r.push_back(std::move(e));
    } else {
      r.push_back(Elemento(Elemento::Literal, c));
    }
  }
  return r;
}

} // namespace

bool CoincideComodin(VistaTexto texto, VistaTexto patron) {
  auto pat = Compila(patron);
  std::size_t t = 0, p = 0;
  std::size_t estrella = pat.size(), marca = 0;
  while (t < texto.size()) {
    if (p < pat.size() && pat[p].tipo == Elemento::Estrella) {
      estrella = p++;
      marca = t;
    } else if (p < pat.size() && pat[p].Acepta(texto[t])) {
      ++p;
      ++t;
    } else if (estrella < pat.size()) {
      p = estrella + 1;
      t = ++marca;
    } else {
      return false;
    }
  }
  while (p < pat.size() && pat[p].tipo == Elemento::Estrella) ++p;
  return p == pat.size();
}

} // namespace zt
