// The Edit menu's rules: which items the current editor allows, and the commands that differ
// between the editors and the terminal view.
#pragma once
#include "base/Texto.h"
#include "editor/CtlEdit.h"
#include "platform/Clipboard.h"
#include <functional>

namespace zt {

// Enabled items and the column-mode check mark when the menu opens. "Limpiar" stands for the
// two clearing items of the terminal ("Limpiar Pantalla", "Limpiar Buffer").
struct EstadoMenuEdicion {
  bool Deshacer = false;
  bool Cortar = false;
  bool Pegar = false;
  bool Limpiar = false;
  bool ModColumna = false;
  friend bool operator==(const EstadoMenuEdicion&, const EstadoMenuEdicion&) = default;
};
EstadoMenuEdicion EstadoEdicion(const CtlEdit& ed, bool esTerminal);

// "Pegar": on the terminal view the clipboard's text goes to the host unchanged through
// 'SendData'; on an editor, PegaSeleccion.
void Pega(CtlEdit& ed, bool esTerminal, Clipboard& portapapeles,
          const std::function<void(const Texto&)>& SendData);

// "Modo Columna": 'marcado' is the check mark after the click; column selection while it is set.
void ModoColumna(CtlEdit& ed, bool marcado);

} // namespace zt
