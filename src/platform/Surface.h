// Drawing surface of an editor: fixed-pitch cells, filled rectangles, text runs and lines.
#pragma once
#include "base/Texto.h"
#include "base/Tipos.h"

namespace zt {

struct MetricaCelda {
  int ancho = 8;  // pixels per character
  int alto = 16;  // pixels per line
};

class Surface {
public:
  virtual ~Surface() = default;
  virtual MetricaCelda Metrica() const = 0;
  virtual void LlenaRect(int x, int y, int ancho, int alto, Color color) = 0;
  // Draws 'texto' starting at pixel (x, y) (top left of the first cell).
  virtual void DibujaTexto(int x, int y, VistaTexto texto, Color color, bool negrita = false) = 0;
  virtual void Linea(int x1, int y1, int x2, int y2, Color color) = 0;
};

} // namespace zt
