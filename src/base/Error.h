// The run-time error of the platform: a code and its Spanish description.
#pragma once
#include "base/Texto.h"
#include <stdexcept>

namespace zt {

enum class CodigoError : int {
  ArgumentoNoValido = 5,
  Desbordamiento = 6,
  SinMemoria = 7,
  SubindiceFuera = 9,
  DivisionPorCero = 11,
  TiposNoCoinciden = 13,
  CadenaMuyLarga = 14,
  NumeroArchivo = 52,
  ArchivoNoEncontrado = 53,
  ModoArchivo = 54,
  ArchivoYaAbierto = 55,
  FinArchivo = 62,
  AccesoDenegado = 70,
  ErrorRuta = 75,
  RutaNoEncontrada = 76,
};

// Spanish description in the platform's wording.
Texto DescripcionError(CodigoError codigo);

// The run-time error for a file that could not be opened, from the system's errno.
CodigoError ErrorDeApertura(int err);

class ErrorEjecucion : public std::runtime_error {
public:
  explicit ErrorEjecucion(CodigoError codigo);
  ErrorEjecucion(CodigoError codigo, Texto descripcion);
  CodigoError codigo() const { return codigo_; }
  const Texto& descripcion() const { return descripcion_; }

private:
  CodigoError codigo_;
  Texto descripcion_;
};

// What to tell the user of an exception: a run-time error's own description, else what() as text.
Texto DescripcionDe(const std::exception& e);

} // namespace zt
