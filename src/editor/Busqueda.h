// Search state of an editor and the matching of the search text within one line.
#pragma once
#include "base/Texto.h"
#include <compare>
#include <cstdint>

namespace zt {

// A search bound: expanded column and line, 32-bit both (a tab-expanded line can pass 32767 columns).
struct PosBusqueda {
  int32_t xt = 0;  // 0: absent
  int32_t yt = 0;
  friend bool operator==(const PosBusqueda&, const PosBusqueda&) = default;
  friend std::strong_ordering operator<=>(const PosBusqueda& a, const PosBusqueda& b) {
    if (auto c = a.yt <=> b.yt; c != 0) return c;
    return a.xt <=> b.xt;
  }
};

struct EstadoBusqueda {
  PosBusqueda desde{1, 1};
  PosBusqueda hasta;       // set by InicBuscar; the whole text when the scope is 0
  bool todoElTexto = true; // the end follows the text as it grows or shrinks
  Texto texto;
  bool ignMayus = true;
  bool palCompleta = false;
  PosBusqueda pos;
};

// First occurrence of 'texto' in linea[desde, hasta) (0-based indices, 'hasta' exclusive), or -1.
// With 'palCompleta' an occurrence counts only when the characters around it, upper-cased, are
// not word characters; the search goes on one character after a rejected occurrence.
int32_t BuscaEnLinea(VistaTexto linea, VistaTexto texto, int32_t desde, int32_t hasta, bool ignMayus,
                     bool palCompleta);

} // namespace zt
