// Mouse on the text surface: placing the cursor, drag selection, word selection, context menu.
#include "base/Numeros.h"
#include "editor/CtlEdit.h"
#include <cmath>

namespace zt {

// The text position of a point: the nearest boundary between characters, so a point on the right
// half of a character lands after it; a point above or left of the surface gives a cell before
// the first visible one, which scrolls the view while dragging.
CeldaTexto CtlEdit::CeldaRaton(int x, int y) const {
  const Rect& r = vista_.geo.superficie;
  auto col = static_cast<int32_t>(RedondeaPar(static_cast<double>(x - r.x) / anccarP));
  auto lin = static_cast<int32_t>(std::floor(static_cast<double>(y - r.y) / altcarP));
  return {col + primColVis, lin + primLinVis};
}

void CtlEdit::RatonPulsa(int boton, int shift, int x, int y) {
  if (!vista_.habilitado || !vista_.geo.superficie.Contiene(x, y)) return;
  vista_.ultBoton = boton;
  CeldaTexto c = CeldaRaton(x, y);
  ColocaCursor(c.x, c.y, 1);
  FijaColDeseada();
  if (boton == raton::Izquierdo) {
    if (shift & tecla::Mayus) {
      ExtiendeSeleccion();
    } else {
      LimpiaSeleccion();
      ancla_ = Cursor();
      if (redibujoTotal) RedibujaTodo();
    }
    EncenCursor();
    vista_.arrastre = true;
    vista_.celdaArrastre = c;
  }
  if (alPulsarRaton) alPulsarRaton();
}

void CtlEdit::RatonMueve(int boton, int shift, int x, int y) {
  if (!vista_.habilitado) return;
  if (vista_.arrastre) {
    CeldaTexto c = CeldaRaton(x, y);
    if (c == vista_.celdaArrastre) return;
    vista_.celdaArrastre = c;
    SelectHasta(c.x, c.y);
    FijaColDeseada();
    EncenCursor();
  }
  const Rect& r = vista_.geo.superficie;
  if (perfil_.eventosTeclado && MouseMove) MouseMove(boton, shift, x - r.x, y - r.y);
}

void CtlEdit::RatonSuelta(int boton, int, int x, int y) {
  if (boton == raton::Izquierdo) vista_.arrastre = false;
  const Rect& r = vista_.geo.superficie;
  if (boton == raton::Derecho && vista_.habilitado && menuContext) menuContext(x - r.x, y - r.y);
}

void CtlEdit::RatonDobleClic(int x, int y) {
  if (!vista_.habilitado || vista_.ultBoton != raton::Izquierdo || !vista_.geo.superficie.Contiene(x, y))
    return;
  const Rect& r = vista_.geo.superficie;
  // The word under the pointer, not the boundary nearest to it.
  int32_t col = (x - r.x) / anccarP + primColVis, lin = (y - r.y) / altcarP + primLinVis;
  SeleccionaPalabra(col, lin);
  ApagCursor();
}

} // namespace zt
