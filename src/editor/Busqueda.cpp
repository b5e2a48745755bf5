// Matching within a line; the editor's InicBuscar and BuscarSig build on it.
#include "editor/Busqueda.h"
#include "editor/Lexico.h"
#include <algorithm>

namespace zt {

namespace {

bool Aislada(VistaTexto linea, size_t i, size_t largo) {
  if (i > 0 && EsCarPalabra(Mayuscula(linea[i - 1]))) return false;
  return i + largo >= linea.size() || !EsCarPalabra(Mayuscula(linea[i + largo]));
}

} // namespace

int32_t BuscaEnLinea(VistaTexto linea, VistaTexto texto, int32_t desde, int32_t hasta, bool ignMayus,
                     bool palCompleta) {
  if (texto.empty()) return -1;
  size_t fin = static_cast<size_t>(std::clamp<int64_t>(hasta, 0, static_cast<int64_t>(linea.size())));
  size_t i = static_cast<size_t>(std::max(desde, 0));
  if (i >= fin || fin - i < texto.size()) return -1;
  Texto mayLinea, mayTexto;
  if (ignMayus) {
    mayLinea = Mayusculas(linea);
    mayTexto = Mayusculas(texto);
    linea = mayLinea;
    texto = mayTexto;
  }
  // The characters around an occurrence are those of the whole line, even past 'hasta'.
  for (;; ++i) {
    i = linea.find(texto, i);
    if (i == VistaTexto::npos || i + texto.size() > fin) return -1;
    if (!palCompleta || Aislada(linea, i, texto.size())) return static_cast<int32_t>(i);
  }
}

} // namespace zt
