// The bounded undo history and the modified state.
#include "editor/CtlEdit.h"

namespace zt {

void CtlEdit::Registra(int16_t tipo, PosTexto pos, const Texto &texto, bool flujo) {
  if (!perfil_.conDeshacer || deshaciendo_) return;
  // Undone below the saved state: a new edit makes that state unreachable.
  if (nUndo_ < marcaGuardado_) marcaGuardado_ = -1;
  if (largoHistoria_ > kMaxTextoDeshacer) LimpiaDeshacer();
  while (nUndo_ >= kMaxDeshacer) {
    largoHistoria_ -= historia_.front().texto.size();
    historia_.pop_front();
    --nUndo_;
    if (--marcaGuardado_ < 0) marcaGuardado_ = -1;
  }
  historia_.push_back({tipo, pos, texto, flujo});
  largoHistoria_ += texto.size();
  ++nUndo_;
  EtiquetaModificado();
}

void CtlEdit::LimpiaDeshacer() {
  marcaGuardado_ = marcaGuardado_ == nUndo_ ? 0 : -1;
  historia_.clear();
  nUndo_ = 0;
  largoHistoria_ = 0;
  deshaciendo_ = false;
  EtiquetaModificado();
}

void CtlEdit::FijarTextNoModif() {
  marcaGuardado_ = nUndo_;
  EtiquetaModificado();
}

void CtlEdit::Deshacer() {
  if (historia_.empty() || bloqText || !perfil_.editable) {
    EtiquetaModificado();
    return;
  }
  RegDeshacer e = historia_.back();
  // A live selection would be replaced by the re-inserted text.
  if (haysel) LimpiaSeleccion();
  deshaciendo_ = true;
  switch (e.tipo) {
  case 1:
    ColocaCursor(e.pos.xt, e.pos.yt, 1);
    CurEliminarCad(e.texto);
    break;
  case -1: {
    int16_t modo = tipoSelec_;
    if (e.flujo) tipoSelec_ = 0;
    ColocaCursor(e.pos.xt, e.pos.yt, 1);
    CurInsertar(e.texto);
    tipoSelec_ = modo;
    break;
  }
  case 2: {
    int16_t modo = tipoSelec_;
    tipoSelec_ = 0;
    ColocaCursor(e.pos.xt, e.pos.yt, 1);
    CurEliminarCad(e.texto);
    tipoSelec_ = modo;
    break;
  }
  case 3: tipoSelec_ = 0; break;
  case -3: tipoSelec_ = 1; break;
  default: break;
  }
  deshaciendo_ = false;
  largoHistoria_ -= historia_.back().texto.size();
  historia_.pop_back();
  --nUndo_;
  FijaColDeseada();
  ancla_ = Cursor();
  EtiquetaModificado();
}

} // namespace zt
