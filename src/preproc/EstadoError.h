// The error state shared by every step of a preprocessing run.
#pragma once
#include "base/Texto.h"
#include <cstdint>

namespace zt::preproc {

// One error at a time: the first failure is recorded and every loop stops on it.
class EstadoError {
public:
  void Limpia();
  void Fija(int16_t codigo, Texto mensaje, Texto archivo, int32_t linea, int32_t columna = 0);
  bool HayError() const { return codigo_ > 0; }
  int16_t Codigo() const { return codigo_; }
  const Texto& Mensaje() const { return mensaje_; }
  const Texto& Archivo() const { return archivo_; }
  int32_t Linea() const { return linea_; }
  int32_t Columna() const { return columna_; }

private:
  int16_t codigo_ = 0;
  Texto mensaje_;
  Texto archivo_;
  int32_t linea_ = -1;
  int32_t columna_ = 0;
};

} // namespace zt::preproc
