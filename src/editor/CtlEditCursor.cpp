// Cursor placement, scrolling the cursor into view and the moves of the keyboard table.
#include "editor/Columnas.h"
#include "editor/CtlEdit.h"
#include <algorithm>

namespace zt {

// Hosts may leave curXt and curYt anywhere; a position handed on is always a valid one.
PosTexto CtlEdit::Cursor() const {
  return {std::max(curXt, 1), std::max(curYt, 1)};
}

void CtlEdit::ActualizaLinact() {
  linact = nLin() > 0 ? LineaFin(linea(curYt)) : Texto();
  CrecerAncho(static_cast<int32_t>(linact.size()));
}

void CtlEdit::ColocaCursor(int32_t x, int32_t y, int snap, bool desdeUsuario) {
  if (nLin() == 0) {
    curXt = curYt = 1;
    linact.clear();
  } else {
    curYt = std::clamp(y, 1, nLin());
    ActualizaLinact();
    auto tope = static_cast<int32_t>(linact.size()) + 1;
    curXt = std::clamp(x, 1, tope);
    int32_t s, e;
    if (snap != 0 && TabEnColumna(curXt, linea(curYt), nEspTab, s, e) && s < curXt && curXt < e)
      curXt = snap == 1 ? s : std::min(e, tope);
  }
  EtiquetaPosicion();
  Desplaza(desdeUsuario);
}

// Hosts write curXt and curYt, and LimpiarLineas and EliminarLineas leave them alone: bring a
// cursor that lies outside the text back onto it before an edit uses it.
void CtlEdit::AcotaCursor() {
  if (nLin() == 0) return;
  if (curYt < 1 || curXt < 1 || curYt > nLin() || curXt > LargoExpandido(linea(curYt), nEspTab) + 1 || linact != LineaFin(linea(curYt)))
    ColocaCursor(curXt, curYt, 1, false);
}

// Scrolls just enough to show the cursor, then by 12 columns at the horizontal edges.
void CtlEdit::Desplaza(bool pasos12) {
  int32_t lin0 = primLinVis, col0 = primColVis;
  if (lineasVis > 0) {
    if (curYt < primLinVis) primLinVis = curYt;
    if (curYt > ultLinVis()) primLinVis = curYt - lineasVis + 1;
  }
  if (columnasVis > 0) {
    if (curXt < primColVis) primColVis = curXt;
    if (curXt > ultColVis()) primColVis = curXt - columnasVis + 1;
    if (pasos12) {
      if (curXt == ultColVis())
        primColVis += 12;
      else if (curXt == primColVis && primColVis != 1)
        primColVis = std::max(1, primColVis - 12);
    }
  }
  primLinVis = std::max(1, primLinVis);
  primColVis = std::max(1, primColVis);
  if (lin0 != primLinVis || col0 != primColVis) redibujoTotal = true;
}

void CtlEdit::CursorText(int32_t x, int32_t y) {
  LimpiaSeleccion();
  ColocaCursor(x, y, 1);
  FijaColDeseada();
  ancla_ = Cursor();
  if (redibujoTotal) RedibujaTodo();
  EncenCursor();
}

void CtlEdit::MueveDerecha() {
  if (curXt <= static_cast<int32_t>(linact.size()))
    ColocaCursor(curXt + 1, curYt, 2);
  else if (curYt < nLin())
    ColocaCursor(1, curYt + 1, 0);
}

void CtlEdit::MueveIzquierda() {
  if (curXt > 1)
    ColocaCursor(curXt - 1, curYt, 1);
  else if (curYt > 1)
    ColocaCursor(LargoExpandido(linea(curYt - 1), nEspTab) + 1, curYt - 1, 0);
}

void CtlEdit::PalabraSiguiente() {
  auto n = static_cast<int32_t>(linact.size());
  if (curXt > n) {
    if (curYt < nLin()) ColocaCursor(1, curYt + 1, 0);
    return;
  }
  int32_t x = curXt;
  while (x <= n && EsCaracterPalabra(linact[x - 1])) ++x;
  while (x <= n && !EsCaracterPalabra(linact[x - 1])) ++x;
  ColocaCursor(x, curYt, 2);
}

void CtlEdit::PalabraAnterior() {
  if (curXt == 1) {
    MueveIzquierda();
    return;
  }
  int32_t x = std::min<int32_t>(curXt, static_cast<int32_t>(linact.size()) + 1);
  while (x > 1 && !EsCaracterPalabra(linact[x - 2])) --x;
  while (x > 1 && EsCaracterPalabra(linact[x - 2])) --x;
  ColocaCursor(x, curYt, 1);
}

// Ctrl+Up (dir -1) and Ctrl+Down (dir 1): to the edge of the block of lines reaching the column.
void CtlEdit::BordeBloque(int dir) {
  if (nLin() == 0) return;
  AcotaCursor(); // the walk below must start on a line of the text
  int32_t x = curXt, y = curYt, tope = dir < 0 ? 1 : nLin();
  auto alcanza = [&](int32_t l) { return LargoExpandido(linea(l), nEspTab) >= x; };
  if (y != tope && alcanza(y) && !alcanza(y + dir)) {
    y += dir;
    while (y != tope && !alcanza(y)) y += dir;
  } else if (!alcanza(y)) {
    while (y != tope && !alcanza(y)) y += dir;
  } else {
    while (y != tope && alcanza(y + dir)) y += dir;
  }
  ColocaCursor(x, y, 1);
}

void CtlEdit::Pagina(int dir) {
  int32_t paso = std::max(1, lineasVis - 1);
  int32_t prim = primLinVis + dir * paso;
  primLinVis = std::clamp(prim, 1, std::max(1, nLin()));
  redibujoTotal = true;
  ColocaCursor(colDeseada_, curYt + dir * paso, 1);
}

// Acts on a movement key; false when the key is not one.
bool CtlEdit::Mover(int codigo, bool ctrl) {
  switch (codigo) {
  case tecla::RePag: Pagina(-1); return true;
  case tecla::AvPag: Pagina(1); return true;
  case tecla::Fin:
    ColocaCursor(anchoMax_ + 1, ctrl ? nLin() : curYt, 0);
    FijaColDeseada();
    return true;
  case tecla::Inicio:
    ColocaCursor(1, ctrl ? 1 : curYt, 0);
    FijaColDeseada();
    return true;
  case tecla::Izquierda:
    ctrl ? PalabraAnterior() : MueveIzquierda();
    FijaColDeseada();
    return true;
  case tecla::Derecha:
    ctrl ? PalabraSiguiente() : MueveDerecha();
    FijaColDeseada();
    return true;
  case tecla::Arriba: ctrl ? BordeBloque(-1) : ColocaCursor(colDeseada_, curYt - 1, 1); return true;
  case tecla::Abajo: ctrl ? BordeBloque(1) : ColocaCursor(colDeseada_, curYt + 1, 1); return true;
  default: return false;
  }
}

} // namespace zt
