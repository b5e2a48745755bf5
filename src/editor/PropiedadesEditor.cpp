// The editor's display switches and colours through the property string.
#include "editor/CtlEdit.h"

namespace zt {

Texto CtlEdit::CadPropiedades() const { return zt::CadPropiedades(Propiedades()); }

void CtlEdit::LeePropiedades(VistaTexto s) {
  PropiedadesEditor p = Propiedades();
  try {
    zt::LeePropiedades(p, s);
  } catch (...) {
    FijaPropiedades(p);
    throw;
  }
  FijaPropiedades(p);
}

PropiedadesEditor CtlEdit::Propiedades() const { return {verEstado, verDesHor, verDesVer, verNumLin, colores}; }

void CtlEdit::FijaPropiedades(const PropiedadesEditor& p) {
  verEstado = p.verEstado;
  verDesHor = p.verDesHor;
  verDesVer = p.verDesVer;
  verNumLin = p.verNumLin;
  colores = p.colores;
}

} // namespace zt
