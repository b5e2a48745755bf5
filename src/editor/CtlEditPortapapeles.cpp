// Copy, cut and paste through the platform clipboard.
#include "editor/CtlEdit.h"

namespace zt {

void CtlEdit::CopiaSeleccion() {
  if (nLin() == 0 || !portapapeles_) return;
  portapapeles_->PonTexto(haysel ? TextSel() : Texto());
}

// A cut whose copy did not reach the clipboard keeps the text.
void CtlEdit::CortaSeleccion() {
  if (nLin() == 0 || !portapapeles_) return;
  if (!portapapeles_->PonTexto(haysel ? TextSel() : Texto())) return;
  if (haysel) CurEliminar(false);
}

void CtlEdit::PegaSeleccion() {
  std::optional<Texto> t;
  if (portapapeles_) t = portapapeles_->LeeTexto();
  if (!t) {
    Aviso(U"Error Leyendo el portapapeles.", Icono::Exclamacion);
    return;
  }
  if (!t->empty()) CurInsertar(*t);
}

} // namespace zt
