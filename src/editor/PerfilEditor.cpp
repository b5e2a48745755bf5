// The four forms of the editor.
#include "editor/PerfilEditor.h"

namespace zt {

PerfilEditor PerfilEditor::CtlEdit() { return {}; }

PerfilEditor PerfilEditor::CtlEdit2() {
  PerfilEditor p;
  p.forma = FormaEditor::Macros;
  p.listaPalabras = 1;
  p.marcaComentario = U"//";
  return p;
}

PerfilEditor PerfilEditor::Preprocesador() {
  PerfilEditor p = CtlEdit2();
  p.forma = FormaEditor::Preprocesador;
  p.eventosTeclado = false;
  p.envioDirecto = false;
  p.fuente = U"Courier New";
  return p;
}

PerfilEditor PerfilEditor::Terminal() {
  PerfilEditor p;
  p.forma = FormaEditor::Terminal;
  p.listaPalabras = 2;
  p.envioDirecto = false;
  p.editable = false;
  p.conDeshacer = false;
  p.msTimer = 100;
  p.anchoEtiqueta1 = 200; // the connection panel
  return p;
}

} // namespace zt
