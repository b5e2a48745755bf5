// Helpers of the interpreter tests: load a text and evaluate it, reading results as UTF-8.
#pragma once
#include "base/Error.h"
#include "script/Interprete.h"
#include <string>

namespace zt::prueba {

struct Resultado {
  std::string valor;
  std::string error; // MensajeError
  std::string fallo; // description of a run-time error, empty when none was thrown
  ValorExpr expr;
};

inline Resultado Evalua(CInterprete& in, const std::string& texto, bool modoComp = false) {
  Resultado r;
  in.MensajeError.clear();
  in.CreaContenido(T(texto));
  try {
    r.expr = in.EvalExpresion(0, modoComp);
  } catch (const ErrorEjecucion& e) {
    r.fallo = U8(e.descripcion());
  }
  r.valor = U8(r.expr.valor);
  r.error = U8(in.MensajeError);
  return r;
}

} // namespace zt::prueba
