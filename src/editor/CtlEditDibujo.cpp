// Painting: the whole view, one line (colour runs or selection), the gutter and one cell.
#include "editor/Columnas.h"
#include "editor/CtlEdit.h"
#include <algorithm>
#include <string>

namespace zt {

namespace {
constexpr Color kGrisDeshabilitado = RGB(200, 200, 200);
constexpr int32_t kSinFin = INT32_MAX;
} // namespace

// Inside the visible area, past the last line too (the caret of an empty text sits there).
bool CtlEdit::CeldaVisible(int32_t x, int32_t y) const {
  return y >= primLinVis && y <= ultLinVis() && x >= primColVis && x <= ultColVis();
}

Color CtlEdit::FondoLinea(int32_t y) const {
  if (!vista_.habilitado) return kGrisDeshabilitado;
  return y == curYt && verFonLin ? colores.ColLinAct : colores.ColFonEdi;
}

// The selected columns [desde, hasta) of line y; false when the line holds no selection.
bool CtlEdit::SeleccionEnLinea(int32_t y, int32_t& desde, int32_t& hasta) const {
  if (!haysel || y < selIni_.yt || y > selFin_.yt) return false;
  if (tipoSelec_ != 0) {
    desde = std::min(selIni_.xt, selFin_.xt);
    hasta = std::max(selIni_.xt, selFin_.xt);
  } else {
    desde = y == selIni_.yt ? selIni_.xt : 1;
    hasta = y == selFin_.yt ? selFin_.xt : kSinFin;
  }
  return true;
}

void CtlEdit::DibujaTodo() {
  Disposicion();
  RangosScroll();
  Surface* s = vista_.superficie;
  if (s) {
    const Rect& r = vista_.geo.superficie;
    s->LlenaRect(r.x, r.y, r.ancho, r.alto, vista_.habilitado ? colores.ColFonEdi : kGrisDeshabilitado);
    if (nLin() > 0 && lineasVis > 0 && columnasVis > 0)
      for (int32_t y = primLinVis; y <= ultLinDibujada(); ++y) PintaLinea(y, false);
    PintaGutter();
  }
  vista_.actualizandoBarras = true;
  vista_.barraV.valor = std::clamp((primLinVis - 1) / vista_.divisorV + 1, 1, std::max(1, vista_.barraV.max));
  vista_.actualizandoBarras = false;
  // The fill wiped the caret; it comes back at the cursor.
  bool mostrado = vista_.caretMostrado;
  vista_.caretMostrado = false;
  vista_.caret = {curXt, curYt};
  if (mostrado) DibujaCaret();
  if (alCambiarVista) alCambiarVista();
}

void CtlEdit::PintaGutter() {
  Surface* s = vista_.superficie;
  const Rect& g = vista_.geo.gutter;
  if (!verNumLin) {
    s->LlenaRect(g.x, g.y, g.ancho, g.alto, vista_.habilitado ? colores.ColFonEdi : kGrisDeshabilitado);
    return;
  }
  s->LlenaRect(g.x, g.y, g.ancho, g.alto, colores.ColFonNli);
  for (int32_t y = primLinVis; y <= ultLinDibujada(); ++y)
    s->DibujaTexto(g.x, YLinea(y) + 2, T(std::to_string(y)), RGB(0, 0, 0));
}

// A redraw request for one line: the caret is drawn again when the repaint wiped it.
void CtlEdit::DibujaLinea(int32_t y) {
  PintaLinea(y, true);
  if (vista_.caretMostrado && vista_.caret.y == y) {
    vista_.caretMostrado = false;
    DibujaCaret();
  }
}

// 'rellenar': paint the row's background first (a full redraw has filled the surface already).
void CtlEdit::PintaLinea(int32_t y, bool rellenar) {
  Surface* s = vista_.superficie;
  if (!s || y < primLinVis || y > ultLinDibujada() || columnasVis <= 0) return;
  const Rect& r = vista_.geo.superficie;
  Color fondo = FondoLinea(y);
  if (rellenar || fondo != colores.ColFonEdi) s->LlenaRect(r.x, YLinea(y), r.ancho, altcarP, fondo);
  Texto texto = LineaFin(linea(y));
  int32_t desde, hasta;
  if (SeleccionEnLinea(y, desde, hasta)) {
    int32_t a = std::max(desde, primColVis), b = std::min<int64_t>(hasta, int64_t{ultColVis()} + 2);
    if (a < b) s->LlenaRect(XColumna(a), YLinea(y), (b - a) * anccarP, altcarP, colores.ColFonSel);
    EscribeTramo(y, texto, 1, desde, colores.ColTxtNor);
    EscribeTramo(y, texto, desde, hasta, colores.ColTxtSel);
    EscribeTramo(y, texto, hasta, kSinFin, colores.ColTxtNor);
    PintaExtra(y);
    return;
  }
  int32_t col = 1;
  for (const TramoColor& t : TramosLinea(y)) {
    EscribeTramo(y, texto, col, col + t.largo, t.color);
    col += t.largo;
  }
  EscribeTramo(y, texto, col, kSinFin, colores.ColTxtNor);
  PintaExtra(y);
}

// Writes the columns [desde, hasta) of the expanded line that can be seen; a partly visible last
// column is written too.
void CtlEdit::EscribeTramo(int32_t y, VistaTexto texto, int32_t desde, int32_t hasta, Color color) {
  int64_t a = std::max(desde, primColVis);
  int64_t b = std::min<int64_t>({hasta, int64_t{ultColVis()} + 2, static_cast<int64_t>(texto.size()) + 1});
  if (a >= b) return;
  vista_.superficie->DibujaTexto(XColumna(static_cast<int32_t>(a)), YLinea(y),
                                 texto.substr(static_cast<size_t>(a - 1), static_cast<size_t>(b - a)), color);
}

// Repaints one cell as its line shows it: background, then the character (a space past the end).
void CtlEdit::PintaCelda(int32_t x, int32_t y) {
  Surface* s = vista_.superficie;
  if (!s || !CeldaVisible(x, y)) return;
  Texto texto = LineaFin(linea(y));
  char32_t c = x <= static_cast<int32_t>(texto.size()) ? texto[static_cast<size_t>(x - 1)] : U' ';
  Color fondo = FondoLinea(y), tinta = colores.ColTxtNor;
  int32_t desde, hasta;
  if (SeleccionEnLinea(y, desde, hasta)) {
    if (x >= desde && x < hasta) fondo = colores.ColFonSel, tinta = colores.ColTxtSel;
  } else if (x <= static_cast<int32_t>(texto.size())) {
    tinta = ColorEn(x, y);
  }
  s->LlenaRect(XColumna(x), YLinea(y), anccarP, altcarP, fondo);
  if (c != U' ') s->DibujaTexto(XColumna(x), YLinea(y), VistaTexto(&c, 1), tinta);
  PintaExtra(y);
}

} // namespace zt
