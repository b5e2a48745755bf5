// InicBuscar and BuscarSig: forward from the cursor to the end of the range, no wrap-around.
#include "editor/CtlEdit.h"
#include <algorithm>

namespace zt {

PosBusqueda CtlEdit::FinTexto() const {
  if (nLin() == 0) return {1, 1};
  return {static_cast<int32_t>(LineaFin(linea(nLin())).size()) + 1, nLin()};
}

void CtlEdit::InicBuscar(const Texto& texto, int16_t alcance, bool ignMayus, bool palCompleta) {
  EstadoBusqueda& b = busqueda_;
  if (alcance == 0) {
    b.desde = {1, 1};
    b.hasta = FinTexto();
    b.todoElTexto = true;
  } else if (alcance == 1) {
    b.desde = {selIni_.xt, selIni_.yt};
    b.hasta = {selFin_.xt, selFin_.yt};
    b.todoElTexto = false;
  }
  b.pos = b.desde;
  b.texto = texto;
  b.ignMayus = ignMayus;
  b.palCompleta = palCompleta;
}

Texto CtlEdit::BuscarSig() {
  EstadoBusqueda& b = busqueda_;
  if (b.texto.empty()) return {};  // nothing asked for yet
  if (b.todoElTexto) b.hasta = FinTexto();  // the whole text as it is now, not as it was
  b.pos = {curXt, curYt};
  if (b.pos.xt == 0 || b.hasta.xt == 0) return {};
  b.hasta = std::min(b.hasta, FinTexto());
  if (b.pos > b.hasta) return {};
  // A search in a selection never finds text before it, wherever the cursor was left.
  b.pos = std::max(b.pos, b.desde);
  for (int32_t y = b.pos.yt; y <= b.hasta.yt; ++y) {
    const Texto& l = linea(y);
    int32_t desde = y == b.pos.yt ? PosXTreal(b.pos.xt, y) - 1 : 0;
    int32_t hasta = y == b.hasta.yt ? PosXTreal(b.hasta.xt, y) - 1 : static_cast<int32_t>(l.size());
    int32_t i = BuscaEnLinea(l, b.texto, desde, hasta, b.ignMayus, b.palCompleta);
    if (i < 0) continue;
    LimpiaSeleccion();
    redibujoTotal = true;
    ColocaCursor(PosXTexp(i + 1, y), y, 0);
    FijaAncla();
    ColocaCursor(PosXTexp(i + 1 + static_cast<int32_t>(b.texto.size()), y), y, 0);
    FijaColDeseada();
    ExtiendeSeleccion();
    return b.texto;
  }
  Aviso(U"No se encuentra el texto: '" + b.texto + U"'", Icono::Exclamacion);
  return b.texto;
}

} // namespace zt
