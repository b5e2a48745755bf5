// Which form of the editor an instance is: word lists, comment marker, events, direct send.
#pragma once
#include "base/Texto.h"

namespace zt {

enum class FormaEditor {
  Comandos,      // ctlEdit: shell commands (command panel, remote editor)
  Macros,        // ctlEdit2: macro language
  Preprocesador, // the preprocessor program's copy
  Terminal,      // the terminal view's base
};

struct PerfilEditor {
  FormaEditor forma = FormaEditor::Comandos;
  int listaPalabras = 0;        // word-list id, resolved by the colouring code
  Texto marcaComentario = U"#"; // "#" or "//"
  bool eventosTeclado = true;   // raises KeyDown, TeclaEnter and MouseMove besides the other two
  bool envioDirecto = true;     // ModEnvDir changes Enter
  bool editable = true;         // false: CurInsertar, CurEliminar and CurEliminarB do nothing
  bool conDeshacer = true;      // false: nothing is recorded
  Texto fuente = U"Fixedsys";
  int msTimer = 250;            // caret timer period
  int anchoEtiqueta1 = 90;      // first status label, in pixels

  static PerfilEditor CtlEdit();
  static PerfilEditor CtlEdit2();
  static PerfilEditor Preprocesador();
  static PerfilEditor Terminal();
};

} // namespace zt
