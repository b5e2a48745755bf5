// Operator reading, level table and precedence climbing of the shared expression evaluator.
#include "script/Evaluador.h"
#include "base/Error.h"
#include <array>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace zt {
namespace {

struct NivelOp {
  std::u32string_view oper;
  int16_t nivel;
};

constexpr std::array<NivelOp, 33> kNiveles{{
    {U"^", 8}, {U"++", 8}, {U"--", 8}, {U"+=", 8}, {U"-=", 8}, {U"*=", 8}, {U"/=", 8},
    {U"=<", 7}, {U"=>", 7},
    {U"*", 6}, {U"/", 6}, {U"\\", 6}, {U"%", 6},
    {U"+", 5}, {U"-", 5}, {U"|", 5}, {U"&", 5},
    {U"==", 4}, {U"<>", 4}, {U">", 4}, {U">=", 4}, {U"<", 4}, {U"<=", 4}, {U"~", 4},
    {U"&&", 3}, {U"||", 3}, {U"!", 3}, {U"|!", 3},
    {U"=", 2},
    {U">>", 1}, {U"<<", 1}, {U">+", 1}, {U">-", 1},
}};

constexpr std::u32string_view kCaracteresOp = U"~&|!><=^*/\\%+-";

// After the first character of an operator, each check peeks one character and, when it
// matches, takes it and replaces the operator text. Checks run in order and independently.
struct Continuacion {
  char32_t primero;
  char32_t siguiente;
  std::u32string_view resultado;
};

constexpr std::array<Continuacion, 19> kContinuaciones{{
    {U'+', U'+', U"++"}, {U'+', U'=', U"+="},
    {U'-', U'-', U"--"}, {U'-', U'=', U"-="},
    {U'*', U'=', U"*="},
    {U'/', U'=', U"/="},
    {U'=', U'=', U"=="}, {U'=', U'<', U"=<"}, {U'=', U'>', U"=>"},
    {U'>', U'=', U">="}, {U'>', U'>', U">>"}, {U'>', U'+', U">+"}, {U'>', U'-', U">-"},
    {U'<', U'=', U"<="}, {U'<', U'>', U"<>"}, {U'<', U'<', U"<<"},
    {U'|', U'|', U"||"}, {U'|', U'!', U"|!"},
    {U'&', U'&', U"&&"},
}};

constexpr bool SoloCaracteresOp(std::u32string_view s) {
  for (char32_t c : s)
    if (kCaracteresOp.find(c) == std::u32string_view::npos) return false;
  return !s.empty();
}

constexpr bool TablasCoherentes() {
  for (const auto& n : kNiveles)
    if (!SoloCaracteresOp(n.oper) || n.nivel < 1 || n.nivel > 8) return false;
  for (const auto& c : kContinuaciones) {
    bool tieneNivel = false;
    for (const auto& n : kNiveles) tieneNivel = tieneNivel || n.oper == c.resultado;
    if (!tieneNivel) return false;
  }
  return true;
}
static_assert(TablasCoherentes(), "every operator the reader can produce must have a level");

} // namespace

int16_t jerOp(VistaTexto oper) {
  for (const auto& n : kNiveles)
    if (n.oper == oper) return n.nivel;
  return 0;
}

bool EsCaracterOperador(char32_t c) {
  return c != 0 && kCaracteresOp.find(c) != std::u32string_view::npos;
}

Texto EvaluadorExpr::cogOperador() {
  CapBlancos();
  const char32_t primero = VerUno();
  if (!EsCaracterOperador(primero)) return {};
  const MarcaExpr antes = Marca();
  TomaUno();
  Texto oper(1, primero);
  if (primero == U'/' && VerUno() == U'/') {
    Vuelve(antes);  // a "//" comment ends the expression
    return {};
  }
  for (const auto& c : kContinuaciones) {
    if (c.primero != primero || VerUno() != c.siguiente) continue;
    TomaUno();
    oper = c.resultado;
  }
  return oper;
}

Texto EvaluadorExpr::LeeOperador(bool modoComp) {
  Texto op = cogOperador();
  if (modoComp && op == U"=") op = U"==";
  return op;
}

ValorExpr EvaluadorExpr::EvalExpresion(int16_t nivel, bool modoComp) {
  Profundidad guarda(profundidad_);
  if (profundidad_ > ProfundidadMaximaExpr) return Demasiado();
  if (profundidad_ > 1) return Escala(nivel, modoComp);
  // By here the values that exhausted memory are gone, so building the error can succeed.
  try {
    return Escala(nivel, modoComp);
  } catch (const std::bad_alloc&) {
    throw ErrorEjecucion(CodigoError::SinMemoria);
  } catch (const std::length_error&) {
    throw ErrorEjecucion(CodigoError::CadenaMuyLarga);
  }
}

void EvaluadorExpr::CompruebaLargo(size_t largo) const {
  if (largo > limiteTexto) throw ErrorEjecucion(CodigoError::CadenaMuyLarga);
}

// The precedence-climbing loop: operators of equal level apply left to right; a tighter
// operator after the right operand makes that operand a sub-expression.
ValorExpr EvaluadorExpr::Escala(int16_t nivel, bool modoComp) {
  CapBlancos();
  ValorExpr izq = CogOperando();
  if (HayError() || izq.texto.empty()) return {};
  Texto op = LeeOperador(modoComp);
  if (op.empty()) return izq;
  if (jerOp(op) <= nivel) return izq;
  return Sube(std::move(izq), std::move(op), nivel, modoComp);
}

// Climbs from an operand already read and the operator after it (whose level is above nivel).
// The tighter-binding right operand continues from what was read instead of going back and
// reading it again: a second reading would call its functions twice and, with nesting, double
// the work at every level.
ValorExpr EvaluadorExpr::Sube(ValorExpr izq, Texto op, int16_t nivel, bool modoComp) {
  int16_t lvl = jerOp(op);
  for (;;) {
    if (op.empty()) {
      izq.clase = ClaseOperacion;
      return izq;
    }
    ValorExpr der = CogOperando();
    if (HayError()) return {};  // keep the first message, it names the real fault
    if (der.texto.empty()) {
      FijaError(T("Se esperaba expresión después de: ") + izq.texto + op);
      return {};
    }
    const MarcaExpr p2 = Marca();
    Texto op2 = LeeOperador(modoComp);
    if (!op2.empty()) {
      const int16_t lvl2 = jerOp(op2);
      if (lvl2 <= nivel) {
        Vuelve(p2);
        return AplicaOperador(std::move(izq), op, der);
      }
      if (lvl2 > lvl) {
        {
          Profundidad guarda(profundidad_);
          if (profundidad_ > ProfundidadMaximaExpr) return Demasiado();
          der = Sube(std::move(der), std::move(op2), lvl, modoComp);
        }
        if (HayError()) return {};
        op2 = LeeOperador(modoComp);
      }
    }
    izq = AplicaOperador(std::move(izq), op, der);
    if (HayError()) return {};
    op = std::move(op2);
    lvl = jerOp(op);
  }
}

ValorExpr EvaluadorExpr::Demasiado() {
  if (!HayError())
    FijaError(T("Expresión demasiado anidada: más de ") + T(std::to_string(ProfundidadMaximaExpr)) +
              T(" niveles"));
  return {};
}

} // namespace zt
