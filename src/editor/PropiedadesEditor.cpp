// The editor's display switches and colours through the property string.
#include "editor/CtlEdit.h"

namespace zt {

Texto CtlEdit::CadPropiedades() const {
  return zt::CadPropiedades({verEstado, verDesHor, verDesVer, verNumLin, colores});
}

void CtlEdit::LeePropiedades(VistaTexto s) {
  PropiedadesEditor p{verEstado, verDesHor, verDesVer, verNumLin, colores};
  auto guarda = [&] {
    verEstado = p.verEstado;
    verDesHor = p.verDesHor;
    verDesVer = p.verDesVer;
    verNumLin = p.verNumLin;
    colores = p.colores;
  };
  try {
    zt::LeePropiedades(p, s);
  } catch (...) {
    guarda();
    throw;
  }
  guarda();
}

} // namespace zt
