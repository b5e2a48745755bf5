// The shared expression evaluator reading from the preprocessor's cursor, with its operands and
// its fifteen functions.
#pragma once
#include "script/Evaluador.h"

namespace zt::preproc {

class Preprocesador;

class ExprPreproc : public EvaluadorExpr {
public:
  explicit ExprPreproc(Preprocesador& p) : p_(p) {}

  bool CapBlancos() override;
  char32_t VerUno() override;
  void TomaUno() override;
  MarcaExpr Marca() override;
  void Vuelve(const MarcaExpr& m) override;
  ValorExpr CogOperando() override;
  ValorExpr Asigna(const ValorExpr& izq, const ValorExpr& der) override;
  bool HayError() const override;
  void FijaError(Texto mensaje) override;

private:
  ValorExpr Numero();
  ValorExpr Cadena();
  ValorExpr Parentesis();
  ValorExpr Funcion(const Texto& nombre);
  ValorExpr Variable();

  Preprocesador& p_;
};

} // namespace zt::preproc
