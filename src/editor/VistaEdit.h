// View state of an editor: geometry of its parts, scroll bars, caret and mouse tracking.
#pragma once
#include "platform/Surface.h"
#include "platform/Timer.h"
#include <array>
#include <cstdint>

namespace zt {

// Mouse buttons as the mouse handlers receive them.
namespace raton {
constexpr int Izquierdo = 1, Derecho = 2, Medio = 4;
} // namespace raton

struct Rect {
  int x = 0, y = 0, ancho = 0, alto = 0;
  bool Contiene(int px, int py) const { return px >= x && px < x + ancho && py >= y && py < y + alto; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// A scroll bar as the editor sets it; the widget copies it onto the real bar.
struct BarraScroll {
  int min = 1, max = 1, valor = 1, pasoGrande = 1;
  bool habilitada = false;
  bool visible = false;
  Rect r;
};

// Where each part of the control lies, in pixels from its top left corner. The gutter and the
// text surface share one drawing area: surface x = gutter width.
struct GeometriaEditor {
  Rect gutter, superficie;
  std::array<Rect, 4> etiquetas; // lblEstado1..4, empty while the status bar is hidden
};

struct CeldaTexto {
  int32_t x = 0, y = 0; // column and line; line 0: none
  friend bool operator==(const CeldaTexto&, const CeldaTexto&) = default;
};

// Gutter width in pixels: 2 without line numbers, then one step of 7 per extra digit.
int AnchoGutter(bool verNumLin, int32_t nLin);

struct EstadoVista {
  Surface* superficie = nullptr;
  Timer* timer = nullptr;
  int ancho = 0, alto = 0; // control size; 0 x 0 until the host sets it
  bool conTamano = false;  // the layout owns lineasVis and columnasVis once the size is known
  int grosorBarra = 16, altoEstado = 20;
  GeometriaEditor geo;
  BarraScroll barraV, barraH;
  int32_t divisorV = 1; // lines per vertical bar unit (the inverse of the vertical scale)
  bool actualizandoBarras = false;
  bool habilitado = true;
  // Caret: the cell of the bar on screen while 'caretMostrado'.
  bool caretMostrado = false, parpadeo = true;
  int contador = 0;
  CeldaTexto caret;
  // Mouse.
  bool arrastre = false;
  CeldaTexto celdaArrastre;
  int ultBoton = 0;
};

} // namespace zt
