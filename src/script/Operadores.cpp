// The operator rows of the shared expression evaluator.
#include "base/Comodin.h"
#include "base/Error.h"
#include "base/Numeros.h"
#include "script/Evaluador.h"
#include <cmath>
#include <cstdint>
#include <limits>

namespace zt {
namespace {

const Texto kVerdad = U"1";
const Texto kFalso = U"0";

// Number text of a double result; an infinite or undefined result is the platform's fault.
Texto TextoResultado(double v) {
  if (std::isinf(v)) throw ErrorEjecucion(CodigoError::Desbordamiento);
  if (std::isnan(v)) throw ErrorEjecucion(CodigoError::ArgumentoNoValido);
  return TextoDoble(v);
}

Texto TextoEntero(int64_t v) {
  Texto t;
  const bool negativo = v < 0;
  uint64_t u = negativo ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
  do {
    t.insert(t.begin(), static_cast<char32_t>(U'0' + u % 10));
    u /= 10;
  } while (u != 0);
  if (negativo) t.insert(t.begin(), U'-');
  return t;
}

Texto Potencia(double l, double r) {
  if (l == 0 && r < 0) throw ErrorEjecucion(CodigoError::DivisionPorCero);
  return TextoResultado(std::pow(l, r));
}

// "\" and "%": both sides rounded to 32-bit integers (halves to even); a divisor that rounds to
// zero is the platform's division fault.
Texto DivisionEntera(double l, double r, bool resto) {
  const int64_t a = AEntero32(l);
  const int64_t b = AEntero32(r);
  if (b == 0) throw ErrorEjecucion(CodigoError::DivisionPorCero);
  if (resto) return TextoEntero(a % b);
  const int64_t q = a / b;
  if (q > std::numeric_limits<int32_t>::max()) throw ErrorEjecucion(CodigoError::Desbordamiento);
  return TextoEntero(q);
}

bool TieneFilaNumerica(VistaTexto oper) {
  for (VistaTexto o : {U"+", U"-", U"*", U"/", U"\\", U"%", U"^", U"++", U"--", U"&&", U"||", U"!"})
    if (o == oper) return true;
  return false;
}

const Texto& Verdad(bool v) { return v ? kVerdad : kFalso; }

} // namespace

ValorExpr EvaluadorExpr::AplicaOperador(const ValorExpr& izq, VistaTexto oper, const ValorExpr& der) {
  return AplicaOperador(ValorExpr(izq), oper, der);
}

// The loop hands over its left operand: its source text and, for "|", its value grow in place
// instead of being copied at every operator, which would make long chains quadratic.
ValorExpr EvaluadorExpr::AplicaOperador(ValorExpr&& izq, VistaTexto oper, const ValorExpr& der) {
  ValorExpr r = Aplica(izq, oper, der);
  r.texto = std::move(izq.texto);
  r.texto += oper;
  r.texto += der.texto;
  return r;
}

// Everything of a row but the source text.
ValorExpr EvaluadorExpr::Aplica(ValorExpr& izq, VistaTexto oper, const ValorExpr& der) {
  ValorExpr r = oper == U"=" ? Asigna(izq, der) : ValorExpr{};
  r.clase = ClaseOperacion;
  r.oper = oper;
  if (oper == U"=") return r;

  // Rows that treat their operands as text.
  auto logico = [&](bool v) { r.valor = Verdad(v); r.tipo = TipoNumero; };
  if (oper == U"==") logico(izq.valor == der.valor);
  else if (oper == U"<>") logico(izq.valor != der.valor);
  else if (oper == U">") logico(izq.valor > der.valor);
  else if (oper == U"<") logico(izq.valor < der.valor);
  else if (oper == U">=") logico(izq.valor >= der.valor);
  else if (oper == U"<=") logico(izq.valor <= der.valor);
  else if (oper == U"~") logico(CoincideComodin(izq.valor, der.valor));
  else if (oper == U"|") {
    CompruebaLargo(izq.valor.size() + der.valor.size());
    r.valor = std::move(izq.valor);
    r.valor += der.valor;
    r.tipo = TipoTexto;
  } else AplicaNumerico(r, izq.valor, oper, der.valor);
  return r;
}

// A side is read as a number only by the rows that use it: an operator without a row, and the
// unused right side of "++", "--" and "!", never turn a text too large for a number into an
// overflow.
void EvaluadorExpr::AplicaNumerico(ValorExpr& r, VistaTexto izq, VistaTexto oper, VistaTexto der) {
  auto numero = [&](Texto v) { r.valor = std::move(v); r.tipo = TipoNumero; };
  auto logico = [&](bool v) { numero(Verdad(v)); };
  if (!TieneFilaNumerica(oper))
    return FijaError(T("No se reconoce operador: '") + Texto(oper) + T("' "));
  const double l = LeeNumero(izq);
  if (oper == U"++") return numero(TextoResultado(l + 1));
  if (oper == U"--") return numero(TextoResultado(l - 1));
  if (oper == U"!") return logico(l != 1);
  const double d = LeeNumero(der);
  if (oper == U"+") numero(TextoResultado(l + d));
  else if (oper == U"-") numero(TextoResultado(l - d));
  else if (oper == U"*") numero(TextoResultado(l * d));
  else if (oper == U"/" || oper == U"\\" || oper == U"%") {
    if (d == 0) return FijaError(T("No se puede dividir por cero."));
    numero(oper == U"/" ? TextoResultado(l / d) : DivisionEntera(l, d, oper == U"%"));
  } else if (oper == U"^") {
    if (l == 0 && d == 0) return FijaError(T("No se puede Evaluar 0^0"));
    numero(Potencia(l, d));
  } else if (oper == U"&&") logico(l == 1 && d == 1);
  else logico(l != 0 || d != 0);  // "||"
}

} // namespace zt
