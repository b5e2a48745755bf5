// Tab expansion and column mapping.
#include "editor/Columnas.h"

namespace zt {

namespace {
int Ancho(int tab) { return tab < 1 ? 1 : tab; }
// Width of character c when it starts at (0-based) expanded offset 'col'.
int32_t Celdas(char32_t c, int32_t col, int tab) { return c == U'\t' ? tab - col % tab : 1; }
} // namespace

Texto LineaFin(VistaTexto linea, int tab) {
  tab = Ancho(tab);
  Texto r;
  r.reserve(linea.size());
  for (char32_t c : linea) {
    if (c == U'\t')
      r.append(tab - r.size() % tab, U' ');
    else
      r.push_back(c);
  }
  return r;
}

int32_t LargoExpandido(VistaTexto linea, int tab) {
  tab = Ancho(tab);
  int64_t col = 0;
  for (char32_t c : linea) col += Celdas(c, static_cast<int32_t>(col % tab), tab);
  return col > INT32_MAX ? INT32_MAX : static_cast<int32_t>(col);
}

int32_t posFinTab(int32_t c, int tab) {
  tab = Ancho(tab);
  return ((c - 1) / tab + 1) * tab + 1;
}

int32_t PosXTreal(int32_t x, VistaTexto linea, int tab) {
  if (x < 1) return x;
  tab = Ancho(tab);
  int64_t col = 1;
  for (size_t i = 0; i < linea.size(); ++i) {
    col += Celdas(linea[i], static_cast<int32_t>((col - 1) % tab), tab);
    if (x < col) return static_cast<int32_t>(i + 1);
  }
  return static_cast<int32_t>(linea.size() + 1);
}

int32_t PosXTexp(int32_t i, VistaTexto linea, int tab) {
  if (i < 2) return i;
  size_t n = static_cast<size_t>(i - 1);
  if (n > linea.size()) n = linea.size();
  return LargoExpandido(linea.substr(0, n), tab) + 1;
}

bool TabEnColumna(int32_t x, VistaTexto linea, int tab, int32_t &inicio, int32_t &fin) {
  tab = Ancho(tab);
  int64_t col = 1;
  for (char32_t c : linea) {
    int32_t w = Celdas(c, static_cast<int32_t>((col - 1) % tab), tab);
    if (x < col + w) {
      if (c != U'\t') return false;
      inicio = static_cast<int32_t>(col);
      fin = static_cast<int32_t>(col + w);
      return true;
    }
    col += w;
  }
  return false;
}

bool EsCaracterPalabra(char32_t c) {
  if ((c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9')) return true;
  static const VistaTexto otros = U"_$'.-\u00e1\u00e9\u00ed\u00f3\u00fa\u00c1\u00c9\u00cd\u00d3\u00da";
  return otros.find(c) != VistaTexto::npos;
}

} // namespace zt
