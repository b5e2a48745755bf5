// The error state shared by every step of a preprocessing run.
#include "preproc/EstadoError.h"

namespace zt::preproc {

void EstadoError::Limpia() {
  codigo_ = 0;
  mensaje_.clear();
  archivo_.clear();
  linea_ = -1;
  columna_ = 0;
}

void EstadoError::Fija(int16_t codigo, Texto mensaje, Texto archivo, int32_t linea, int32_t columna) {
  codigo_ = codigo;
  mensaje_ = std::move(mensaje);
  archivo_ = std::move(archivo);
  linea_ = linea;
  columna_ = columna;
}

} // namespace zt::preproc
