// Stream and column selection: bounds, selected text and deleting the selection.
#include "editor/Columnas.h"
#include "editor/CtlEdit.h"
#include <algorithm>
#include <new>

namespace zt {

void CtlEdit::TipoSelec(int16_t v) {
  if (v == tipoSelec_) return;
  Registra(v != 0 ? 3 : -3, Cursor(), Texto());
  tipoSelec_ = v;
}

void CtlEdit::ExtiendeSeleccion() {
  if (tipoSelec_ != 0) redibujoTotal = true;
  haysel = true;
  PosTexto c = Cursor();
  selIni_ = std::min(ancla_, c);
  selFin_ = std::max(ancla_, c);
  if (redibujoTotal) {
    RedibujaTodo();
  } else {
    // Only the lines whose selected state changed.
    auto tramo = [this](int32_t a, int32_t b) {
      int32_t desde = std::min(a, b), hasta = std::max(a, b);
      if (lineasVis > 0) {
        desde = std::max(desde, primLinVis);
        hasta = std::min(hasta, ultLinVis());
      }
      for (int32_t y = desde; y <= hasta; ++y) RedibujaLinea(y);
    };
    if (selIni_ != selIniPrev_) tramo(selIni_.yt, selIniPrev_.yt);
    if (selFin_ != selFinPrev_) tramo(selFin_.yt, selFinPrev_.yt);
  }
  selIniPrev_ = selIni_;
  selFinPrev_ = selFin_;
  EtiquetaSeleccion();
}

void CtlEdit::LimpiaSeleccion() {
  bool habia = haysel;
  haysel = false;
  PosTexto a = selIni_, b = selFin_;
  selIni_ = selFin_ = selIniPrev_ = selFinPrev_ = ancla_;
  if (habia) {
    if (a.yt == b.yt && tipoSelec_ == 0)
      RedibujaLinea(a.yt);
    else
      RedibujaTodo();
  }
  EtiquetaSeleccion();
}

// The start of the selection as an insertion point: the block's top-left corner in column mode.
PosTexto CtlEdit::InicioSeleccion() const {
  if (tipoSelec_ == 0) return selIni_;
  return {std::min(selIni_.xt, selFin_.xt), selIni_.yt};
}

Texto CtlEdit::TextoColumnas(int32_t y1, int32_t y2, int32_t x1, int32_t x2) const {
  int32_t xa = std::max(1, std::min(x1, x2)), ancho = std::max(0, std::max(x1, x2) - xa);
  if (ancho > kLargoMaximo - 2 || nLin() == 0) return {};
  y1 = std::clamp(y1, 1, nLin());
  y2 = std::clamp(y2, y1, nLin());
  std::vector<Texto> piezas;
  for (int32_t y = y1; y <= y2; ++y) {
    Texto l = LineaFin(lineas_.Linea(y));
    Texto p = static_cast<int32_t>(l.size()) >= xa
                  ? l.substr(static_cast<size_t>(xa - 1), static_cast<size_t>(ancho))
                  : Texto();
    p.resize(static_cast<size_t>(ancho), U' ');
    piezas.push_back(std::move(p));
  }
  return UneConSaltos(piezas);
}

void CtlEdit::BorraColumnas(int32_t y1, int32_t y2, int32_t x1, int32_t x2) {
  int32_t xa = std::max(1, std::min(x1, x2)), ancho = std::max(0, std::max(x1, x2) - xa);
  if (nLin() == 0) return;
  y1 = std::clamp(y1, 1, nLin());
  y2 = std::clamp(y2, y1, nLin());
  for (int32_t y = y1; y <= y2; ++y) {
    Texto l = LineaFin(lineas_.Linea(y));
    if (static_cast<int32_t>(l.size()) >= xa)
      l.erase(static_cast<size_t>(xa - 1), static_cast<size_t>(ancho));
    if (l != lineas_.Linea(y)) lineas_.Cambia(y, std::move(l));
  }
}

Texto CtlEdit::TextSel() {
  if (!haysel) return {};
  try {
    if (tipoSelec_ != 0) return TextoColumnas(selIni_.yt, selFin_.yt, selIni_.xt, selFin_.xt);
    return TextoEntre(selIni_.yt, PosXTreal(selIni_.xt, selIni_.yt), selFin_.yt,
                      PosXTreal(selFin_.xt, selFin_.yt));
  } catch (const std::bad_alloc &) {
    Aviso(T("No se puede obtener selección. Error asignando memoria"), Icono::Error);
    return {};
  }
}

// Removes the selected text without recording it; the cursor goes to the selection start.
void CtlEdit::BorraSeleccion() {
  if (!haysel) return;
  PosTexto ini = InicioSeleccion();
  if (tipoSelec_ != 0)
    BorraColumnas(selIni_.yt, selFin_.yt, selIni_.xt, selFin_.xt);
  else
    BorraEntre(selIni_.yt, PosXTreal(selIni_.xt, selIni_.yt), selFin_.yt, PosXTreal(selFin_.xt, selFin_.yt));
  haysel = false;
  ColocaCursor(ini.xt, ini.yt, 0, false);
  ancla_ = selIni_ = selFin_ = selIniPrev_ = selFinPrev_ = Cursor();
  EtiquetaSeleccion();
}

void CtlEdit::SelectHasta(int32_t x, int32_t y) {
  ColocaCursor(x, y, 1);
  ExtiendeSeleccion();
}

void CtlEdit::SelecIdentificador(int32_t indice, int32_t y, int32_t largo) {
  if (nLin() == 0) return;
  ColocaCursor(PosXTexp(indice, y), y, 0);
  ancla_ = Cursor();
  int32_t yy = curYt, r = PosXTreal(curXt, curYt);
  AvanzaCaracteres(yy, r, largo);
  ColocaCursor(PosXTexp(r, yy), yy, 0);
  ExtiendeSeleccion();
}

void CtlEdit::SeleccionaTodo() {
  if (nLin() == 0) return;
  ColocaCursor(1, 1, 0);
  ancla_ = Cursor();
  ColocaCursor(LargoExpandido(linea(nLin()), nEspTab) + 1, nLin(), 0);
  ExtiendeSeleccion();
}

void CtlEdit::SelecLinea(int32_t y) {
  if (nLin() == 0) return;
  LimpiaSeleccion();
  ColocaCursor(1, y, 0);
  ancla_ = Cursor();
  ColocaCursor(kFinLinea, y, 0);
  ExtiendeSeleccion();
}

void CtlEdit::SeleccionaPalabra(int32_t x, int32_t y) {
  if (nLin() == 0) return;
  ColocaCursor(x, y, 1);
  int32_t a = curXt, b = curXt, n = static_cast<int32_t>(linact.size());
  while (a > 1 && EsCaracterPalabra(linact[a - 2])) --a;
  while (b <= n && EsCaracterPalabra(linact[b - 1])) ++b;
  ColocaCursor(a, curYt, 0);
  ancla_ = Cursor();
  ColocaCursor(b, curYt, 0);
  FijaColDeseada();
  ExtiendeSeleccion();
}

} // namespace zt
