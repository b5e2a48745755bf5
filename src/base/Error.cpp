// Spanish descriptions of the run-time errors, in the platform's wording.
#include "base/Error.h"
#include <cerrno>

namespace zt {

Texto DescripcionError(CodigoError codigo) {
  switch (codigo) {
  case CodigoError::ArgumentoNoValido: return T("Llamada a procedimiento o argumento no válidos");
  case CodigoError::Desbordamiento: return T("Desbordamiento");
  case CodigoError::SinMemoria: return T("Memoria insuficiente");
  case CodigoError::SubindiceFuera: return T("El subíndice está fuera del intervalo");
  case CodigoError::DivisionPorCero: return T("División por cero");
  case CodigoError::TiposNoCoinciden: return T("No coinciden los tipos");
  case CodigoError::CadenaMuyLarga: return T("Espacio insuficiente para cadenas");
  case CodigoError::NumeroArchivo: return T("Número de archivo incorrecto");
  case CodigoError::ArchivoNoEncontrado: return T("No se ha encontrado el archivo");
  case CodigoError::ModoArchivo: return T("Modo de archivo incorrecto");
  case CodigoError::ArchivoYaAbierto: return T("El archivo ya está abierto");
  case CodigoError::FinArchivo: return T("La entrada pasa del final del archivo");
  case CodigoError::AccesoDenegado: return T("Permiso denegado");
  case CodigoError::ErrorRuta: return T("Error de acceso a la ruta o el archivo");
  case CodigoError::RutaNoEncontrada: return T("No se ha encontrado la ruta de acceso");
  }
  return T("Error definido por la aplicación o el objeto");
}

ErrorEjecucion::ErrorEjecucion(CodigoError codigo) : ErrorEjecucion(codigo, DescripcionError(codigo)) {}

ErrorEjecucion::ErrorEjecucion(CodigoError codigo, Texto descripcion)
    : std::runtime_error(U8(descripcion)), codigo_(codigo), descripcion_(std::move(descripcion)) {}

CodigoError ErrorDeApertura(int err) {
  switch (err) {
  case ENOENT:
  case ENOTDIR: return CodigoError::RutaNoEncontrada;
  case EACCES:
  case EPERM:
  case EROFS: return CodigoError::AccesoDenegado;
  default: return CodigoError::ErrorRuta;
  }
}

Texto DescripcionDe(const std::exception& e) {
  if (const auto* r = dynamic_cast<const ErrorEjecucion*>(&e)) return r->descripcion();
  return T(e.what());
}

} // namespace zt
