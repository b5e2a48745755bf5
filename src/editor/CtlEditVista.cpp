// Layout of the control, scroll ranges and the scroll bars' handlers.
#include "editor/CtlEdit.h"
#include <algorithm>

namespace zt {

namespace {
constexpr int kAnchoEtiqueta[3] = {90, 150, 60}; // the fourth label takes the rest
constexpr int32_t kLineasSinEscala = 32700;      // a 16-bit bar counts lines one by one below this
} // namespace

int AnchoGutter(bool verNumLin, int32_t nLin) {
  if (!verNumLin) return 2;
  if (nLin < 101) return 19;
  if (nLin < 1001) return 26;
  if (nLin < 10001) return 33;
  if (nLin < 100001) return 40;
  return 47;
}

void CtlEdit::FijaSuperficie(Surface* s) {
  vista_.superficie = s;
  if (s) {
    MetricaCelda m = s->Metrica();
    anccarP = std::max(1, m.ancho);
    altcarP = std::max(1, m.alto);
  }
}

void CtlEdit::FijaTimer(Timer* t) {
  if (vista_.timer) vista_.timer->Detener();
  vista_.timer = t;
  if (!t) return;
  t->FijaTic([this] { TicCaret(); });
  t->Iniciar(perfil_.msTimer);
}

void CtlEdit::Redimensiona(int ancho, int alto) {
  vista_.ancho = std::max(0, ancho);
  vista_.alto = std::max(0, alto);
  vista_.conTamano = true;
  Refrescar();
}

void CtlEdit::FijaTamanosBarras(int grosorBarra, int altoEstado) {
  vista_.grosorBarra = std::max(0, grosorBarra);
  vista_.altoEstado = std::max(0, altoEstado);
}

void CtlEdit::Refrescar() {
  redibujoTotal = true;
  RedibujaTodo();
}

// Gutter, surface, bars and status labels from the control's size; then the visible counts.
void CtlEdit::Disposicion() {
  if (!vista_.conTamano) return;
  EstadoVista& v = vista_;
  int altoEst = verEstado ? v.altoEstado : 0;
  int grosorH = verDesHor ? v.grosorBarra : 0;
  int grosorV = verDesVer ? v.grosorBarra : 0;
  int altoArea = std::max(0, v.alto - altoEst - grosorH);
  int gutter = std::min(AnchoGutter(verNumLin, nLin()), v.ancho);
  v.geo.gutter = {0, 0, gutter, altoArea};
  v.geo.superficie = {gutter, 0, std::max(0, v.ancho - gutter - grosorV), altoArea};
  v.barraV.visible = verDesVer;
  v.barraV.r = {std::max(0, v.ancho - grosorV), 0, grosorV, altoArea};
  v.barraH.visible = verDesHor;
  v.barraH.r = {0, altoArea, std::max(0, v.ancho - grosorV), grosorH};
  int x = 0;
  for (int i = 0; i < 4; ++i) {
    const int fijo = i == 0 ? perfil_.anchoEtiqueta1 : i < 3 ? kAnchoEtiqueta[i] : v.ancho - x;
    int ancho = std::min(fijo, v.ancho - x);
    v.geo.etiquetas[static_cast<size_t>(i)] = verEstado ? Rect{x, v.alto - altoEst, ancho, altoEst} : Rect{};
    x += ancho;
  }
  columnasVis = v.geo.superficie.ancho / anccarP;
  lineasVis = v.geo.superficie.alto / altcarP;
}

// Ranges of both bars; the first visible line and column are brought inside them.
void CtlEdit::RangosScroll() {
  if (!vista_.conTamano) return;
  EstadoVista& v = vista_;
  primLinVis = std::clamp(primLinVis, 1, std::max(1, nLin()));
  v.divisorV = nLin() <= kLineasSinEscala ? 1 : nLin() / kLineasSinEscala + 1;
  int32_t mostradas = std::max(0, ultLinDibujada() - primLinVis + 1);
  v.barraV.habilitada = v.habilitado && lineasVis < nLin() + 1;
  if (lineasVis < nLin() + 1) {
    v.barraV.max = (nLin() - mostradas) / v.divisorV + 1;
    v.barraV.pasoGrande = std::max(1, mostradas);
  }
  int32_t ancho = anchoMax();
  int32_t maxH = 1;
  if (columnasVis < ancho + 1) {
    maxH = std::max(1, ancho - columnasVis + 2);
    v.barraH.max = maxH;
    v.barraH.pasoGrande = std::max(1, columnasVis);
  }
  v.barraH.habilitada = v.habilitado && columnasVis < ancho + 1;
  primColVis = std::clamp(primColVis, 1, maxH);
  v.barraH.valor = std::clamp(primColVis, v.barraH.min, v.barraH.max);
}

void CtlEdit::CambioVScroll(int valor) {
  EstadoVista& v = vista_;
  if (v.actualizandoBarras) return;
  v.barraV.valor = valor;
  // Value 1 is the first line; the bar's end shows the last lines even when a unit spans several.
  int64_t linea = valor >= v.barraV.max ? int64_t{valor} * v.divisorV : int64_t{valor - 1} * v.divisorV + 1;
  primLinVis = static_cast<int32_t>(std::clamp<int64_t>(linea, 1, std::max(1, nLin())));
  redibujoTotal = true;
  RedibujaTodo();
}

void CtlEdit::CambioHScroll(int valor) {
  if (vista_.actualizandoBarras) return;
  vista_.barraH.valor = valor;
  primColVis = std::max(1, valor);
  redibujoTotal = true;
  RedibujaTodo();
}

void CtlEdit::VerticalScroll(int16_t delta) {
  const BarraScroll& b = vista_.barraV;
  if (!b.habilitada) return;
  int valor = std::clamp(b.valor + delta, b.min, b.max);
  if (valor != b.valor) CambioVScroll(valor);
}

std::pair<int32_t, int32_t> CtlEdit::XYCursor() const {
  return {(curXt - primColVis + 1) * anccarP * kTwipsPorPixel,
          (curYt - primLinVis + 1) * altcarP * kTwipsPorPixel};
}

std::pair<int, int> CtlEdit::PuntoCursor() const { return {XColumna(curXt + 1), YLinea(curYt + 1)}; }

void CtlEdit::enabled(bool v) {
  if (v == vista_.habilitado) return;
  // A disabled surface loses the focus, and with it the caret.
  if (!v) ApagCursor();
  vista_.habilitado = v;
  if (!v) vista_.arrastre = false;
  Refrescar();
}

} // namespace zt
