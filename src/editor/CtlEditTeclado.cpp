// The key-down and character handlers.
#include "editor/CtlEdit.h"

namespace zt {

void CtlEdit::TeclaAbajo(int codigo, int shift) {
  if (perfil_.eventosTeclado && KeyDown) KeyDown(codigo, shift);
  if (codigo == tecla::LetraC && shift == tecla::Alt && CambiaModo) CambiaModo();
  if (codigo >= tecla::Shift && codigo <= tecla::Menu) return;
  if (alOfrecerTecla && alOfrecerTecla(codigo, shift)) return;
  bool ctrl = (shift & tecla::Ctrl) != 0, mayus = (shift & tecla::Mayus) != 0;
  if (Mover(codigo, ctrl)) {
    if (mayus) {
      ExtiendeSeleccion();
    } else {
      LimpiaSeleccion();
      ancla_ = Cursor();
      EncenCursor();
      if (redibujoTotal) RedibujaTodo();
    }
  } else {
    switch (codigo) {
    case tecla::Retroceso: CurEliminarB(); break;
    case tecla::Enter: TeclaEnterPulsada(shift); break;
    case tecla::Insertar:
      if (ctrl)
        CopiaSeleccion();
      else if (mayus)
        PegaSeleccion();
      break;
    case tecla::Suprimir:
      if (mayus)
        CortaSeleccion();
      else
        CurEliminar(false);
      break;
    case tecla::F5:
      redibujoTotal = true;
      RedibujaTodo();
      break;
    default: break;
    }
  }
  if (alTeclaProcesada) alTeclaProcesada(codigo, shift);
}

void CtlEdit::TeclaEnterPulsada(int shift) {
  if (perfil_.eventosTeclado && TeclaEnter) TeclaEnter(linact, shift);
  if (shift != 0 || !ModEnvDir || !perfil_.envioDirecto) {
    CurInsertar(U"\r\n");
  } else if (curYt < nLin()) {
    ColocaCursor(colDeseada_, curYt + 1, 1);
    LimpiaSeleccion();
    ancla_ = Cursor();
    EncenCursor();
    if (redibujoTotal) RedibujaTodo();
  } else {
    ColocaCursor(anchoMax_ + 1, curYt, 0);
    FijaColDeseada();
    CurInsertar(U"\r\n");
  }
}

void CtlEdit::TeclaCaracter(char32_t c) {
  if ((c > 31 && c != 127) || c == U'\t') CurInsertar(Texto(1, c));
  if (alCaracter) alCaracter(c);
}

} // namespace zt
