// The Edit menu on the current editor.
#include "workspace/MenuEdicion.h"

namespace zt {

EstadoMenuEdicion EstadoEdicion(const CtlEdit& ed, bool esTerminal) {
  EstadoMenuEdicion e;
  e.Deshacer = !esTerminal && ed.nUndo() != 0;
  e.Cortar = !esTerminal;
  e.Pegar = true;
  e.Limpiar = esTerminal;
  e.ModColumna = ed.TipoSelec() != 0;
  return e;
}

void Pega(CtlEdit& ed, bool esTerminal, Clipboard& portapapeles,
          const std::function<void(const Texto&)>& SendData) {
  if (!esTerminal) {
    ed.PegaSeleccion();
    return;
  }
  const auto texto = portapapeles.LeeTexto();
  if (texto && !texto->empty() && SendData) SendData(*texto);
}

void ModoColumna(CtlEdit& ed, bool marcado) {
  ed.TipoSelec(marcado ? 1 : 0);
  ed.RedibujaTodo();
}

} // namespace zt
