// Construction, whole-text operations, column wrappers, redraw requests and status labels.
#include "editor/CtlEdit.h"
#include "editor/Columnas.h"
#include <algorithm>

namespace zt {

CtlEdit::CtlEdit(PerfilEditor perfil, Dialogs *dialogos, Clipboard *portapapeles)
    : perfil_(std::move(perfil)), dialogos_(dialogos), portapapeles_(portapapeles) {
  EnlazaColores();
  lblEstado3.texto = U"DOS";
  EtiquetaModificado();
  EtiquetaPosicion();
  EtiquetaSeleccion();
}

std::vector<Texto> PartirEnSaltos(VistaTexto s) {
  std::vector<Texto> piezas;
  size_t inicio = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != U'\r' && s[i] != U'\n') continue;
    piezas.emplace_back(s.substr(inicio, i - inicio));
    if (s[i] == U'\r' && i + 1 < s.size() && s[i + 1] == U'\n') ++i;
    inicio = i + 1;
  }
  piezas.emplace_back(s.substr(inicio));
  return piezas;
}

Texto UneConSaltos(const std::vector<Texto> &piezas) {
  Texto r;
  for (size_t i = 0; i < piezas.size(); ++i) {
    if (i) r += U"\r\n";
    r += piezas[i];
  }
  return r;
}

const Texto &CtlEdit::linea(int32_t y) const {
  static const Texto vacia;
  return lineas_.Existe(y) ? lineas_.Linea(y) : vacia;
}

void CtlEdit::LimpiarLineas() {
  lineas_.Elimina(1, nLin());
  anchoMax_ = 1;
}

void CtlEdit::AgregaLinea(const Texto &texto) {
  lineas_.Inserta(nLin() + 1, {texto});
  CrecerAncho(LargoExpandido(texto, nEspTab));
}

void CtlEdit::EliminarLineas(int32_t primera, int32_t cuenta) {
  if (primera < 1 || primera > nLin() || cuenta < 1 || cuenta > nLin()) return;
  lineas_.Elimina(primera, cuenta);
}

void CtlEdit::ReinicColEdi() {
  if (lineas_.alCambiar && nLin() > 0) lineas_.alCambiar(1, nLin());
}

void CtlEdit::TabToSpaces() {
  for (int32_t y = 1; y <= nLin(); ++y)
    if (lineas_.Linea(y).find(U'\t') != Texto::npos)
      lineas_.Cambia(y, zt::LineaFin(lineas_.Linea(y), nEspTab));
  ActualizaLinact();
  LimpiaDeshacer();
  redibujoTotal = true;
  RedibujaTodo();
}

void CtlEdit::Text(const Texto &texto) {
  LimpiarLineas();
  if (!texto.empty()) {
    std::vector<Texto> piezas = PartirEnSaltos(texto);
    int32_t ancho = 1;
    for (const Texto &p : piezas) ancho = std::max(ancho, LargoExpandido(p, nEspTab));
    lineas_.Inserta(1, std::move(piezas));
    CrecerAncho(ancho);
  }
  haysel = false;
  ColocaCursor(kFinLinea, nLin(), 0, false);
  ancla_ = selIni_ = selFin_ = Cursor();
  redibujoTotal = true;
  RedibujaTodo();
}

Texto CtlEdit::Text() const {
  Texto r;
  size_t total = 0;
  for (int32_t y = 1; y <= nLin(); ++y) total += lineas_.Linea(y).size() + 2;
  r.reserve(total);
  for (int32_t y = 1; y <= nLin(); ++y) {
    if (y > 1) r += U"\r\n";
    r += lineas_.Linea(y);
  }
  return r;
}

Texto CtlEdit::LineaFin(VistaTexto s) const { return zt::LineaFin(s, nEspTab); }
int32_t CtlEdit::posFinTab(int32_t c) const { return zt::posFinTab(c, nEspTab); }
int32_t CtlEdit::PosXTreal(int32_t x, int32_t y) const { return zt::PosXTreal(x, linea(y), nEspTab); }
int32_t CtlEdit::PosXTexp(int32_t i, int32_t y) const { return zt::PosXTexp(i, linea(y), nEspTab); }

void CtlEdit::CrecerAncho(int32_t largoExpandido) {
  if (largoExpandido > anchoMax_) anchoMax_ = largoExpandido;
}

void CtlEdit::RedibujaLinea(int32_t y) {
  if (redibujoTotal) {
    RedibujaTodo();
    return;
  }
  DibujaLinea(y);
  if (alRedibujarLinea) alRedibujarLinea(y);
}

void CtlEdit::RedibujaTodo() {
  redibujoTotal = false;
  DibujaTodo();
  if (alRedibujarTodo) alRedibujarTodo();
}

void CtlEdit::ArchivosSoltados(const std::vector<Texto> &rutas) {
  if (!rutas.empty() && ArchivoSoltado) ArchivoSoltado(rutas.front());
}

void CtlEdit::EncenCursor() {
  ReiniciaCaret();
  if (alReiniciarCaret) alReiniciarCaret();
}

void CtlEdit::Aviso(const Texto &texto, Icono icono) {
  if (dialogos_) dialogos_->Mensaje(texto, U"", Botones::Aceptar, icono);
}

void CtlEdit::EtiquetaPosicion() {
  lblEstado2.texto = U"Fil=" + T(std::to_string(curYt)) + U" Col=" + T(std::to_string(curXt));
}

void CtlEdit::EtiquetaModificado() {
  if (perfil_.forma == FormaEditor::Terminal) return; // there the first label is the connection panel
  if (TextModificado())
    lblEstado1 = {U"Modificado", RGB(255, 0, 0)};
  else
    lblEstado1 = {U"Guardado", RGB(0, 128, 0)};
}

void CtlEdit::EtiquetaSeleccion() {
  if (selIni_ == selFin_)
    lblEstado4.texto = T("sin selección");
  else
    lblEstado4.texto = T(std::to_string(selFin_.xt - selIni_.xt)) + U" Col. seleccionados";
}

} // namespace zt
