// The answer a message box gives when nobody can press a button.
#pragma once
#include "platform/Dialogs.h"

namespace zt {

// 'porDefecto' when given; else Si for the yes/no forms, Cancelar for retry/cancel (a retry
// nobody chose could loop for ever) and Aceptar otherwise.
inline Respuesta RespuestaPorDefecto(Botones botones, std::optional<Respuesta> porDefecto = {}) {
  if (porDefecto) return *porDefecto;
  switch (botones) {
  case Botones::SiNo:
  case Botones::SiNoCancelar: return Respuesta::Si;
  case Botones::ReintentarCancelar: return Respuesta::Cancelar;
  case Botones::Aceptar:
  case Botones::AceptarCancelar: break;
  }
  return Respuesta::Aceptar;
}

} // namespace zt
