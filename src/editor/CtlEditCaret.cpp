// The caret: a two-pixel bar drawn on the surface, erased by repainting its cell, blinking on a tick.
#include "editor/CtlEdit.h"

namespace zt {

// EncenCursor: shown at once at the cursor, and the blink period starts again.
void CtlEdit::ReiniciaCaret() {
  // A view that scrolled must be repainted before the caret is placed on it.
  if (redibujoTotal) RedibujaTodo();
  vista_.parpadeo = true;
  vista_.contador = 0;
  BorraCaret();
  DibujaCaret();
  if (alCambiarVista) alCambiarVista();
}

void CtlEdit::ApagCursor() {
  vista_.parpadeo = false;
  BorraCaret();
}

void CtlEdit::TicCaret() {
  if (vista_.parpadeo && ++vista_.contador >= 2) {
    vista_.contador = 0;
    if (vista_.caretMostrado)
      BorraCaret();
    else
      DibujaCaret();
  }
  if (alTic) alTic();
}

void CtlEdit::DibujaCaret() {
  // The current-line band follows the cursor to its new line.
  if (vista_.caret.y != curYt) {
    int32_t vieja = vista_.caret.y;
    vista_.caret.y = curYt;
    PintaLinea(vieja, true);
    PintaLinea(curYt, true);
  }
  vista_.caret = {curXt, curYt};
  vista_.caretMostrado = true;
  if (!vista_.superficie || !CeldaVisible(curXt, curYt)) return;
  Color color = tipoSelec_ != 0 ? RGB(255, 0, 0) : colores.ColTxtNor;
  vista_.superficie->LlenaRect(XColumna(curXt), YLinea(curYt), 2, altcarP, color);
}

void CtlEdit::BorraCaret() {
  if (!vista_.caretMostrado) return;
  vista_.caretMostrado = false;
  PintaCelda(vista_.caret.x, vista_.caret.y);
}

} // namespace zt
